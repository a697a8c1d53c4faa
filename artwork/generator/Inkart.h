// The command line of the artwork generator, kept apart from main() so tests can run it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args excludes the program name. Returns the process exit code: 0, or 1 after writing the
// reason to err.
int RunInkart(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
