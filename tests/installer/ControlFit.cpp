#include "ControlFit.h"

#include <algorithm>
#include <cctype>

#include <commctrl.h>

#include "Gdi.h"
#include "UiDriver.h"

namespace looktest {
namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The label as drawn: "&&" is one ampersand, a single '&' marks the mnemonic.
std::string Drawn(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// Room a text needs in the control, in pixels; {0, 0} for controls without a label.
SIZE Needed(HWND control, const std::string& text, int width)
{
    SIZE size{0, 0};
    CClientDC dc(control);
    auto font = reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0));
    CSelectObject select(dc, font ? static_cast<HGDIOBJ>(font) : ::GetStockObject(SYSTEM_FONT));
    RECT box{0, 0, width, 0};
    std::string drawn = Drawn(text);
    ::DrawTextA(dc, drawn.c_str(), static_cast<int>(drawn.size()), &box, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SIZE line{};
    ::GetTextExtentPoint32A(dc, drawn.c_str(), static_cast<int>(drawn.size()), &line);
    size.cx = line.cx;
    size.cy = box.bottom;
    return size;
}

int LineHeight(HWND control)
{
    return Needed(control, "Ag", 1000).cy;
}

// Each column of a report list wide enough for its heading (the header's own margins
// included).
void CheckHeadings(HWND list, std::vector<std::string>& cut)
{
    HWND header = reinterpret_cast<HWND>(::SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int count = header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        char text[128] = {};
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        ::SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        const int need = Needed(header, text, 1000).cx + 12;
        if (need > item.cxy)
            cut.push_back(std::to_string(::GetDlgCtrlID(list)) + " column \"" + text + "\" needs " +
                          std::to_string(need) + " px wide, has " + std::to_string(item.cxy));
    }
}

void CheckLabel(HWND control, std::vector<std::string>& cut)
{
    const std::string text = ui::TextOf(control);
    const std::string kind = Lower(ui::ClassOf(control));
    if (kind == "syslistview32")
        CheckHeadings(control, cut);
    if (text.empty())
        return;
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    RECT client{};
    ::GetClientRect(control, &client);
    const int id = ::GetDlgCtrlID(control);
    auto report = [&](const char* what, long need, long have) {
        cut.push_back(std::to_string(id) + " \"" + text + "\" needs " + std::to_string(need) + " px " + what +
                      ", has " + std::to_string(have));
    };
    if (kind == "static") {
        const LONG type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP)
            return;
        const SIZE need = Needed(control, text, client.right);
        const bool oneLine = type == SS_LEFTNOWORDWRAP || need.cy <= 0 || client.bottom < 2 * LineHeight(control);
        if (oneLine && need.cx > client.right)
            report("wide", need.cx, client.right);
        else if (!oneLine && need.cy > client.bottom)
            report("high", need.cy, client.bottom);
        return;
    }
    if (kind != "button")
        return;
    const LONG type = style & BS_TYPEMASK;
    const SIZE need = Needed(control, text, client.right);
    const int check = ::GetSystemMetrics(SM_CXMENUCHECK) + 3;
    switch (type) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            if (style & BS_MULTILINE) {
                if (Needed(control, text, client.right - check).cy > client.bottom)
                    report("high", Needed(control, text, client.right - check).cy, client.bottom);
            } else if (need.cx + check > client.right) {
                report("wide", need.cx + check, client.right);
            }
            break;
        case BS_GROUPBOX:
            if (need.cx + 8 > client.right)
                report("wide", need.cx + 8, client.right);
            break;
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            if (need.cx + 4 > client.right)
                report("wide", need.cx + 4, client.right);
            break;
        default:
            break;
    }
}

}  // namespace

std::vector<std::string> CutControls(HWND dialog, const std::set<int>& runtimeTexts)
{
    std::vector<std::string> cut;
    RECT area{};
    ::GetClientRect(dialog, &area);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child))
            continue;
        RECT place{};
        ::GetWindowRect(child, &place);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        const int id = ::GetDlgCtrlID(child);
        if (place.left < 0 || place.top < 0 || place.right > area.right || place.bottom > area.bottom)
            cut.push_back(std::to_string(id) + " lies outside its parent (" + std::to_string(place.right) + "," +
                          std::to_string(place.bottom) + " in " + std::to_string(area.right) + "x" +
                          std::to_string(area.bottom) + ")");
        if (!runtimeTexts.count(id))
            CheckLabel(child, cut);
    }
    return cut;
}

std::string ClassModule(HWND wnd)
{
    // The module holding the class's window procedure (the framework subclasses the
    // controls it wraps, so the window's own procedure is the framework's).
    // The system's classes are Unicode: asked in Unicode, the answer is the procedure itself.
    const ULONG_PTR procedure = ::GetClassLongPtrW(wnd, GCLP_WNDPROC);
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<const char*>(procedure), &module))
        return "<unknown>";
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(module, path, MAX_PATH);
    return Lower(path);
}

bool IsStyledControl(HWND wnd)
{
    return ClassModule(wnd).find("winsxs") != std::string::npos;
}

}  // namespace looktest
