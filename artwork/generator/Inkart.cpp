#include "Inkart.h"

#include "Backgrounds.h"
#include "Drawing.h"
#include "ResourceFiles.h"
#include "Tone.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace {

const char kUsage[] =
    "usage:\n"
    "  inkart strip OUT.bmp [--bpp 24|32] [--disabled] [--background #rrggbb] [--picture W H] SRC...\n"
    "  inkart icon OUT.ico [--sizes 16,32,48] [--at SIZE SRC]... SRC\n"
    "  inkart cursor OUT.cur --hotspot X Y [--size N] SRC\n"
    "  inkart background OUT.ppm DESIGN [--size WxH]\n"
    "    DESIGN: 1-10 or ruled, squared, dots, staves, chalkboard, coordinates, handwriting,\n"
    "    isometric, millimetre, plain\n";

// Strips sit on the palette's button face unless told otherwise.
const SColor kDefaultBackground{232, 232, 232, 255};

// Reasons a run stops; each is reported once, by RunInkart.
struct SFailure {
    std::string message;
};

bool ParseInt(const std::string& text, int& value)
{
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || end != text.c_str() + text.size() || v < -100000 || v > 100000)
        return false;
    value = static_cast<int>(v);
    return true;
}

// Walks the words after the output file: options with their values, and plain source names.
class CArguments {
public:
    CArguments(const std::vector<std::string>& args, size_t first) : m_args(args), m_nNext(first) {}

    bool Done() const { return m_nNext >= m_args.size(); }
    const std::string& Peek() const { return m_args[m_nNext]; }
    std::string Take() { return m_args[m_nNext++]; }

    std::string Value(const std::string& option)
    {
        if (Done())
            throw SFailure{option + " needs a value"};
        return Take();
    }

    int Int(const std::string& option, int low, int high)
    {
        std::string text = Value(option);
        int v = 0;
        if (!ParseInt(text, v) || v < low || v > high)
            throw SFailure{option + ": '" + text + "' is not a whole number from " + std::to_string(low) + " to " +
                           std::to_string(high)};
        return v;
    }

private:
    const std::vector<std::string>& m_args;
    size_t m_nNext;
};

CDrawing Load(const std::string& path)
{
    CDrawing drawing;
    std::string error;
    if (!LoadDrawing(path, drawing, error))
        throw SFailure{error};
    return drawing;
}

void Write(const std::string& path, const Bytes& bytes)
{
    std::string error;
    if (!WriteBytes(path, bytes, error))
        throw SFailure{error};
}

bool IsOption(const std::string& word) { return word.size() > 2 && word.compare(0, 2, "--") == 0; }

void Strip(const std::string& output, CArguments& args)
{
    int bits = 24;
    bool disabled = false;
    SColor background = kDefaultBackground;
    int pictureW = 0, pictureH = 0;
    std::vector<std::string> sources;
    while (!args.Done()) {
        std::string word = args.Take();
        if (word == "--bpp") {
            bits = args.Int(word, 24, 32);
            if (bits != 24 && bits != 32)
                throw SFailure{"--bpp must be 24 or 32"};
        } else if (word == "--disabled") {
            disabled = true;
        } else if (word == "--background") {
            std::string text = args.Value(word);
            if (!ParseColor(text, background))
                throw SFailure{"--background: '" + text + "' is not a colour (#rrggbb)"};
            background.a = 255;
        } else if (word == "--picture") {
            pictureW = args.Int(word, 1, 4096);
            pictureH = args.Int(word, 1, 4096);
        } else if (IsOption(word)) {
            throw SFailure{"strip: unknown option " + word};
        } else {
            sources.push_back(word);
        }
    }
    if (sources.empty())
        throw SFailure{"strip: no source drawings given"};

    std::vector<CDrawing> drawings;
    for (const std::string& source : sources)
        drawings.push_back(Load(source));
    if (pictureW == 0) {
        // Without --picture, drawings are in pixels: every one must have the first one's size.
        const CDrawing& first = drawings.front();
        pictureW = static_cast<int>(std::lround(first.Width()));
        pictureH = static_cast<int>(std::lround(first.Height()));
        for (size_t i = 0; i < drawings.size(); ++i)
            if (drawings[i].Width() != pictureW || drawings[i].Height() != pictureH)
                throw SFailure{sources[i] + ": size differs from the strip's pictures (" + std::to_string(pictureW) +
                               " x " + std::to_string(pictureH) + "); give --picture W H to scale"};
    }

    CImage strip(pictureW * static_cast<int>(drawings.size()), pictureH);
    for (size_t i = 0; i < drawings.size(); ++i) {
        CImage picture = drawings[i].Render(pictureW, pictureH);
        if (disabled)
            ApplyDisabledTone(picture);
        FlattenOnto(picture, background);
        strip.Blit(picture, static_cast<int>(i) * pictureW, 0);
    }
    Write(output, EncodeBmp(strip, bits));
}

std::vector<int> ParseSizes(const std::string& text)
{
    std::vector<int> sizes;
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        int v = 0;
        if (!ParseInt(item, v) || v < 1 || v > 255)
            throw SFailure{"--sizes: '" + item + "' is not a size from 1 to 255"};
        sizes.push_back(v);
    }
    if (sizes.empty())
        throw SFailure{"--sizes: no sizes given"};
    return sizes;
}

void Icon(const std::string& output, CArguments& args)
{
    std::vector<int> sizes{16, 32, 48};
    std::map<int, std::string> perSize;
    std::string source;
    while (!args.Done()) {
        std::string word = args.Take();
        if (word == "--sizes") {
            sizes = ParseSizes(args.Value(word));
        } else if (word == "--at") {
            int size = args.Int(word, 1, 255);
            perSize[size] = args.Value(word);
        } else if (IsOption(word)) {
            throw SFailure{"icon: unknown option " + word};
        } else if (!source.empty()) {
            throw SFailure{"icon: one source drawing expected, got '" + source + "' and '" + word + "'"};
        } else {
            source = word;
        }
    }
    if (source.empty())
        throw SFailure{"icon: no source drawing given"};
    for (const auto& entry : perSize)
        if (std::find(sizes.begin(), sizes.end(), entry.first) == sizes.end())
            throw SFailure{"--at " + std::to_string(entry.first) + ": not one of the icon's sizes"};

    std::vector<CImage> images;
    for (int size : sizes) {
        auto own = perSize.find(size);
        images.push_back(Load(own == perSize.end() ? source : own->second).Render(size, size));
    }
    Write(output, EncodeIcon(images));
}

void Cursor(const std::string& output, CArguments& args)
{
    int size = 32;
    int hotX = -1, hotY = -1;
    std::string source;
    while (!args.Done()) {
        std::string word = args.Take();
        if (word == "--hotspot") {
            hotX = args.Int(word, 0, 255);
            hotY = args.Int(word, 0, 255);
        } else if (word == "--size") {
            size = args.Int(word, 1, 255);
        } else if (IsOption(word)) {
            throw SFailure{"cursor: unknown option " + word};
        } else if (!source.empty()) {
            throw SFailure{"cursor: one source drawing expected, got '" + source + "' and '" + word + "'"};
        } else {
            source = word;
        }
    }
    if (source.empty())
        throw SFailure{"cursor: no source drawing given"};
    if (hotX < 0)
        throw SFailure{"cursor: --hotspot X Y is required"};
    if (hotX >= size || hotY >= size)
        throw SFailure{"cursor: hot spot lies outside the " + std::to_string(size) + " x " + std::to_string(size) +
                       " picture"};

    CImage image = Load(source).Render(size, size);
    // A hot spot on a transparent pixel means the drawing and the hot spot disagree: the pointer
    // would act somewhere the presenter sees no tip.
    if (image.At(hotX, hotY).a < 128)
        throw SFailure{source + ": hot spot (" + std::to_string(hotX) + "," + std::to_string(hotY) +
                       ") is not on the drawing (pixel less than half covered)"};
    Write(output, EncodeCursor(image, hotX, hotY));
}

// "WxH"; the designs need some room, and a projector no more than 8K.
void ParsePictureSize(const std::string& text, int& width, int& height)
{
    size_t x = text.find('x');
    int w = 0, h = 0;
    if (x == std::string::npos || !ParseInt(text.substr(0, x), w) || !ParseInt(text.substr(x + 1), h) || w < 64 ||
        h < 64 || w > 8192 || h > 8192)
        throw SFailure{"--size: '" + text + "' is not WxH with each side from 64 to 8192"};
    width = w;
    height = h;
}

void Background(const std::string& output, CArguments& args)
{
    int width = 1920, height = 1080;
    std::string design;
    while (!args.Done()) {
        std::string word = args.Take();
        if (word == "--size") {
            ParsePictureSize(args.Value(word), width, height);
        } else if (IsOption(word)) {
            throw SFailure{"background: unknown option " + word};
        } else if (!design.empty()) {
            throw SFailure{"background: one design expected, got '" + design + "' and '" + word + "'"};
        } else {
            design = word;
        }
    }
    if (design.empty())
        throw SFailure{"background: no design given"};
    int number = FindBackground(design);
    if (number == 0)
        throw SFailure{"background: no design '" + design + "'"};
    Write(output, EncodePpm(DrawBackground(number, width, height)));
}

} // namespace

int RunInkart(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    if (args.size() < 2) {
        err << kUsage;
        return 1;
    }
    const std::string& command = args[0];
    const std::string& output = args[1];
    CArguments rest(args, 2);
    try {
        if (command == "strip")
            Strip(output, rest);
        else if (command == "icon")
            Icon(output, rest);
        else if (command == "cursor")
            Cursor(output, rest);
        else if (command == "background")
            Background(output, rest);
        else
            throw SFailure{"unknown command '" + command + "'\n" + kUsage};
    } catch (const SFailure& failure) {
        err << "inkart: " << failure.message << "\n";
        return 1;
    }
    return 0;
}
