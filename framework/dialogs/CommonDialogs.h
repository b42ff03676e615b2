#pragma once
// Small wrappers of the common dialogs that return the chosen values: open and save file,
// colour, font (also from a template of the caller), the modeless find and replace dialog,
// and the shell's folder browser, which is loaded when it is first needed.

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "Dialog.h"
#include "FwApi.h"

class FWAPI CFileDialog {
public:
    // `filter` lists pairs separated by '|', ending in "||": "Logs (*.log)|*.log|All files|*.*||".
    CFileDialog(bool open, const char* defaultExt = nullptr, const char* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    INT_PTR DoModal();
    std::string GetPathName() const { return m_file; }
    std::string GetFileName() const;

    OPENFILENAMEA m_ofn{};

private:
    bool m_bOpen;
    std::string m_filter;
    std::string m_defaultExt;
    char m_file[MAX_PATH * 4] = {};
};

class FWAPI CColorDialog {
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORA m_cc{};

private:
    COLORREF m_custom[16];
};

class FWAPI CFontDialog {
public:
    explicit CFontDialog(const LOGFONTA* initial = nullptr, DWORD flags = CF_SCREENFONTS, CWnd* parent = nullptr);
    // Shows the dialog from template `id` of the module's resources; it must hold the font
    // dialog's standard controls.
    void SetTemplate(UINT id);
    INT_PTR DoModal();
    const LOGFONTA& GetLogFont() const { return m_lf; }
    std::string GetFaceName() const { return m_lf.lfFaceName; }
    int GetSize() const { return m_cf.iPointSize; }  // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }

    CHOOSEFONTA m_cf{};
    LOGFONTA m_lf{};
};

// The modeless find or replace dialog; it deletes itself when it closes. Its owner hears
// of every action through the registered message GetFindReplaceMsg().
class FWAPI CFindReplaceDialog : public CDialog {
public:
    static UINT GetFindReplaceMsg();
    // The dialog that sent the message with this lParam.
    static CFindReplaceDialog* GetNotifier(LPARAM lParam);

    bool Create(bool findOnly, const char* findWhat, const char* replaceWith = nullptr, DWORD flags = FR_DOWN,
                CWnd* parent = nullptr);
    std::string GetFindString() const { return m_find; }
    std::string GetReplaceString() const { return m_replace; }
    bool SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    bool MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    bool MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    bool FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    bool ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    bool ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    bool IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

    FINDREPLACEA m_fr{};

protected:
    // The dialog manager of the common dialog handles its own controls.
    bool OnWndMsg(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    bool HandleCommand(UINT id, UINT code) override;
    void PostNcDestroy() override;

private:
    char m_find[256] = {};
    char m_replace[256] = {};
};

// The shell's folder browser; `path` gives the folder selected first and receives the
// chosen one. False when cancelled or when the shell cannot be loaded.
FWAPI bool AfxBrowseForFolder(HWND owner, const char* title, std::string& path);
