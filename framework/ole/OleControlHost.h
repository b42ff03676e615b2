#pragma once
// COleControlHost: a child window that hosts one ActiveX control in place. It is the
// control's client site and in-place site (with a small in-place frame of its own), keeps
// the control as large as the window, closes it with the window, hands it the keys typed
// into it, and calls its methods and properties through IDispatch.

#include <windows.h>

#include <ocidl.h>
#include <ole2.h>

#include <string>

#include "ComPtr.h"
#include "FwApi.h"
#include "Wnd.h"

class FWAPI COleControlHost : public CWnd {
public:
    COleControlHost();
    ~COleControlHost() override;

    // Makes the window and the control of class `clsid` inside it, active in place; false
    // (and no window) when the control cannot be made.
    bool CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    bool HasControl() const { return static_cast<bool>(m_object); }

    // Calls a method (DISPATCH_METHOD) or reads a property (DISPATCH_PROPERTYGET) of the
    // control; `args` in the order the method declares them.
    HRESULT InvokeHelper(DISPID id, WORD flags, VARIANT* result, VARIANTARG* args, UINT count);
    // A string property; empty when it cannot be read.
    std::string GetStringProperty(DISPID id);
    // Lets `sink` hear the control's events of the interface `events` until the control
    // closes; false when the control does not offer them.
    bool AdviseEvents(REFIID events, IUnknown* sink);

    // A key typed into the control goes to the accelerators of the windows that hold it
    // first (the frame's commands and Esc), then to the control's own translation (Tab,
    // the arrows, Ctrl+C), except F1, which stays the frame's help key.
    bool PreTranslateMessage(MSG* msg) override;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnDestroy() override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    class CSite;
    void CloseControl();
    bool HoldersPreTranslate(MSG* msg);

    CComPtr<CSite> m_site;  // reference-counted: the control holds it too
    CComPtr<IOleObject> m_object;
    CComPtr<IOleInPlaceObject> m_inPlace;
    CComPtr<IDispatch> m_dispatch;
    CComPtr<IConnectionPoint> m_events;
    CComPtr<IOleInPlaceActiveObject> m_activeObject;  // given by the control when active in its user interface
    DWORD m_eventsCookie = 0;
};
