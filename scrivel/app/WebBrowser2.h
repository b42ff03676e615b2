#pragma once
// CWebBrowser2: the system's web browser control in a child window of the documentation
// bar. Navigate goes through the control's dispatch interface; the window's text follows
// the address the control is about to show (its BeforeNavigate2 event), so that it can be
// read from outside.

#include <windows.h>

#include <string>

#include "OleControlHost.h"

class CWebBrowser2 : public COleControlHost {
public:
    CWebBrowser2();
    ~CWebBrowser2() override;

    bool Create(const char* className, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* param = nullptr) override;
    void Navigate(const char* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData, VARIANT* headers);
    // Navigate with no flags, post data or headers, into the control's own frame.
    void Navigate(const char* url);
    std::string GetLocationURL();

private:
    class CEvents;
    CComPtr<CEvents> m_events;
};
