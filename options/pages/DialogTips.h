#pragma once
// The tips of a small dialog of the pages: each control's tip is the string of its id.

#include <span>
#include <string>

#include "Controls.h"
#include "Wnd.h"

// Makes the dialog's tooltip active and gives it every listed control that exists and has a
// string; false when the tooltip cannot be made.
inline bool CreateDialogTips(CToolTipCtrl& tips, CWnd* dialog, std::span<const int> controlIds)
{
    if (!tips.Create(dialog))
        return false;
    tips.Activate(true);
    for (int id : controlIds) {
        const std::string text = AfxLoadString(static_cast<UINT>(id));
        if (!text.empty() && dialog->GetDlgItem(id))
            tips.AddTool(dialog->GetDlgItem(id), text.c_str());
    }
    return true;
}
