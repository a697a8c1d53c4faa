// The whiteboard's icon in the notification area: one record, added when the frame is created
// and deleted with it. Clicks arrive at the frame as message 2570.
#pragma once

#include <windows.h>

#include <shellapi.h>

class CNotify {
public:
    // Fixed for the life of the record: adding and deleting name the same icon.
    static constexpr UINT ICON_ID = 1;

    CNotify() = default;
    virtual ~CNotify() = default;
    CNotify(const CNotify&) = delete;
    CNotify& operator=(const CNotify&) = delete;

    void SetUp(HWND window);
    BOOL Add();
    BOOL Delete();

    const NOTIFYICONDATAA& Data() const { return m_data; }

private:
    NOTIFYICONDATAA m_data{};
};
