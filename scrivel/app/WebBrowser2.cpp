#include "WebBrowser2.h"

#include <oleauto.h>

#include <string>

namespace {
// The web browser control and the dispatch identifiers of its members.
constexpr CLSID kWebBrowser = {0x8856F961, 0x340A, 0x11D0, {0xA9, 0x6B, 0x00, 0xC0, 0x4F, 0xD7, 0x05, 0xA2}};
constexpr DISPID kNavigate = 104;
constexpr DISPID kLocationUrl = 211;

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

bool CWebBrowser2::Create(const char*, const char* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          void*)
{
    return CreateControl(kWebBrowser, windowName, style, rect, parent, id);
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
    SetWindowText(GetLocationURL().c_str());
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
