// The About box: the product and version line, a notice line and OK.
#pragma once

#include "framework/Dialog.h"

#include <functional>
#include <string>

// The notice the program shows under the version line.
extern const char kAboutNotice[];

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(std::string notice = kAboutNotice);

    const std::string& GetNotice() const { return m_strNotice; }

protected:
    BOOL OnInitDialog() override;

private:
    std::string m_strNotice;
};

// The About command: the desktop library's windows are disabled and the tray menu is off while
// the box is open. enableWnd is the library's EnableWnd, setTrayMenuEnabled writes the record's
// trayMenuEnabled, runModal shows the box (the default runs CAboutDlg modally for owner).
void RunAboutCommand(const std::function<void(int)>& enableWnd,
                     const std::function<void(int)>& setTrayMenuEnabled, HWND owner,
                     const std::function<void(HWND)>& runModal = nullptr);
