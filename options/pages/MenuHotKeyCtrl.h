#pragma once
// CMenuHotKeyCtrl: the hot-key control of the Other page. Every key released in it while it
// is enabled, except Tab (moving in or out), marks its page changed.

#include "CommonControls.h"

class COptionsPage;

class CMenuHotKeyCtrl : public CHotKeyCtrl {
public:
    COptionsPage* m_pPage = nullptr;

protected:
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    void OnKeyUp(UINT key);
};
