// The most-recently-used file list, kept in the application's default profile: a private
// profile file in the user's application-data folder, named after the program.
#pragma once

#include <string>
#include <vector>

class CRecentFileList {
public:
    CRecentFileList(std::string profilePath, size_t maxEntries);

    void ReadList();
    void WriteList() const;
    // Puts the path first; an entry already in the list moves up, the oldest drops out.
    void Add(const std::string& path);

    const std::vector<std::string>& Entries() const { return m_entries; }
    const std::string& ProfilePath() const { return m_strProfilePath; }

    static constexpr const char* Section = "Recent File List";

private:
    std::string m_strProfilePath;
    size_t m_nMaxEntries;
    std::vector<std::string> m_entries;
};

// The default profile of this program: %APPDATA%\<title>\<program name>.ini.
std::string FwDefaultProfilePath(const std::string& appTitle);
