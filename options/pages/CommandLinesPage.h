#pragma once
// CCommandLinesPage: the server's folder and the command-line switches the Launcher runs it with.

#include "PendingPage.h"
#include "resource.h"

class CCommandLinesPage : public CPendingPage {
public:
    CCommandLinesPage() : CPendingPage(IDD_PAGE_COMMAND_LINES, "opt_2.htm") {}
};
