/* A host like the Launcher: a C program with no C++ runtime of its own that loads the module
   probe library, calls its export whose handlers throw, answers the message box the library
   shows, unloads it and ends normally. Writes what it saw to the file named on its command
   line, one "name=value" a line. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "ThrowProbe.h"

static char g_boxText[512];

/* Answers the first message box of this process within ten seconds. */
static DWORD WINAPI AnswerMessageBox(LPVOID unused)
{
    int tick;
    (void)unused;
    for (tick = 0; tick < 500; ++tick) {
        HWND box = NULL;
        while ((box = FindWindowExA(NULL, box, "#32770", NULL)) != NULL) {
            DWORD process = 0;
            GetWindowThreadProcessId(box, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(box)) {
                GetDlgItemTextA(box, 0xFFFF, g_boxText, sizeof g_boxText);
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return 0;
            }
        }
        Sleep(20);
    }
    return 1;
}

int main(int argc, char** argv)
{
    char path[MAX_PATH];
    char* slash;
    HMODULE library;
    ProbeThrowingHandlersFn probe;
    ThrowProbeAnswer answer;
    HANDLE answerer;
    int called;
    FILE* out;

    if (argc < 2)
        return 2;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    slash = strrchr(path, '\\');
    if (!slash)
        return 2;
    strcpy(slash + 1, "FwModuleProbe.dll");
    library = LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!library)
        return 3;
    probe = (ProbeThrowingHandlersFn)(void*)GetProcAddress(library, "ProbeThrowingHandlers@4");
    if (!probe)
        probe = (ProbeThrowingHandlersFn)(void*)GetProcAddress(library, "ProbeThrowingHandlers");
    if (!probe)
        return 4;

    memset(&answer, 0, sizeof answer);
    answerer = CreateThread(NULL, 0, AnswerMessageBox, NULL, 0, NULL);
    called = probe(&answer);
    WaitForSingleObject(answerer, 10000);
    CloseHandle(answerer);
    FreeLibrary(library);

    for (slash = g_boxText; *slash; ++slash) {
        if (*slash == '\r' || *slash == '\n')
            *slash = '|';
    }
    out = fopen(argv[1], "w");
    if (!out)
        return 5;
    fprintf(out, "called=%d\n", called);
    fprintf(out, "sizeResult=%d\n", answer.sizeResult);
    fprintf(out, "continuedAfterBase=%d\n", answer.continuedAfterBase);
    fprintf(out, "commandResult=%d\n", answer.commandResult);
    fprintf(out, "windowAlive=%d\n", answer.windowAlive);
    fprintf(out, "afterwardsResult=%d\n", answer.afterwardsResult);
    fprintf(out, "box=%s\n", g_boxText);
    fclose(out);
    return 0;
}
