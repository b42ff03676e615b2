#pragma once
// CEditorFilesPage: the files Scrivel opens at start and the restart after a change.

#include "PendingPage.h"
#include "resource.h"

class CEditorFilesPage : public CPendingPage {
public:
    CEditorFilesPage() : CPendingPage(IDD_PAGE_SCRIVEL, "opt_4.htm") {}
};
