#pragma once
// CBrowsersPage: the web browsers the Launcher offers, with their DDE settings.

#include "PendingPage.h"
#include "resource.h"

class CBrowsersPage : public CPendingPage {
public:
    CBrowsersPage() : CPendingPage(IDD_PAGE_BROWSERS, "opt_7.htm") {}
};
