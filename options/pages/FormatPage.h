#pragma once
// CFormatPage: the editor's colours, font and tabs, with a live sample.

#include "PendingPage.h"
#include "resource.h"

class CFormatPage : public CPendingPage {
public:
    CFormatPage() : CPendingPage(IDD_PAGE_FORMAT, "opt_5.htm") {}
};
