#pragma once
// CCommandLinesPage: the server's folder and the eight switches the Launcher and the server
// information pages run it with. "..." browses for a folder that holds the server; saving
// tells the Launcher that the command lines changed.

#include <array>
#include <string>

#include "OptionsPage.h"
#include "SettingsSchema.h"

class CCommandLinesPage : public COptionsPage {
public:
    CCommandLinesPage();

    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnFrameOK(BOOL changed) override;
    void Apply() override;

    void BrowseForApache();
    // True when the folder holds the server's core library.
    static BOOL FindApacheCore(const char* folder);

protected:
    bool HandleCommand(UINT id, UINT code) override;

private:
    void OnDefault();
    // Members to controls; the edits' change notifications meanwhile are not the user's.
    void ShowValues();

    std::string m_strLocation;
    // In the order of the page's description (pages::kCommandLineFields).
    std::array<std::string, settings::kCommandLineCount> m_switches;
    bool m_bShowing = false;
};
