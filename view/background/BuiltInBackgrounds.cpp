#include "view/background/BuiltInBackgrounds.h"

#include "view/picture/FgDib.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

// The file path limit of the program's own location.
constexpr DWORD MAX_PROGRAM_PATH = 320;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

bool EndsWithNoCase(const std::string& text, const char* ending)
{
    size_t length = std::strlen(ending);
    return text.size() >= length && ::lstrcmpiA(text.c_str() + text.size() - length, ending) == 0;
}

std::string ProgramFolder()
{
    char path[MAX_PROGRAM_PATH] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PROGRAM_PATH);
    std::string folder(path, length < MAX_PROGRAM_PATH ? length : 0);
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

std::string BuiltInBackgroundPath(const std::string& programFolder, long number)
{
    char name[32];
    std::snprintf(name, sizeof name, "map\\fr_%ld.JPG", number);
    return programFolder + name;
}

PictureFileResult ReadPictureFile(const std::string& path, CDibRef* picture)
{
    picture->Reset();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return PictureFileResult::NotOpened;
    CDibRef read(new (std::nothrow) CFG_DIB);
    if (!read)
        return PictureFileResult::NotDecoded;
    int ok = 0;
    if (EndsWithNoCase(path, ".JPG"))
        ok = read->ReadJpeg(path.c_str());
    else if (EndsWithNoCase(path, ".BMP"))
        ok = read->ReadBmp(file.get());
    if (!ok)
        return PictureFileResult::NotDecoded;
    *picture = std::move(read);
    return PictureFileResult::Read;
}

int CycleBackground(int cycle, const std::function<int(int)>& showNumber)
{
    int start = ((cycle % BUILT_IN_BACKGROUNDS) + BUILT_IN_BACKGROUNDS) % BUILT_IN_BACKGROUNDS;
    for (int tried = 0; tried < BUILT_IN_BACKGROUNDS; ++tried) {
        int number = (start + tried) % BUILT_IN_BACKGROUNDS;
        if (showNumber(number) == 1)
            return number + 1;
    }
    return start + 1;
}
