// The eleven built-in backgrounds the presenter cycles through: number 0 is the desktop
// snapshot, 1 to 10 the pictures map\fr_1.JPG ... map\fr_10.JPG beside the program.
#pragma once

#include "view/picture/FgDib.h"

#include <functional>
#include <string>

constexpr int BUILT_IN_BACKGROUNDS = 11;

// The folder of the running program, ending in a backslash.
std::string ProgramFolder();
// programFolder + "map\fr_<n>.JPG".
std::string BuiltInBackgroundPath(const std::string& programFolder, long number);

// Whether a path ends in the given text, ignoring case (".JPG", "bmp").
bool EndsWithNoCase(const std::string& text, const char* ending);

// How reading a picture file went.
enum class PictureFileResult { Read, NotOpened, NotDecoded };

// Reads a JPEG (".jpg") or BMP (".bmp") file, by its ending in any case. A file that cannot be
// opened is reported without a message; one that cannot be decoded has already shown "Read
// file error" to the presenter.
PictureFileResult ReadPictureFile(const std::string& path, CDibRef* picture);

// One press of "Choose background color or pattern": tries the numbers from cycle on (modulo
// 11), each at most once, until showNumber answers 1, and returns the counter for the next
// press: one past the number shown, or one past the start when none could be shown.
int CycleBackground(int cycle, const std::function<int(int)>& showNumber);
