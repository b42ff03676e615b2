#pragma once
// The roots of the framework's classes: CObject with run-time creation for templates,
// CCmdTarget for objects that take part in command routing, and CCmdUI, which carries one
// command's state (enabled, checked, text) to a menu item, toolbar button or pane.

#include <windows.h>

#include "FwApi.h"

class CObject;

// What a document template needs to make documents, frames and views by class.
struct FWAPI CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

#define DECLARE_DYNCREATE(cls)                                                                                         \
public:                                                                                                                \
    static CObject* CreateObject();                                                                                    \
    static const CRuntimeClass class##cls;

#define IMPLEMENT_DYNCREATE(cls)                                                                                       \
    CObject* cls::CreateObject()                                                                                       \
    {                                                                                                                  \
        return new cls;                                                                                                \
    }                                                                                                                  \
    const CRuntimeClass cls::class##cls = {#cls, &cls::CreateObject};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

class FWAPI CObject {
public:
    CObject() = default;
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

class CCmdUI;

// An object that handles commands by identifier. Each class handles its own commands in
// one switch of named handlers (HandleCommand) and their states in another (UpdateCommand);
// OnCmdMsg routes a command to other targets before or after its own.
class FWAPI CCmdTarget : public CObject {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    // `ui` set: update the command's state; otherwise run it. True when handled.
    virtual bool OnCmdMsg(UINT id, UINT code, CCmdUI* ui);

protected:
    // `code` is the notification code that came with it (0 for menus and buttons, 1 for
    // accelerators).
    virtual bool HandleCommand(UINT id, UINT code);
    virtual bool UpdateCommand(CCmdUI& ui);
};

// The state of one command on one surface; subclasses set it on toolbars and panes.
class FWAPI CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    HMENU m_hMenu = nullptr;   // set when updating a menu item (by position m_nIndex)
    void* m_pOther = nullptr;  // the bar being updated, for subclasses
    bool m_bEnableChanged = false;

    virtual ~CCmdUI() = default;
    virtual void Enable(bool on = true);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(bool on = true);
    virtual void SetText(const char* text);

    // Routes the update to `target`; when nobody handles it and `disableIfNoHandler` is
    // set, the item is disabled. True when a handler answered.
    bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);
};

// Asks a target for the state of one command without touching any surface.
class FWAPI CCmdStateQuery : public CCmdUI {
public:
    bool m_bEnabled = true;
    int m_nCheck = 0;
    void Enable(bool on = true) override;
    void SetCheck(int check = 1) override;
    void SetRadio(bool on = true) override;
    void SetText(const char*) override {}
};
