#pragma once
// Our side of the Launcher's named shared-data block: opened (never created) by Scrivel
// for its whole run and by Options for a moment. CSharedDataOwner creates the block; only
// the Launcher and test harnesses do that.

#include <windows.h>

#include <string>

#include "Handles.h"
#include "LauncherLink.h"

class CSharedData {
public:
    CSharedData() = default;
    CSharedData(const CSharedData&) = delete;
    CSharedData& operator=(const CSharedData&) = delete;
    ~CSharedData() { Close(); }

    // Opens the mapping by name with all access and maps all 5008 bytes. False when the
    // mapping does not exist: the Launcher is not running.
    bool Open();
    void Close();
    bool IsOpen() const { return m_data != nullptr; }

    // Copies at most 4999 characters of text into szText and terminates it.
    void SetText(const char* text);
    // At most 4999 characters, whether or not the Launcher terminated the text.
    std::string GetText() const;
    HWND GetEditorWnd() const;
    void SetEditorWnd(HWND wnd);
    HWND GetLauncherWnd() const;

    LauncherSharedData* Data() { return m_data; }

private:
    CKernelHandle m_mapping;
    CMappedView m_view;
    LauncherSharedData* m_data = nullptr;
};

class CSharedDataOwner {
public:
    CSharedDataOwner() = default;
    CSharedDataOwner(const CSharedDataOwner&) = delete;
    CSharedDataOwner& operator=(const CSharedDataOwner&) = delete;

    // Creates the zero-filled block (or opens it when it already exists).
    bool Create();
    void Close();
    LauncherSharedData* Data() { return m_data; }

private:
    CKernelHandle m_mapping;
    CMappedView m_view;
    LauncherSharedData* m_data = nullptr;
};

// Window handles in the block are 32-bit values.
inline HWND HandleFromBlock(std::uint32_t value)
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(value));
}

inline std::uint32_t HandleToBlock(HWND wnd)
{
    return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(wnd));
}
