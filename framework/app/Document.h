#pragma once
// CDocument: the data of one open file, shown by one or more views. Keeps the title, the
// path, the modified flag and its views; runs Save, Save As and Close with the question
// whether to save changes.

#include <windows.h>

#include <string>
#include <vector>

#include "CmdTarget.h"
#include "FwApi.h"

class CDocTemplate;
class CFrameWnd;
class CView;

class FWAPI CDocument : public CCmdTarget {
public:
    friend struct CModuleCalls;  // calls the overridable functions in their own module
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const char* title);
    const std::string& GetPathName() const { return m_strPathName; }
    // Takes the full form of `path` and its file name as the title.
    virtual void SetPathName(const char* path);
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_viewList; }
    CView* GetFirstView() const { return m_viewList.empty() ? nullptr : m_viewList.front(); }
    void UpdateAllViews(CView* sender, LPARAM hint = 0);
    // Numbers the frames of a document shown in more than one ("name:1", "name:2").
    void UpdateFrameCounts();

    // Hooks of the document's life.
    virtual bool OnNewDocument();
    // The base checks that the file can be opened for reading and tells the user if not.
    virtual bool OnOpenDocument(const char* path);
    // The base checks that the file can be created for writing and tells the user if not.
    virtual bool OnSaveDocument(const char* path);
    // Destroys the document's frames, then the document.
    virtual void OnCloseDocument();
    virtual void DeleteContents();
    // Asks "Save changes to <title>?" when modified; false when the user cancelled or the
    // save failed.
    virtual bool SaveModified();
    virtual bool CanCloseFrame(CFrameWnd* frame);
    // Saves under `path`, or asks for a name when it is null; `replace` makes the new name
    // the document's.
    virtual bool DoSave(const char* path, bool replace = true);
    virtual bool DoFileSave();

    bool m_bAutoDelete = true;
    CDocTemplate* m_pDocTemplate = nullptr;

protected:
    bool HandleCommand(UINT id, UINT code) override;
    virtual void OnChangedViewList();

    std::string m_strTitle;
    std::string m_strPathName;
    bool m_bModified = false;
    std::vector<CView*> m_viewList;
    bool m_bClosing = false;
};
