#pragma once
// A stand-in for an ActiveX control, made by its own class object: it keeps and records the
// keys its host hands to IOleInPlaceActiveObject::TranslateAccelerator. It lives on the
// test's stack, so it counts no references.

#include <windows.h>

#include <ole2.h>

#include <vector>

constexpr CLSID kKeyRecordingControl = {0x6D1F3C2A, 0x8B4E, 0x4F7A, {0x9C, 0x11, 0x2E, 0x5B, 0x7D, 0x90, 0x3A, 0x41}};

#define UNUSED_METHOD(method, ...)                                                                                     \
    STDMETHODIMP method(__VA_ARGS__) override                                                                          \
    {                                                                                                                  \
        return E_NOTIMPL;                                                                                              \
    }

class CKeyRecordingControl final : public IClassFactory,
                                   public IOleObject,
                                   public IOleInPlaceActiveObject,
                                   public IDispatch {
public:
    std::vector<WPARAM> m_keys;  // of the WM_KEYDOWN messages handed over

    STDMETHODIMP TranslateAccelerator(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            m_keys.push_back(msg->wParam);
        return msg->message == WM_KEYDOWN ? S_OK : S_FALSE;
    }
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IOleObject)
            *out = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleInPlaceActiveObject)
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        else if (iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        else
            *out = iid == IID_IClassFactory || iid == IID_IUnknown ? static_cast<IClassFactory*>(this) : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** out) override { return QueryInterface(iid, out); }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP DoVerb(LONG, MSG*, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    // A list of macro calls, which the formatter cannot lay out.
    // clang-format off
    UNUSED_METHOD(GetClientSite, IOleClientSite**) UNUSED_METHOD(SetHostNames, LPCOLESTR, LPCOLESTR)
    UNUSED_METHOD(SetMoniker, DWORD, IMoniker*) UNUSED_METHOD(GetMoniker, DWORD, DWORD, IMoniker**)
    UNUSED_METHOD(InitFromData, IDataObject*, BOOL, DWORD) UNUSED_METHOD(GetClipboardData, DWORD, IDataObject**)
    UNUSED_METHOD(EnumVerbs, IEnumOLEVERB**) UNUSED_METHOD(Update) UNUSED_METHOD(IsUpToDate)
    UNUSED_METHOD(GetUserClassID, CLSID*) UNUSED_METHOD(GetUserType, DWORD, LPOLESTR*)
    UNUSED_METHOD(SetExtent, DWORD, SIZEL*) UNUSED_METHOD(GetExtent, DWORD, SIZEL*) UNUSED_METHOD(Unadvise, DWORD)
    UNUSED_METHOD(Advise, IAdviseSink*, DWORD*) UNUSED_METHOD(EnumAdvise, IEnumSTATDATA**)
    UNUSED_METHOD(GetMiscStatus, DWORD, DWORD*) UNUSED_METHOD(SetColorScheme, LOGPALETTE*)
    UNUSED_METHOD(GetWindow, HWND*) UNUSED_METHOD(ContextSensitiveHelp, BOOL) UNUSED_METHOD(EnableModeless, BOOL)
    UNUSED_METHOD(OnFrameWindowActivate, BOOL) UNUSED_METHOD(OnDocWindowActivate, BOOL)
    UNUSED_METHOD(ResizeBorder, LPCRECT, IOleInPlaceUIWindow*, BOOL) UNUSED_METHOD(GetTypeInfoCount, UINT*)
    UNUSED_METHOD(GetTypeInfo, UINT, LCID, ITypeInfo**)
    UNUSED_METHOD(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    UNUSED_METHOD(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
    // clang-format on
};

#undef UNUSED_METHOD
