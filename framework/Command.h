// Commands: numeric ids shared by toolbars, menus and accelerators. A command target either
// executes a command or reports its wanted state (enabled, checked, hidden) into a CCmdUI.
// State handlers only record; whoever owns the controls pushes the recorded state once.
#pragma once

#include <windows.h>

#include <cstddef>

class CCmdUI {
public:
    explicit CCmdUI(UINT id) : m_nID(id) {}
    virtual ~CCmdUI() = default;

    UINT GetID() const { return m_nID; }

    void Enable(bool enable = true) { m_bEnabled = enable; m_bHandled = true; }
    void SetCheck(int check = 1) { m_nCheck = check; m_bHandled = true; }
    void Show(bool show = true) { m_bHidden = !show; m_bHandled = true; }

    bool IsEnabled() const { return m_bEnabled; }
    int GetCheck() const { return m_nCheck; }
    bool IsHidden() const { return m_bHidden; }
    // True once some target reported a state or owns the command.
    bool IsHandled() const { return m_bHandled; }
    void SetHandled() { m_bHandled = true; }

private:
    UINT m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
    bool m_bHidden = false;
    bool m_bHandled = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Executes the command (ui == nullptr) or fills its state (ui != nullptr). Returns true
    // when this target, or one it routes to, owns the command. Routing classes (frame, view)
    // override this; a class adds its own commands by overriding HandleCommand.
    virtual bool OnCmdMsg(UINT id, CCmdUI* ui) { return HandleCommand(id, ui); }

protected:
    // This target's own command table, without routing.
    virtual bool HandleCommand(UINT id, CCmdUI* ui) { (void)id; (void)ui; return false; }
};

// One row of a class's command table: the id, what runs it and what reports its state.
// Either member may be null; a row with only an execute handler is enabled by default.
template <class T>
struct CommandEntry {
    UINT id;
    void (T::*execute)();
    void (T::*update)(CCmdUI&);
};

// Looks the id up in a class's table and runs the matching handler.
template <class T, std::size_t N>
bool DispatchCommand(T* target, const CommandEntry<T> (&table)[N], UINT id, CCmdUI* ui)
{
    for (const CommandEntry<T>& entry : table) {
        if (entry.id != id)
            continue;
        if (ui) {
            if (entry.update)
                (target->*entry.update)(*ui);
            ui->SetHandled();
            return true;
        }
        if (entry.execute) {
            (target->*entry.execute)();
            return true;
        }
        return false;
    }
    return false;
}
