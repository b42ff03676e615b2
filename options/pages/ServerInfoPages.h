#pragma once
// The four read-only pages of what the installed server prints about itself: its version
// (with a link to the project's site), its compiled-in modules, its directives and its
// parsed virtual-host settings.

#include "PendingPage.h"
#include "resource.h"

class CServerInfoPage : public CPendingPage {
public:
    CServerInfoPage() : CPendingPage(IDD_PAGE_SERVER_INFO, "opt_8.htm") {}
};

class CModulesPage : public CPendingPage {
public:
    CModulesPage() : CPendingPage(IDD_PAGE_MODULES, "opt_9.htm") {}
};

class CDirectivesPage : public CPendingPage {
public:
    CDirectivesPage() : CPendingPage(IDD_PAGE_DIRECTIVES, "opt_10.htm") {}
};

class CParsedSettingsPage : public CPendingPage {
public:
    CParsedSettingsPage() : CPendingPage(IDD_PAGE_PARSED_SETTINGS, "opt_11.htm") {}
};
