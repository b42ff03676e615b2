#pragma once
// The HTML Help engine that Scrivel and Brenlo call for their help topics: loaded from the
// location its class registration gives, else by its plain name. Without it help does
// nothing.

#include <windows.h>

#include <string>

#include "Handles.h"

constexpr UINT kHtmlHelpDisplayTopic = 0;  // HH_DISPLAY_TOPIC

// One loaded engine; the process keeps one for good (CallHtmlHelp), tests load their own.
class CHtmlHelpEngine {
public:
    // The registered location first, "hhctrl.ocx" second; an engine that is not loaded
    // when neither can be.
    static CHtmlHelpEngine Load();

    bool IsLoaded() const { return static_cast<bool>(m_module); }
    // The full path of the loaded engine; empty when none is loaded.
    std::string Path() const;
    // HtmlHelpA of the engine (by name, else by its ordinal 14); a null window when the
    // engine or the entry is missing.
    HWND HtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data) const;

private:
    CModule m_module;
};

// HtmlHelpA of the engine the process loaded on first use; it stays loaded until the
// process ends, since help windows may outlive the call that opened them.
HWND CallHtmlHelp(HWND owner, const char* file, UINT command, DWORD_PTR data);
