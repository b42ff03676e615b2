// Stands in for the HTML Help engine, which cannot show pages here: records what it was
// asked into help-calls.txt beside itself.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {
HMODULE ThisModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&ThisModule), &module);
    return module;
}
}  // namespace

extern "C" HWND WINAPI FakeHtmlHelpA(HWND owner, LPCSTR file, UINT command, DWORD_PTR data)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(ThisModule(), path, MAX_PATH);
    std::string record = path;
    record.erase(record.find_last_of('\\') + 1);
    record += "help-calls.txt";
    if (FILE* out = std::fopen(record.c_str(), "ab")) {
        std::fprintf(out, "%p|%s|%u|%lu\n", static_cast<void*>(owner), file ? file : "(null)", command,
                     static_cast<unsigned long>(data));
        std::fclose(out);
    }
    return nullptr;
}
