#include <editor/EditorDll.h>

#include <windows.h>

#include <editor/Colors.h>
#include "EditorControl.h"
#include "EditorModule.h"

HINSTANCE EditorModuleHandle()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&EditorModuleHandle), &module);
    return module;
}

std::string EditorModuleFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(EditorModuleHandle(), path, MAX_PATH);
    std::string folder(path, n < MAX_PATH ? n : 0);
    const std::size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
}

void InitEditorDLL()
{
    try {
        tessaly::editor::RegisterEditorClass(EditorModuleHandle());
        // Every call takes the stored settings again: a library loaded once may be
        // started many times, with the settings changed in between.
        m_Colors.ReadSettings();
    } catch (...) {
        // Out of memory while reading the settings: the table stays as it was.
    }
}
