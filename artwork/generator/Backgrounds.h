// The whiteboard's ten built-in backgrounds, numbered as the program's files map\fr_1.JPG to
// map\fr_10.JPG. Measures below are for a picture 1080 pixels high and scale with the height;
// spacings are rounded to whole pixels and straight lines sit on pixel edges, so every line of
// a grid looks the same. Grids are centred on the picture.
//
//   1 ruled        blue lines every 60, the first at 120; a red margin line at x = 240
//   2 squared      1-pixel grid every 40, every fifth line 2 pixels and darker
//   3 dots         dots every 40
//   4 staves       five staves of five lines, 22 apart, each centred in a fifth of the height
//   5 chalkboard   dark green, softly clouded and wiped, darker towards the corners
//   6 coordinates  grid every 60; x and y axes with arrows and ticks through the centre
//   7 handwriting  six four-line guides 40 apart with a dashed midline and a stronger baseline
//   8 isometric    vertical and 30-degree lines, 42 apart, with dots where they meet
//   9 millimetre   blue graph paper: lines every 12, stronger every 60, strongest every 120
//  10 plain        cream, a shade darker towards the bottom
#pragma once

#include "Color.h"

#include <string>

constexpr int kBackgroundCount = 10;

// 1 to kBackgroundCount for a design's number or name; 0 for anything else.
int FindBackground(const std::string& numberOrName);
const char* BackgroundName(int number);

// The design over width x height pixels, opaque.
CImage DrawBackground(int number, int width, int height);
