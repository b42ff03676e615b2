#include "ModelessDialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {
constexpr UINT_PTR kRegistrationId = 0x4D444C47;  // this file's subclass of the dialog

// The registered dialogs; every one belongs to the user-interface thread, whose loops are
// the only ones that look here.
std::vector<HWND>& Registered()
{
    static std::vector<HWND> dialogs;
    return dialogs;
}

LRESULT CALLBACK EndRegistration(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (msg == WM_NCDESTROY) {
        auto& dialogs = Registered();
        dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
        ::RemoveWindowSubclass(dialog, EndRegistration, kRegistrationId);
    }
    return ::DefSubclassProc(dialog, msg, wParam, lParam);
}
}  // namespace

void AfxRegisterModelessDialog(HWND dialog)
{
    auto& dialogs = Registered();
    if (!::IsWindow(dialog) || std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end())
        return;
    if (::SetWindowSubclass(dialog, EndRegistration, kRegistrationId, 0))
        dialogs.push_back(dialog);
}

bool AfxPreTranslateModelessDialog(MSG* msg)
{
    if (!msg->hwnd || msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return false;
    for (HWND dialog : Registered()) {
        if ((msg->hwnd == dialog || ::IsChild(dialog, msg->hwnd)) && ::IsDialogMessageA(dialog, msg))
            return true;
    }
    return false;
}
