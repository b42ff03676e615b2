#pragma once
// Calls from the framework into the overridable functions of an object. The framework lives
// in editor.dll, but the classes derived from it live in the program and in each library,
// and each module unwinds exceptions with its own copy of the runtime: an exception that
// left a module's handler and met a frame of editor.dll would end the process. So the
// framework never calls one of these functions directly: it calls through the table of the
// module that defined the object's class, whose entries are compiled into that module
// (framework/windows/module/ModuleCalls.cpp) and catch there whatever the function throws. Each
// entry says what the caller gets instead:
//  - Quiet:   nothing happened (false, 0, null), noted in the debugger's output;
//  - Refuse:  the same, and the user is told that the action could not be completed;
//  - Handled: the command counts as handled (so no other target runs it), user told;
//  - Route:   as Handled for a command, as Quiet for a command's state.
// A function that returns nothing gives true through the table when it ran to its end.

#include <windows.h>

#include <type_traits>
#include <typeinfo>
#include <utility>

#include "ControlBar.h"
#include "Dialog.h"
#include "DocTemplate.h"
#include "Document.h"
#include "FrameWnd.h"
#include "FwApi.h"
#include "SplitterWnd.h"
#include "ToolBar.h"
#include "View.h"
#include "WinApp.h"
#include "Wnd.h"

// X(class that declares the function, function, what a throw gives)
#define FW_MODULE_CALLS(X)                                                                                             \
    X(CCmdTarget, OnCmdMsg, Route)                                                                                     \
    X(CCmdTarget, HandleCommand, Handled)                                                                              \
    X(CCmdTarget, UpdateCommand, Quiet)                                                                                \
    X(CWnd, PreCreateWindow, Quiet)                                                                                    \
    X(CWnd, PreSubclassWindow, Quiet)                                                                                  \
    X(CWnd, DestroyWindow, Quiet)                                                                                      \
    X(CWnd, WindowProc, Quiet)                                                                                         \
    X(CWnd, OnWndMsg, Quiet)                                                                                           \
    X(CWnd, DefWindowProc, Quiet)                                                                                      \
    X(CWnd, PreTranslateMessage, Quiet)                                                                                \
    X(CWnd, OnChildNotify, Quiet)                                                                                      \
    X(CWnd, IsFrameWnd, Quiet)                                                                                         \
    X(CWnd, IsView, Quiet)                                                                                             \
    X(CWnd, IsSplitter, Quiet)                                                                                         \
    X(CWnd, IsControlBar, Quiet)                                                                                       \
    X(CWnd, GetScrollBarCtrl, Quiet)                                                                                   \
    X(CWnd, PostNcDestroy, Quiet)                                                                                      \
    X(CWnd, OnCreate, Quiet)                                                                                           \
    X(CWnd, OnDestroy, Quiet)                                                                                          \
    X(CWnd, OnSize, Quiet)                                                                                             \
    X(CWnd, OnPaint, Quiet)                                                                                            \
    X(CWnd, OnEraseBkgnd, Quiet)                                                                                       \
    X(CWnd, OnClose, Quiet)                                                                                            \
    X(CWnd, OnTimer, Quiet)                                                                                            \
    X(CWnd, OnSetFocus, Quiet)                                                                                         \
    X(CWnd, OnCommand, Handled)                                                                                        \
    X(CWnd, OnNotify, Quiet)                                                                                           \
    X(CWnd, OnCtlColor, Quiet)                                                                                         \
    X(CWnd, OnDrawItem, Quiet)                                                                                         \
    X(CWnd, OnInitMenuPopup, Quiet)                                                                                    \
    X(CWnd, OnDropFiles, Refuse)                                                                                       \
    X(CControlBar, Layout, Quiet)                                                                                      \
    X(CControlBar, CalcFixedLayout, Quiet)                                                                             \
    X(CControlBar, CalcDynamicLayout, Quiet)                                                                           \
    X(CControlBar, OnUpdateCmdUI, Quiet)                                                                               \
    X(CControlBar, ShowChildBar, Quiet)                                                                                \
    X(CStatusBar, DrawItem, Quiet)                                                                                     \
    X(CDialog, DoDataExchange, Refuse)                                                                                 \
    X(CDialog, OnInitDialog, Refuse)                                                                                   \
    X(CDialog, OnOK, Refuse)                                                                                           \
    X(CDialog, OnCancel, Refuse)                                                                                       \
    X(CSplitterWnd, SplitRow, Quiet)                                                                                   \
    X(CSplitterWnd, SplitColumn, Quiet)                                                                                \
    X(CSplitterWnd, DeleteRow, Quiet)                                                                                  \
    X(CSplitterWnd, DeleteColumn, Quiet)                                                                               \
    X(CSplitterWnd, ActivateNext, Quiet)                                                                               \
    X(CFrameWnd, LoadFrame, Refuse)                                                                                    \
    X(CFrameWnd, OnCreateClient, Quiet)                                                                                \
    X(CFrameWnd, GetActiveView, Quiet)                                                                                 \
    X(CFrameWnd, SetActiveView, Quiet)                                                                                 \
    X(CFrameWnd, GetActiveDocument, Quiet)                                                                             \
    X(CFrameWnd, GetActiveFrame, Quiet)                                                                                \
    X(CFrameWnd, ActivateFrame, Quiet)                                                                                 \
    X(CFrameWnd, OnUpdateFrameTitle, Quiet)                                                                            \
    X(CFrameWnd, OnUpdateFrameMenu, Quiet)                                                                             \
    X(CFrameWnd, RecalcLayout, Quiet)                                                                                  \
    X(CFrameWnd, GetMessageString, Quiet)                                                                              \
    X(CFrameWnd, OnIdleUpdateCmdUI, Quiet)                                                                             \
    X(CFrameWnd, LayoutPane, Quiet)                                                                                    \
    X(CView, OnInitialUpdate, Quiet)                                                                                   \
    X(CView, OnUpdate, Quiet)                                                                                          \
    X(CView, OnDraw, Quiet)                                                                                            \
    X(CView, OnActivateView, Quiet)                                                                                    \
    X(CView, OnActivateFrame, Quiet)                                                                                   \
    X(CView, OnPreparePrinting, Refuse)                                                                                \
    X(CView, OnBeginPrinting, Quiet)                                                                                   \
    X(CView, OnPrepareDC, Quiet)                                                                                       \
    X(CView, OnPrint, Quiet)                                                                                           \
    X(CView, OnEndPrinting, Quiet)                                                                                     \
    X(CView, OnFilePrint, Refuse)                                                                                      \
    X(CView, OnFilePrintPreview, Refuse)                                                                               \
    X(CDocument, SetTitle, Quiet)                                                                                      \
    X(CDocument, SetPathName, Quiet)                                                                                   \
    X(CDocument, SetModifiedFlag, Quiet)                                                                               \
    X(CDocument, OnNewDocument, Refuse)                                                                                \
    X(CDocument, OnOpenDocument, Refuse)                                                                               \
    X(CDocument, OnSaveDocument, Refuse)                                                                               \
    X(CDocument, OnCloseDocument, Quiet)                                                                               \
    X(CDocument, DeleteContents, Quiet)                                                                                \
    X(CDocument, SaveModified, Refuse)                                                                                 \
    X(CDocument, CanCloseFrame, Refuse)                                                                                \
    X(CDocument, DoSave, Refuse)                                                                                       \
    X(CDocument, DoFileSave, Refuse)                                                                                   \
    X(CDocument, OnChangedViewList, Quiet)                                                                             \
    X(CDocTemplate, OpenDocumentFile, Refuse)                                                                          \
    X(CDocTemplate, SetDefaultTitle, Quiet)                                                                            \
    X(CDocTemplate, CreateNewDocument, Refuse)                                                                         \
    X(CDocTemplate, CreateNewFrame, Refuse)                                                                            \
    X(CDocTemplate, InitialUpdateFrame, Quiet)                                                                         \
    X(CDocTemplate, AddDocument, Quiet)                                                                                \
    X(CDocTemplate, RemoveDocument, Quiet)                                                                             \
    X(CWinApp, InitInstance, Refuse)                                                                                   \
    X(CWinApp, ExitInstance, Quiet)                                                                                    \
    X(CWinApp, Run, Quiet)                                                                                             \
    X(CWinApp, PreTranslateMessage, Quiet)                                                                             \
    X(CWinApp, IsIdleMessage, Quiet)                                                                                   \
    X(CWinApp, OnIdle, Quiet)                                                                                          \
    X(CWinApp, OpenDocumentFile, Refuse)                                                                               \
    X(CWinApp, SaveAllModified, Refuse)

// The type of a table entry for a member function: the object comes first, and a function
// that returns nothing gives true when it ran to its end.
template <class Member>
struct CModuleCallType;
template <class C, class R, class... A>
struct CModuleCallType<R (C::*)(A...)> {
    using Result = std::conditional_t<std::is_void_v<R>, bool, R>;
    using Entry = Result (*)(C*, A...);
};
template <class C, class R, class... A>
struct CModuleCallType<R (C::*)(A...) const> {
    using Result = std::conditional_t<std::is_void_v<R>, bool, R>;
    using Entry = Result (*)(const C*, A...);
};

// One module's guarded entries, one per function of the list above.
struct CModuleCalls {
#define FW_MODULE_CALL_ENTRY(C, N, OnThrow) CModuleCallType<decltype(&C::N)>::Entry C##_##N;
    FW_MODULE_CALLS(FW_MODULE_CALL_ENTRY)
#undef FW_MODULE_CALL_ENTRY

    // The table compiled into the calling module (not exported: each module has its own).
    static const CModuleCalls& ThisModule();
};

// Called once by each module when it starts (framework/windows/module/ModuleCalls.cpp) and when it
// ends: the classes whose type information lies in that module's image use its table.
FWAPI void AfxRegisterModuleCalls(HINSTANCE module, const CModuleCalls* calls);
FWAPI void AfxUnregisterModuleCalls(HINSTANCE module);
// The table of the module whose image holds `address`; editor.dll's own for any other.
FWAPI const CModuleCalls& AfxModuleCallsAt(const void* address);
// What a module's entry does after it stopped an exception: notes `call` and `what` in the
// debugger's output and, when `tellUser` is set, tells the user in a message box.
FWAPI void AfxReportStoppedException(const char* call, const char* what, bool tellUser) noexcept;

// The calls of the list on one object, each through the table of the module that defined
// the object's class: AfxGuarded(view)->OnUpdate(nullptr, 0).
template <class T>
class CGuardedCalls {
public:
    explicit CGuardedCalls(T* object) : m_object(object), m_calls(&AfxModuleCallsAt(&typeid(*object))) {}
    const CGuardedCalls* operator->() const { return this; }

#define FW_MODULE_CALL_METHOD(C, N, OnThrow)                                                                           \
    template <class... A>                                                                                              \
    auto N(A&&... args)                                                                                                \
        const->decltype(std::declval<const CModuleCalls&>().C##_##N(std::declval<T*>(), std::forward<A>(args)...))     \
    {                                                                                                                  \
        return m_calls->C##_##N(m_object, std::forward<A>(args)...);                                                   \
    }
    FW_MODULE_CALLS(FW_MODULE_CALL_METHOD)
#undef FW_MODULE_CALL_METHOD

private:
    T* m_object;
    const CModuleCalls* m_calls;
};

template <class T>
CGuardedCalls<T> AfxGuarded(T* object)
{
    return CGuardedCalls<T>(object);
}
