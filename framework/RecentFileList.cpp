#include "framework/RecentFileList.h"

#include "framework/Module.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>

CRecentFileList::CRecentFileList(std::string profilePath, size_t maxEntries)
    : m_strProfilePath(std::move(profilePath)), m_nMaxEntries(maxEntries)
{
}

void CRecentFileList::ReadList()
{
    m_entries.clear();
    for (size_t i = 1; i <= m_nMaxEntries; ++i) {
        char key[16];
        wsprintfA(key, "File%u", static_cast<unsigned>(i));
        char value[MAX_PATH * 2] = {};
        ::GetPrivateProfileStringA(Section, key, "", value, sizeof value, m_strProfilePath.c_str());
        if (value[0])
            m_entries.emplace_back(value);
    }
}

void CRecentFileList::WriteList() const
{
    // Clearing the section first drops entries that fell out of the list.
    ::WritePrivateProfileStringA(Section, nullptr, nullptr, m_strProfilePath.c_str());
    for (size_t i = 0; i < m_entries.size(); ++i) {
        char key[16];
        wsprintfA(key, "File%u", static_cast<unsigned>(i + 1));
        ::WritePrivateProfileStringA(Section, key, m_entries[i].c_str(), m_strProfilePath.c_str());
    }
}

void CRecentFileList::Add(const std::string& path)
{
    auto same = [&path](const std::string& entry) {
        return ::lstrcmpiA(entry.c_str(), path.c_str()) == 0;
    };
    m_entries.erase(std::remove_if(m_entries.begin(), m_entries.end(), same), m_entries.end());
    m_entries.insert(m_entries.begin(), path);
    if (m_entries.size() > m_nMaxEntries)
        m_entries.resize(m_nMaxEntries);
}

std::string FwDefaultProfilePath(const std::string& appTitle)
{
    char folder[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, folder)))
        return {};
    std::string path = std::string(folder) + "\\" + appTitle;
    ::CreateDirectoryA(path.c_str(), nullptr);

    std::string program = FwModulePath();
    size_t slash = program.find_last_of("\\/");
    std::string name = program.substr(slash == std::string::npos ? 0 : slash + 1);
    size_t dot = name.find_last_of('.');
    return path + "\\" + name.substr(0, dot) + ".ini";
}
