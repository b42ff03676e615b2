#pragma once
// The four read-only pages of what the installed server prints about itself: its version
// (with a link to the project's site), its compiled-in modules, its directives and its
// parsed virtual-host settings. Each runs the server once, when first shown, with the
// stored switch; none marks itself changed or saves anything.

#include "LinkLabel.h"
#include "OptionsPage.h"
#include "SettingsSchema.h"
#include "resource.h"

// CServerOutputPage: a page that shows the server's answer to one stored switch in one control.
class CServerOutputPage : public COptionsPage {
public:
    CServerOutputPage(UINT templateId, const char* helpTopic, settings::CommandLine which, int outputId);

    BOOL OnInitDialog() override;

private:
    settings::CommandLine m_which;
    int m_nOutputId;
};

class CServerInfoPage : public CServerOutputPage {
public:
    CServerInfoPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;

private:
    CLinkLabel m_wndLink;
};

class CModulesPage : public CServerOutputPage {
public:
    CModulesPage() : CServerOutputPage(IDD_PAGE_MODULES, "opt_9.htm", settings::CommandLine::Modules, IDC_SERVER_OUTPUT)
    {}
};

class CDirectivesPage : public CServerOutputPage {
public:
    CDirectivesPage()
        : CServerOutputPage(IDD_PAGE_DIRECTIVES, "opt_10.htm", settings::CommandLine::Directives, IDC_SERVER_OUTPUT)
    {}
};

class CParsedSettingsPage : public CServerOutputPage {
public:
    CParsedSettingsPage()
        : CServerOutputPage(IDD_PAGE_PARSED_SETTINGS, "opt_11.htm", settings::CommandLine::Settings, IDC_SERVER_OUTPUT)
    {}
};
