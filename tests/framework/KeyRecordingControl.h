#pragma once
// A stand-in for an ActiveX control, made through its own class object: it keeps the keys
// its host hands to IOleInPlaceActiveObject::TranslateAccelerator and records them. It
// lives on the test's stack, so its reference counts are not kept.

#include <windows.h>

#include <ole2.h>

#include <vector>

// {6D1F3C2A-8B4E-4F7A-9C11-2E5B7D903A41}
constexpr CLSID kKeyRecordingControl = {0x6D1F3C2A, 0x8B4E, 0x4F7A, {0x9C, 0x11, 0x2E, 0x5B, 0x7D, 0x90, 0x3A, 0x41}};

#define KEY_RECORDER_UNUSED(method, ...) \
    STDMETHODIMP method(__VA_ARGS__) override { return E_NOTIMPL; }

class CKeyRecordingControl final : public IClassFactory,
                                   public IOleObject,
                                   public IOleInPlaceActiveObject,
                                   public IDispatch {
public:
    std::vector<WPARAM> m_keys;  // the keys of the WM_KEYDOWN messages handed over

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IClassFactory)
            *out = static_cast<IClassFactory*>(this);
        else if (iid == IID_IOleObject)
            *out = static_cast<IOleObject*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceActiveObject)
            *out = static_cast<IOleInPlaceActiveObject*>(this);
        else if (iid == IID_IDispatch)
            *out = static_cast<IDispatch*>(this);
        return *out ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID iid, void** out) override { return QueryInterface(iid, out); }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }

    STDMETHODIMP TranslateAccelerator(MSG* msg) override
    {
        if (msg->message != WM_KEYDOWN)
            return S_FALSE;
        m_keys.push_back(msg->wParam);
        return S_OK;
    }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP DoVerb(LONG, MSG*, IOleClientSite*, LONG, HWND, LPCRECT) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }

    KEY_RECORDER_UNUSED(GetClientSite, IOleClientSite**) KEY_RECORDER_UNUSED(SetHostNames, LPCOLESTR, LPCOLESTR)
    KEY_RECORDER_UNUSED(SetMoniker, DWORD, IMoniker*) KEY_RECORDER_UNUSED(GetMoniker, DWORD, DWORD, IMoniker**)
    KEY_RECORDER_UNUSED(InitFromData, IDataObject*, BOOL, DWORD) KEY_RECORDER_UNUSED(GetClipboardData, DWORD, IDataObject**)
    KEY_RECORDER_UNUSED(EnumVerbs, IEnumOLEVERB**) KEY_RECORDER_UNUSED(Update) KEY_RECORDER_UNUSED(IsUpToDate)
    KEY_RECORDER_UNUSED(GetUserClassID, CLSID*) KEY_RECORDER_UNUSED(GetUserType, DWORD, LPOLESTR*)
    KEY_RECORDER_UNUSED(SetExtent, DWORD, SIZEL*) KEY_RECORDER_UNUSED(GetExtent, DWORD, SIZEL*)
    KEY_RECORDER_UNUSED(Advise, IAdviseSink*, DWORD*) KEY_RECORDER_UNUSED(Unadvise, DWORD)
    KEY_RECORDER_UNUSED(EnumAdvise, IEnumSTATDATA**) KEY_RECORDER_UNUSED(GetMiscStatus, DWORD, DWORD*)
    KEY_RECORDER_UNUSED(SetColorScheme, LOGPALETTE*) KEY_RECORDER_UNUSED(GetWindow, HWND*)
    KEY_RECORDER_UNUSED(ContextSensitiveHelp, BOOL) KEY_RECORDER_UNUSED(OnFrameWindowActivate, BOOL)
    KEY_RECORDER_UNUSED(OnDocWindowActivate, BOOL) KEY_RECORDER_UNUSED(ResizeBorder, LPCRECT, IOleInPlaceUIWindow*, BOOL)
    KEY_RECORDER_UNUSED(EnableModeless, BOOL) KEY_RECORDER_UNUSED(GetTypeInfoCount, UINT*)
    KEY_RECORDER_UNUSED(GetTypeInfo, UINT, LCID, ITypeInfo**)
    KEY_RECORDER_UNUSED(GetIDsOfNames, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
    KEY_RECORDER_UNUSED(Invoke, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
};

#undef KEY_RECORDER_UNUSED
