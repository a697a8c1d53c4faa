// inkart: compiles the artwork's drawings into BMP strips, icons and cursors, and draws the
// whiteboard's backgrounds, at build time.
#include "Inkart.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunInkart(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
