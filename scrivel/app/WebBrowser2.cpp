#include "WebBrowser2.h"

#include <oleauto.h>

#include <string>

#include "ComObject.h"

namespace {
// The web browser control and the dispatch identifiers of its members.
constexpr CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
constexpr DISPID kNavigate = 104;
constexpr DISPID kLocationUrl = 211;
constexpr DISPID kBeforeNavigate2 = 250;
// The control's event interface, DWebBrowserEvents2.
constexpr IID kBrowserEvents = {0x34A715A0, 0x6587, 0x11D0, {0x92, 0x4A, 0x00, 0x20, 0xAF, 0xC7, 0xAC, 0x4D}};

std::wstring Wide(const char* text)
{
    int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    return wide;
}

VARIANT ShortInteger(short value)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_I2;
    v.iVal = value;
    return v;
}
}  // namespace

// Hears the control's events; the address of each navigation becomes the window's text.
class CWebBrowser2::CEvents final : public IDispatch {
public:
    explicit CEvents(HWND window) : m_window(window) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        const bool known = iid == IID_IUnknown || iid == IID_IDispatch || iid == kBrowserEvents;
        return AnswerInterface(known ? static_cast<IDispatch*>(this) : nullptr, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_refs.Add(); }
    STDMETHODIMP_(ULONG) Release() override { return m_refs.Release(this); }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        // BeforeNavigate2(pDisp, URL, Flags, TargetFrameName, PostData, Headers, Cancel),
        // the arguments last first.
        if (id == kBeforeNavigate2 && params && params->cArgs == 7) {
            const VARIANT& url = params->rgvarg[5];
            const VARIANT* value = (url.vt & VT_BYREF) ? url.pvarVal : &url;
            if (value && value->vt == VT_BSTR && value->bstrVal)
                ::SetWindowTextW(m_window, value->bstrVal);
        }
        return S_OK;
    }

private:
    HWND m_window;
    CComRefCount m_refs;
};

CWebBrowser2::CWebBrowser2() = default;
CWebBrowser2::~CWebBrowser2() = default;

bool CWebBrowser2::Create(const char*, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          void*)
{
    if (!CreateControl(kWebBrowser, windowName, style, rect, parent, id))
        return false;
    m_events.Reset();
    *m_events.Receive() = new CEvents(m_hWnd);
    AdviseEvents(kBrowserEvents, m_events.Get());
    return true;
}

void CWebBrowser2::Navigate(const char* url, VARIANT* flags, VARIANT* targetFrameName, VARIANT* postData,
                            VARIANT* headers)
{
    VARIANTARG args[5];
    ::VariantInit(&args[0]);
    args[0].vt = VT_BSTR;
    args[0].bstrVal = ::SysAllocString(Wide(url).c_str());
    // By reference, as the method declares them.
    VARIANT* rest[] = {flags, targetFrameName, postData, headers};
    for (int i = 0; i < 4; ++i) {
        ::VariantInit(&args[i + 1]);
        args[i + 1].vt = VT_VARIANT | VT_BYREF;
        args[i + 1].pvarVal = rest[i];
    }
    InvokeHelper(kNavigate, DISPATCH_METHOD, nullptr, args, 5);
    ::SysFreeString(args[0].bstrVal);
}

void CWebBrowser2::Navigate(const char* url)
{
    VARIANT flags = ShortInteger(0);
    VARIANT target;
    ::VariantInit(&target);
    target.vt = VT_BSTR;
    target.bstrVal = ::SysAllocString(L"_self");
    VARIANT postData = ShortInteger(0);
    VARIANT headers = ShortInteger(0);
    Navigate(url, &flags, &target, &postData, &headers);
    ::VariantClear(&target);
}

std::string CWebBrowser2::GetLocationURL()
{
    return GetStringProperty(kLocationUrl);
}
