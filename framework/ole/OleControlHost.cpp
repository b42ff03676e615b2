#include "OleControlHost.h"
#include "ComObject.h"
#include "ModuleCalls.h"

#include <ocidl.h>
#include <oleauto.h>

#include <memory>

// The container's side of in-place activation: the control asks it for its window, its
// place and its frame; the host answers for all three.
class COleControlHost::CSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit CSite(COleControlHost* host) : m_host(host) {}
    void Detach() { m_host = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        IUnknown* found = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            found = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            found = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            found = static_cast<IOleInPlaceFrame*>(this);
        return AnswerInterface(found, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return m_refs.Add(); }
    STDMETHODIMP_(ULONG) Release() override { return m_refs.Release(this); }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override
    {
        *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (for the site and the frame alike)
    STDMETHODIMP GetWindow(HWND* out) override
    {
        *out = m_host ? m_host->m_hWnd : nullptr;
        return *out ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_host ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, RECT* position, RECT* clip,
                                  OLEINPLACEFRAMEINFO* info) override
    {
        *frame = this;
        AddRef();
        *document = nullptr;
        RECT client{};
        if (m_host)
            ::GetClientRect(m_host->m_hWnd, &client);
        *position = client;
        *clip = client;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = m_host ? ::GetAncestor(m_host->m_hWnd, GA_ROOT) : nullptr;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT rect) override
    {
        if (m_host && m_host->m_inPlace)
            m_host->m_inPlace->SetObjectRects(rect, rect);
        return S_OK;
    }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: the host has no tools, menus or status
    // line to share.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override
    {
        if (!m_host)
            return S_OK;
        if (object)
            object->AddRef();
        *m_host->m_activeObject.Receive() = object;
        return S_OK;
    }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    COleControlHost* m_host;
    CComRefCount m_refs;
};

COleControlHost::COleControlHost() = default;

COleControlHost::~COleControlHost()
{
    CloseControl();
}

bool COleControlHost::CreateControl(REFCLSID clsid, const char* windowName, DWORD style, const RECT& rect, CWnd* parent,
                                    UINT id)
{
    CComPtr<IOleObject> object;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object.ReceiveVoid())))
        return false;
    if (!CWnd::Create(nullptr, windowName, style | WS_CLIPCHILDREN, rect, parent, id))
        return false;
    m_site.Reset();
    *m_site.Receive() = new CSite(this);
    m_object = std::move(object);
    m_object->SetClientSite(m_site.Get());
    if (auto init = m_object.As<IPersistStreamInit>(IID_IPersistStreamInit))
        init->InitNew();
    RECT client;
    GetClientRect(&client);
    if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, m_site.Get(), 0, m_hWnd, &client))) {
        AfxGuarded(this)->DestroyWindow();
        return false;
    }
    m_inPlace = m_object.As<IOleInPlaceObject>(IID_IOleInPlaceObject);
    m_dispatch = m_object.As<IDispatch>(IID_IDispatch);
    if (!m_dispatch) {
        AfxGuarded(this)->DestroyWindow();
        return false;
    }
    return true;
}

HRESULT COleControlHost::InvokeHelper(DISPID id, WORD flags, VARIANT* result, VARIANTARG* args, UINT count)
{
    if (!m_dispatch)
        return E_FAIL;
    // IDispatch takes the arguments last first.
    std::unique_ptr<VARIANTARG[]> reversed(new VARIANTARG[count ? count : 1]);
    for (UINT i = 0; i < count; ++i)
        reversed[i] = args[count - 1 - i];
    DISPPARAMS params{};
    params.rgvarg = count ? reversed.get() : nullptr;
    params.cArgs = count;
    return m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

std::string COleControlHost::GetStringProperty(DISPID id)
{
    VARIANT value;
    ::VariantInit(&value);
    std::string text;
    if (SUCCEEDED(InvokeHelper(id, DISPATCH_PROPERTYGET, &value, nullptr, 0)) && value.vt == VT_BSTR && value.bstrVal) {
        int length = ::WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, nullptr, 0, nullptr, nullptr);
        if (length > 1) {
            text.assign(static_cast<std::size_t>(length), '\0');
            ::WideCharToMultiByte(CP_ACP, 0, value.bstrVal, -1, text.data(), length, nullptr, nullptr);
            text.resize(static_cast<std::size_t>(length - 1));
        }
    }
    ::VariantClear(&value);
    return text;
}

bool COleControlHost::AdviseEvents(REFIID events, IUnknown* sink)
{
    auto container = m_object.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
    if (!container || m_events)
        return false;
    CComPtr<IConnectionPoint> point;
    if (FAILED(container->FindConnectionPoint(events, point.Receive())))
        return false;
    if (FAILED(point->Advise(sink, &m_eventsCookie)))
        return false;
    m_events = std::move(point);
    return true;
}

void COleControlHost::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_inPlace) {
        RECT r{0, 0, cx, cy};
        m_inPlace->SetObjectRects(&r, &r);
    }
}

void COleControlHost::CloseControl()
{
    m_activeObject.Reset();
    if (m_events) {
        m_events->Unadvise(m_eventsCookie);
        m_events.Reset();
    }
    m_dispatch.Reset();
    if (m_inPlace) {
        m_inPlace->InPlaceDeactivate();
        m_inPlace.Reset();
    }
    if (m_object) {
        m_object->Close(OLECLOSE_NOSAVE);
        m_object->SetClientSite(nullptr);
        m_object.Reset();
    }
    if (m_site) {
        m_site->Detach();
        m_site.Reset();
    }
}

bool COleControlHost::PreTranslateMessage(MSG* msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST || !m_object)
        return false;
    if (HoldersPreTranslate(msg))
        return true;
    if ((msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_F1)
        return false;
    // The interface the control gave when it became active in its user interface; before
    // that, the control's own.
    IOleInPlaceActiveObject* active = m_activeObject.Get();
    CComPtr<IOleInPlaceActiveObject> own;
    if (!active)
        active = (own = m_object.As<IOleInPlaceActiveObject>(IID_IOleInPlaceActiveObject)).Get();
    return active && active->TranslateAccelerator(msg) == S_OK;
}

// The windows above this one up to its frame, and the frame that owns a floating one.
bool COleControlHost::HoldersPreTranslate(MSG* msg)
{
    for (HWND hwnd = m_hWnd; ::GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD;) {
        if (!(hwnd = ::GetParent(hwnd)))
            break;
        CWnd* holder = FromHandlePermanent(hwnd);
        if (holder && AfxGuarded(holder)->PreTranslateMessage(msg))
            return true;
    }
    HWND owner = ::GetAncestor(m_hWnd, GA_ROOTOWNER);
    CWnd* ownerFrame = owner != ::GetAncestor(m_hWnd, GA_ROOT) ? FromHandlePermanent(owner) : nullptr;
    return ownerFrame && AfxGuarded(ownerFrame)->PreTranslateMessage(msg);
}

void COleControlHost::OnDestroy()
{
    CloseControl();
    CWnd::OnDestroy();
}

bool COleControlHost::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        // The control paints all of the window.
        case WM_ERASEBKGND:
            *result = m_object ? 1 : 0;
            if (!m_object)
                return CWnd::OnWndMsg(msg, wParam, lParam, result);
            return true;
        default:
            return CWnd::OnWndMsg(msg, wParam, lParam, result);
    }
}
