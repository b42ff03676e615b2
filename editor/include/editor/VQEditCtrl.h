#pragma once
// CVQEditCtrl: an editor control on a plain window (a dialog's sample), with a buffer of
// its own.
#include <windows.h>

#include <editor/EditorApi.h>
#include <editor/VQEditor.h>

class EDITORAPI CVQEditCtrl : public CVQEditor<CWnd> {
public:
    CVQEditCtrl();
    ~CVQEditCtrl() override;

    CVQEdit* GetEdit() override { return &m_Edit; }

    // Takes the place of a dialog's control `id` (its position, size, identifier and
    // place among its siblings); the placeholder is destroyed. The buffer takes the current
    // settings of m_Colors. FALSE when there is no
    // such control or the window cannot be made.
    BOOL CreateFromItem(UINT id, CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, DWORD exStyle = WS_EX_CLIENTEDGE);

private:
    CVQEdit m_Edit;
};
