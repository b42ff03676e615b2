#pragma once
// CHostsPage: which virtual hosts and project files the Launcher's menu offers.

#include "PendingPage.h"
#include "resource.h"
#include "LauncherLists.h"

class CHostsPage : public CPendingPage {
public:
    CHostsPage() : CPendingPage(IDD_PAGE_HOSTS, "opt_6.htm") {}

    const HostList* m_pHostList = nullptr;  // the caller's list, read only, valid during the call
};
