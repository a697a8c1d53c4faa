// Helpers for tests that drive windows in-process: message pumping, finding windows and
// answering message boxes the way a presenter would.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace test {

// The product's program folder, ending in a backslash.
std::string ProgramFolder();

// Dispatches this thread's messages until the queue is empty, then for at least ms more.
void PumpMessages(DWORD ms = 0);
// Pumps until the condition holds or the time runs out; returns the condition.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Top-level windows of this thread.
std::vector<HWND> ThreadWindows();

// A temporary folder, removed with everything in it at the end of the scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }   // ends in a backslash
    void CreateFile(const std::string& name, const std::string& contents = "") const;

private:
    std::string m_path;
};

// What a message box showed.
struct SeenMessageBox {
    std::string caption;
    std::string text;
    HICON icon = nullptr;
};

// Watches from a second thread for message boxes of this process, records them and presses
// their default button, so code under test that shows one does not block the test.
class MessageBoxWatcher {
public:
    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenMessageBox> Seen();

private:
    void Watch();

    std::atomic<bool> m_bStop{false};
    CRITICAL_SECTION m_lock;
    std::vector<SeenMessageBox> m_seen;
    std::thread m_thread;
};

} // namespace test
