#include "ToolBar.h"

#include <algorithm>
#include <cstdint>

#include "DisabledPicture.h"
#include "FrameWnd.h"
#include "FwMessages.h"
#include "Gdi.h"
#include "ModuleCalls.h"
#include "ModuleState.h"

namespace {
// The state of one toolbar button as an update handler sets it.
class CToolCmdUI : public CCmdUI {
public:
    explicit CToolCmdUI(HWND toolbar) : m_toolbar(toolbar) {}
    void Enable(bool on) override
    {
        m_bEnableChanged = true;
        if ((::SendMessageA(m_toolbar, TB_ISBUTTONENABLED, m_nID, 0) != 0) != on)
            ::SendMessageA(m_toolbar, TB_ENABLEBUTTON, m_nID, MAKELONG(on ? TRUE : FALSE, 0));
    }
    void SetCheck(int check) override
    {
        if ((::SendMessageA(m_toolbar, TB_ISBUTTONCHECKED, m_nID, 0) != 0) != (check != 0))
            ::SendMessageA(m_toolbar, TB_CHECKBUTTON, m_nID, MAKELONG(check ? TRUE : FALSE, 0));
    }
    void SetText(const char*) override {}

private:
    HWND m_toolbar;
};

// The toolbar resource: the Microsoft layout (WORD version 1, width, height, count, ids)
// or the one windres writes (DWORD width, height, count, ids).
bool ReadToolbarResource(HINSTANCE module, UINT id, SIZE& image, std::vector<UINT>& ids)
{
    HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(241));
    if (!found)
        return false;
    DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    auto* data = static_cast<const unsigned char*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data || size < 8)
        return false;
    auto word = [&](DWORD at) { return static_cast<UINT>(data[at] | (data[at + 1] << 8)); };
    auto dword = [&](DWORD at) { return word(at) | (word(at + 2) << 16); };
    ids.clear();
    if (word(0) == 1 && size >= 8 + 2 * word(6) && size < 12 + 4 * dword(8)) {
        image = SIZE{static_cast<LONG>(word(2)), static_cast<LONG>(word(4))};
        for (UINT i = 0; i < word(6); ++i)
            ids.push_back(word(8 + 2 * i));
        return true;
    }
    if (size >= 12 && size >= 12 + 4 * dword(8)) {
        image = SIZE{static_cast<LONG>(dword(0)), static_cast<LONG>(dword(4))};
        for (UINT i = 0; i < dword(8); ++i)
            ids.push_back(dword(12 + 4 * i));
        return true;
    }
    return false;
}
// The face colour of toolbar pictures, which the toolbar shows as the system's face.
constexpr std::uint32_t kPictureFace = 0xC0C0C0;
// Not drawn in the greyed pictures; no colour of the emboss.
constexpr COLORREF kNothingDrawn = RGB(255, 0, 255);

std::uint32_t ToPixel(COLORREF colour)
{
    return (static_cast<std::uint32_t>(GetRValue(colour)) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

COLORREF ToColorRef(std::uint32_t pixel)
{
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

BITMAPINFO TopDown32(SIZE size)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bitmap's pixels as 0xRRGGBB, row by row from the top.
bool ReadPixels(HBITMAP bitmap, SIZE size, std::vector<std::uint32_t>& pixels)
{
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    pixels.assign(static_cast<std::size_t>(size.cx) * size.cy, 0);
    BITMAPINFO info = TopDown32(size);
    CClientDC screen(nullptr);
    if (::GetDIBits(screen, bitmap, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS) != size.cy)
        return false;
    for (std::uint32_t& pixel : pixels)
        pixel &= 0xFFFFFF;
    return true;
}

CBitmap PixelBitmap(const std::vector<std::uint32_t>& pixels, SIZE size)
{
    BITMAPINFO info = TopDown32(size);
    void* bits = nullptr;
    CBitmap bitmap;
    bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits)
        std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}
}  // namespace

bool CToolBar::CreateEx(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    m_dwStyle = style & 0xFFFF;
    DWORD windowStyle = (style & ~0xFFFF) | ctrlStyle | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    if (style & CBRS_TOOLTIPS)
        windowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, windowStyle | WS_CHILD, 0, 0, 100, 30, parent->m_hWnd,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    JoinFrame(parent);
    return true;
}

bool CToolBar::LoadToolBar(UINT id)
{
    HINSTANCE module = AfxGetResourceHandle();
    std::vector<UINT> ids;
    if (!ReadToolbarResource(module, id, m_sizeImage, ids))
        return false;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(m_sizeImage.cx, m_sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(m_sizeImage.cx + 7, m_sizeImage.cy + 7));
    int images = static_cast<int>(std::count_if(ids.begin(), ids.end(), [](UINT item) { return item != 0; }));
    if (!LoadImages(module, id, images))
        return false;
    return SetButtons(ids.data(), static_cast<int>(ids.size()));
}

bool CToolBar::LoadImages(HINSTANCE module, UINT id, int count)
{
    CBitmap strip;
    strip.Attach(
        static_cast<HBITMAP>(::LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!strip)
        return false;
    const SIZE size = strip.GetSize();
    std::vector<std::uint32_t> pixels;
    if (!ReadPixels(strip, size, pixels))
        return false;
    const EmbossColours colours{kPictureFace, ToPixel(::GetSysColor(COLOR_3DHILIGHT)),
                                ToPixel(::GetSysColor(COLOR_3DSHADOW)), ToPixel(kNothingDrawn)};
    CBitmap greyed = PixelBitmap(EmbossedPicture(pixels, size.cx, size.cy, m_sizeImage.cx, colours), size);
    // Both lists leave their face colour undrawn, so the buttons show the system's face.
    if (!greyed || !m_images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, count, 0) ||
        m_images.Add(strip, ToColorRef(kPictureFace)) == -1 ||
        !m_disabledImages.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, count, 0) ||
        m_disabledImages.Add(greyed, kNothingDrawn) == -1)
        return false;
    SendMessage(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.GetSafeHandle()));
    SendMessage(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(m_disabledImages.GetSafeHandle()));
    return true;
}

bool CToolBar::SetButtons(const UINT* ids, int count)
{
    while (GetCount() > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    std::vector<TBBUTTON> buttons;
    int image = 0;
    for (int i = 0; i < count; ++i) {
        TBBUTTON button{};
        if (ids[i] == 0) {
            button.fsStyle = TBSTYLE_SEP;
        } else {
            button.iBitmap = image++;
            button.idCommand = static_cast<int>(ids[i]);
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = TBSTYLE_BUTTON;
        }
        buttons.push_back(button);
    }
    if (!buttons.empty() && !SendMessage(TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data())))
        return false;
    SendMessage(TB_AUTOSIZE);
    return true;
}

UINT CToolBar::GetItemID(int index) const
{
    TBBUTTON button{};
    if (!SendMessage(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? 0 : static_cast<UINT>(button.idCommand);
}

SIZE CToolBar::GetIdealSize() const
{
    SIZE size{0, 0};
    SendMessage(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    DWORD buttonSize = static_cast<DWORD>(SendMessage(TB_GETBUTTONSIZE));
    size.cy = std::max<LONG>(size.cy, HIWORD(buttonSize));
    return size;
}

SIZE CToolBar::CalcFixedLayout(bool, bool horizontal)
{
    SIZE ideal = GetIdealSize();
    return horizontal ? SIZE{32767, ideal.cy + 4} : SIZE{ideal.cx + 4, 32767};
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, bool)
{
    CToolCmdUI ui(m_hWnd);
    int count = GetCount();
    for (int i = 0; i < count; ++i) {
        UINT id = GetItemID(i);
        if (id == 0)
            continue;
        ui.m_nID = id;
        ui.m_nIndex = static_cast<UINT>(i);
        // A button without an update handler keeps its state: its command may still have a
        // handler, which the framework cannot see without running it.
        ui.DoUpdate(target, false);
    }
}

bool CToolBar::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != TBN_HOTITEMCHANGE)
        return false;
    auto* change = reinterpret_cast<NMTBHOTITEM*>(lParam);
    CFrameWnd* frame = DockSite();
    if ((m_dwStyle & CBRS_FLYBY) && frame) {
        if (change->dwFlags & HICF_LEAVING)
            frame->SetMessageText(static_cast<UINT>(AFX_IDS_IDLEMESSAGE));
        else
            frame->SetMessageText(static_cast<UINT>(change->idNew));
    }
    *result = 0;
    return true;
}

bool CReBar::Create(CWnd* parent, DWORD ctrlStyle, DWORD style, UINT id)
{
    m_dwStyle = style & 0xFFFF;
    DWORD windowStyle = (style & ~0xFFFF) | ctrlStyle | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;
    if (!CreateEx(WS_EX_TOOLWINDOW, REBARCLASSNAMEA, nullptr, windowStyle | WS_CHILD, 0, 0, 100, 30, parent->m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    REBARINFO info{};
    info.cbSize = sizeof(info);
    SendMessage(RB_SETBARINFO, 0, reinterpret_cast<LPARAM>(&info));
    JoinFrame(parent);
    return true;
}

bool CReBar::AddBar(CWnd* bar, const char* text, HBITMAP background, DWORD bandStyle)
{
    RECT r;
    bar->GetWindowRect(&r);
    SIZE size{r.right - r.left, r.bottom - r.top};
    if (AfxGuarded(bar)->IsControlBar()) {
        auto* controlBar = static_cast<CControlBar*>(bar);
        size.cx = AfxGuarded(controlBar)->CalcFixedLayout(false, false).cx;
        size.cy = AfxGuarded(controlBar)->CalcFixedLayout(false, true).cy;
    }
    ::SetParent(bar->m_hWnd, m_hWnd);
    REBARBANDINFOA band{};
    band.cbSize = sizeof(band);
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | RBBIM_ID | RBBIM_IDEALSIZE |
                 (text ? RBBIM_TEXT : 0) | (background ? RBBIM_BACKGROUND : 0);
    band.fStyle = bandStyle;
    band.hwndChild = bar->m_hWnd;
    band.cxMinChild = size.cx;
    band.cyMinChild = size.cy;
    band.cx = size.cx;
    band.cxIdeal = size.cx;
    band.wID = static_cast<UINT>(bar->GetDlgCtrlID());
    band.lpText = const_cast<char*>(text);
    band.hbmBack = background;
    return SendMessage(RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band)) != 0;
}

bool CReBar::GetBandInfo(int index, REBARBANDINFOA* info) const
{
    return SendMessage(RB_GETBANDINFOA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(info)) != 0;
}

SIZE CReBar::CalcFixedLayout(bool, bool)
{
    int height = static_cast<int>(SendMessage(RB_GETBARHEIGHT));
    return SIZE{32767, height};
}

bool CReBar::ShowChildBar(CControlBar* child, bool show)
{
    int count = GetBandCount();
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOA band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILD;
        if (GetBandInfo(i, &band) && band.hwndChild == child->m_hWnd) {
            SendMessage(RB_SHOWBAND, static_cast<WPARAM>(i), show);
            return true;
        }
    }
    return false;
}

bool CReBar::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_NOTIFY || reinterpret_cast<NMHDR*>(lParam)->code != RBN_HEIGHTCHANGE)
        return false;
    if (CFrameWnd* frame = DockSite())
        AfxGuarded(frame)->RecalcLayout(true);
    *result = 0;
    return true;
}

namespace {
// The state of one status bar pane as an update handler sets it.
class CStatusCmdUI : public CCmdUI {
public:
    explicit CStatusCmdUI(CStatusBar& bar) : m_bar(bar) {}
    void Enable(bool on) override
    {
        m_bEnableChanged = true;
        int index = static_cast<int>(m_nIndex);
        UINT style = m_bar.GetPaneStyle(index);
        UINT wanted = on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
        if (wanted != style)
            m_bar.SetPaneStyle(index, wanted);
    }
    void SetCheck(int check) override
    {
        int index = static_cast<int>(m_nIndex);
        UINT style = m_bar.GetPaneStyle(index);
        UINT wanted = check ? (style | SBPS_POPOUT) : (style & ~SBPS_POPOUT);
        if (wanted != style)
            m_bar.SetPaneStyle(index, wanted);
    }
    void SetText(const char* text) override { m_bar.SetPaneText(static_cast<int>(m_nIndex), text); }

private:
    CStatusBar& m_bar;
};

int TextWidth(HWND wnd, const std::string& text)
{
    CClientDC dc(wnd);
    HFONT font = reinterpret_cast<HFONT>(::SendMessageA(wnd, WM_GETFONT, 0, 0));
    CSelectObject selected(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
}  // namespace

bool CStatusBar::Create(CWnd* parent, DWORD style, UINT id)
{
    m_dwStyle = style & 0xFFFF;
    DWORD windowStyle = (style & ~0xFFFF) | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (!CreateEx(0, STATUSCLASSNAMEA, nullptr, windowStyle | WS_CHILD, 0, 0, 100, 20, parent->m_hWnd,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))))
        return false;
    JoinFrame(parent);
    return true;
}

bool CStatusBar::SetIndicators(const UINT* ids, int count)
{
    m_panes.clear();
    for (int i = 0; i < count; ++i) {
        Pane pane;
        pane.id = ids[i];
        if (ids[i] == ID_SEPARATOR) {
            pane.style = i == 0 ? SBPS_NOBORDERS | SBPS_STRETCH : SBPS_NORMAL;
        } else {
            pane.text = AfxLoadString(ids[i]);
            pane.width = TextWidth(m_hWnd, pane.text) + 8;
        }
        m_panes.push_back(pane);
    }
    if (!m_panes.empty() && m_panes[0].id == ID_SEPARATOR)
        m_panes[0].text = AfxLoadString(AFX_IDS_IDLEMESSAGE);
    UpdateParts();
    return true;
}

UINT CStatusBar::GetItemID(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<std::size_t>(index)].id : 0;
}

int CStatusBar::CommandToIndex(UINT id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_panes[static_cast<std::size_t>(i)].id == id)
            return i;
    }
    return -1;
}

void CStatusBar::UpdateParts()
{
    if (!m_hWnd || m_panes.empty())
        return;
    RECT client;
    GetClientRect(&client);
    int fixed = 0;
    for (const Pane& pane : m_panes)
        fixed += (pane.style & SBPS_STRETCH) ? 0 : pane.width + 4;
    std::vector<int> edges;
    int right = 0;
    for (const Pane& pane : m_panes) {
        int width = (pane.style & SBPS_STRETCH) ? std::max<int>(client.right - fixed - 20, 0) : pane.width + 4;
        right += width;
        edges.push_back(right);
    }
    edges.back() = -1;
    SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < GetCount(); ++i)
        ShowPaneText(i);
}

void CStatusBar::ShowPaneText(int index)
{
    const Pane& pane = m_panes[static_cast<std::size_t>(index)];
    UINT type = pane.style & (SBT_NOBORDERS | SBT_POPOUT | SBT_OWNERDRAW);
    const char* text = (pane.style & SBPS_DISABLED) ? "" : pane.text.c_str();
    if (pane.style & SBT_OWNERDRAW)
        text = reinterpret_cast<const char*>(this);  // handed back in DRAWITEMSTRUCT::itemData
    SendMessage(SB_SETTEXTA, static_cast<WPARAM>(index) | type, reinterpret_cast<LPARAM>(text));
}

bool CStatusBar::SetPaneText(int index, const char* text, bool update)
{
    if (index < 0 || index >= GetCount())
        return false;
    m_panes[static_cast<std::size_t>(index)].text = text ? text : "";
    if (update)
        ShowPaneText(index);
    return true;
}

std::string CStatusBar::GetPaneText(int index) const
{
    if (index < 0 || index >= GetCount())
        return std::string();
    const Pane& pane = m_panes[static_cast<std::size_t>(index)];
    return (pane.style & SBPS_DISABLED) ? std::string() : pane.text;
}

void CStatusBar::SetPaneInfo(int index, UINT id, UINT style, int width)
{
    if (index < 0 || index >= GetCount())
        return;
    Pane& pane = m_panes[static_cast<std::size_t>(index)];
    pane.id = id;
    pane.style = style;
    pane.width = width;
    UpdateParts();
}

void CStatusBar::GetPaneInfo(int index, UINT& id, UINT& style, int& width) const
{
    id = GetItemID(index);
    style = GetPaneStyle(index);
    width = index >= 0 && index < GetCount() ? m_panes[static_cast<std::size_t>(index)].width : 0;
}

UINT CStatusBar::GetPaneStyle(int index) const
{
    return index >= 0 && index < GetCount() ? m_panes[static_cast<std::size_t>(index)].style : 0;
}

void CStatusBar::SetPaneStyle(int index, UINT style)
{
    if (index < 0 || index >= GetCount())
        return;
    m_panes[static_cast<std::size_t>(index)].style = style;
    ShowPaneText(index);
}

void CStatusBar::GetItemRect(int index, RECT* rect) const
{
    SendMessage(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect));
}

void CStatusBar::DrawItem(DRAWITEMSTRUCT*) {}

SIZE CStatusBar::CalcFixedLayout(bool, bool)
{
    CClientDC dc(m_hWnd);
    HFONT font = GetFont();
    CSelectObject selected(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    return SIZE{32767, metrics.tmHeight + 8};
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, bool)
{
    CStatusCmdUI ui(*this);
    for (int i = 0; i < GetCount(); ++i) {
        UINT id = m_panes[static_cast<std::size_t>(i)].id;
        if (id == ID_SEPARATOR)
            continue;
        ui.m_nID = id;
        ui.m_nIndex = static_cast<UINT>(i);
        ui.DoUpdate(target, true);  // an indicator nobody answers for shows nothing
    }
}

bool CStatusBar::OnChildNotify(UINT msg, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (msg != WM_DRAWITEM)
        return false;
    AfxGuarded(this)->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    *result = TRUE;
    return true;
}

bool CStatusBar::OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (msg) {
        case WM_SIZE:
            *result = Default();
            UpdateParts();
            return true;
        case WM_SETTEXT:  // the frame's message texts go to the message pane
            SetPaneText(0, reinterpret_cast<const char*>(lParam));
            *result = TRUE;
            return true;
        default:
            return CControlBar::OnWndMsg(msg, wParam, lParam, result);
    }
}
