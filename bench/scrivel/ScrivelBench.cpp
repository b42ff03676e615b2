// Scrivel with a big configuration, as a user meets it: the real Scrivel.exe beside the fake
// Launcher opens a server configuration of 400,000 lines (about 20 MiB), paints its first
// screen, jumps to the last line (Ctrl+End) and takes keystrokes there. The baseline is the
// same steps on a 20-line file of the same kind, in the same Scrivel, in the same run, and a
// plain read of the big file into fresh memory.
//   ScrivelBench [--lines 400000] [--mib 20] [--keystrokes 1000] [--runs 3] [--key-gap-ms 20]
// Under Wine, from build/bench-bin (tools/wine-run.sh build/bench-bin/ScrivelBench.exe).
// The file is opened as the Launcher's syntax-check report opens it (line 1 of the file).
// The opening is timed from the report until the view's first repaint has ended (its update
// region is empty and it has answered a message sent after that). Keys go through the input
// queue of the focused view, so they pass the message loop and the keyboard state as a
// user's do; a window hook inside Scrivel times each from the key message leaving the queue
// to the end of the view's repaint that follows (KeyWatchHook.cpp). Scrivel shows the syntax
// at the caret and offers completion by itself throughout (its defaults). Last, Ctrl+Space
// on a new line is timed from the key message to the end of the completion list's first
// repaint, beside a plain list box of the bench filled with the same items and painted.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "Handles.h"
#include "BenchConf.h"
#include "BenchFigures.h"
#include "KeyWatchBlock.h"
#include "LauncherLink.h"
#include "ScrivelDriver.h"
#include "TestPaths.h"
#include "UiDriver.h"

using Clock = std::chrono::steady_clock;
using benchfigures::Ms;
using namespace scriveltest;
using benchconf::MakeConf;

namespace {

constexpr DWORD kStepTimeoutMs = 60000;
constexpr double kKeystrokeTargetMs = 2.0;
constexpr double kCompletionTargetMs = 16.0;
constexpr int kCompletions = 20;

struct Options {
    long lines = 400000;
    long mib = 20;
    int keystrokes = 1000;
    int runs = 3;
    int keyGapMs = 20;  // between a repaint and the next key
};

bool failed = false;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("WRONG: %s\n", what);
        failed = true;
    }
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out);
}

// The floor of an opening: one sequential pass over the cached file in 64 KiB blocks, and
// the first write to each page of as much fresh memory.
double ReadPass(const std::string& path)
{
    const auto start = Clock::now();
    CFileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return -1;
    std::vector<char> block(64 * 1024);
    DWORD got = 0;
    while (::ReadFile(file.Get(), block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got > 0) {
    }
    return Ms(Clock::now() - start);
}

double FirstTouch(std::size_t bytes)
{
    const auto start = Clock::now();
    std::unique_ptr<char[]> memory(new char[bytes]);
    volatile char* p = memory.get();
    for (std::size_t i = 0; i < bytes; i += 4096)
        p[i] = 1;
    return Ms(Clock::now() - start);
}

LRESULT Ask(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(wnd, msg, wParam, lParam, SMTO_NORMAL, kStepTimeoutMs, &answer))
        return -1;
    return static_cast<LRESULT>(answer);
}

// Polls (without sleeping: a step takes about a millisecond) until the condition holds.
template <class Condition>
bool Poll(Condition condition)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(kStepTimeoutMs);
    while (!condition()) {
        if (Clock::now() > deadline)
            return false;
        ::SwitchToThread();
    }
    return true;
}

// Waits until the view has painted what it was asked to: painting begins by emptying the
// update region, and a message sent afterwards is answered only once the painting has ended.
bool WaitPainted(HWND view)
{
    RECT pending{};
    return Poll([&] { return !::GetUpdateRect(view, &pending, FALSE); }) && Ask(view, WM_NULL) != -1;
}

int CaretLine(HWND view)
{
    return static_cast<int>(Ask(view, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
}

// The hook inside Scrivel and what it shares with the bench (KeyWatchHook.cpp).
class KeyWatch {
public:
    bool Start(DWORD threadId)
    {
        m_mapping.Reset(::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(KeyWatchBlock),
                                             kKeyWatchBlockName));
        if (m_mapping)
            m_view.Reset(::MapViewOfFile(m_mapping.Get(), FILE_MAP_ALL_ACCESS, 0, 0, 0));
        m_block = static_cast<KeyWatchBlock*>(m_view.Get());
        m_painted.Reset(::CreateEventA(nullptr, FALSE, FALSE, kKeyWatchPaintedEvent));
        m_module.Reset(::LoadLibraryA(testpaths::Join(testpaths::TestBinDir(), "ScrivelBenchHook.dll").c_str()));
        auto* proc =
            m_module
                ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(m_module.Get(), "WatchKeys")))
                : nullptr;
        m_hook =
            proc && m_block && m_painted ? ::SetWindowsHookExA(WH_GETMESSAGE, proc, m_module.Get(), threadId) : nullptr;
        return m_hook != nullptr;
    }
    // The hook goes before the library that holds it; the members then close the rest.
    ~KeyWatch()
    {
        if (m_hook)
            ::UnhookWindowsHookEx(m_hook);
    }

    struct Step {
        bool done = false;
        double keyToPaintMs = 0;    // inside Scrivel: the key message taken until the repaint has ended
        double inputToPaintMs = 0;  // from the bench's input until the repaint has ended
    };

    // Presses keys into the view; the step starts at the key message of startKey (0: the first).
    // With `child`, the step ends with the repaint of a list shown on the view.
    template <class Press>
    Step Time(HWND view, WPARAM startKey, Press press, bool child = false)
    {
        m_block->view = view;
        m_block->startKey = startKey;
        m_block->child = child ? 1 : 0;
        m_block->keyAt.QuadPart = 0;
        m_block->paintedAt.QuadPart = 0;
        ::ResetEvent(m_painted.Get());
        ::InterlockedExchange(&m_block->armed, 1);
        LARGE_INTEGER sent{}, frequency{};
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&sent);
        press();
        Step step;
        step.done = ::WaitForSingleObject(m_painted.Get(), kStepTimeoutMs) == WAIT_OBJECT_0;
        const double perMs = static_cast<double>(frequency.QuadPart) / 1000.0;
        step.keyToPaintMs = static_cast<double>(m_block->paintedAt.QuadPart - m_block->keyAt.QuadPart) / perMs;
        step.inputToPaintMs = static_cast<double>(m_block->paintedAt.QuadPart - sent.QuadPart) / perMs;
        ::InterlockedExchange(&m_block->armed, 0);
        return step;
    }

private:
    CModule m_module;
    CKernelHandle m_mapping;
    CMappedView m_view;
    KeyWatchBlock* m_block = nullptr;  // in m_view
    CKernelHandle m_painted;
    HHOOK m_hook = nullptr;
};

struct Steps {
    double openMs = 0;                // the report handled: file read, window made, caret placed
    double firstScreenMs = 0;         // from the report until the first screen is painted
    double jumpMs = 0;                // Ctrl+End: the key message until the last screen is painted
    std::vector<double> keys;         // each keystroke: the key message until its repaint has ended
    std::vector<double> fromInput;    // the same from the input sent
    std::vector<double> enters;       // the keystrokes that were Enter (a line more: rows move)
    std::vector<double> completions;  // Ctrl+Space: the key message until the list has painted
    std::vector<double> plainFills;   // the same items put into a plain list box in the bench
    std::size_t listed = 0;           // how many items the list held
};

// The items of Scrivel's completion list, asked in UTF-16 (how text crosses processes).
std::vector<std::wstring> ListItems(HWND list)
{
    std::vector<std::wstring> items;
    const LRESULT count = Ask(list, LB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[1024] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

// The floor of showing a list: a plain list box of this process filled with the same items,
// shown and painted.
double PlainFill(const std::vector<std::wstring>& items)
{
    const auto start = Clock::now();
    HWND list = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                  WS_POPUP | WS_VSCROLL | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT, 100, 100, 640, 200,
                                  nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    for (const std::wstring& item : items)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageW(list, LB_SETCURSEL, 0, 0);
    ::SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::UpdateWindow(list);
    const double ms = Ms(Clock::now() - start);
    ::DestroyWindow(list);
    return ms;
}

// The blanks that begin the last line of a text: Enter there begins the new line with them.
long LastLineIndent(const std::string& text)
{
    const std::size_t start = text.rfind('\n') == std::string::npos ? 0 : text.rfind('\n') + 1;
    const std::size_t first = text.find_first_not_of(" \t", start);
    return static_cast<long>((first == std::string::npos ? text.size() : first) - start);
}

// One document through every step, in the Scrivel of `run`.
Steps Measure(CScrivelRun& run, KeyWatch& watch, const std::string& path, const std::string& text, long lines,
              int keystrokes, int keyGapMs)
{
    Steps s;
    const std::string report = "Syntax error on line 1 of " + path + ":\r\nInvalid command 'Bench'";
    run.Launcher().SetText(report.c_str());
    const auto start = Clock::now();
    run.Launcher().SendCode(run.Frame(), LN_SYNTAX_ERROR, 0, kStepTimeoutMs);
    s.openMs = Ms(Clock::now() - start);
    HWND child = ActiveChild(run.Frame());
    HWND view = child ? ViewOf(child) : nullptr;
    Check(view != nullptr, "the file opens in a window");
    if (!view)
        return s;
    Check(WaitPainted(view), "the first screen is painted");
    s.firstScreenMs = Ms(Clock::now() - start);

    Check(ui::ClickToFocus(run.Frame(), view), "the view takes the keyboard focus");
    // What the click started is painted before the jump is timed.
    WaitPainted(view);
    ::Sleep(100);
    const KeyWatch::Step jump = watch.Time(view, VK_END, [] { ui::PressKey(VK_END, true); });
    Check(jump.done && CaretLine(view) == lines - 1, "Ctrl+End goes to the last line");
    s.jumpMs = jump.keyToPaintMs;

    // Letters, now and then Enter and Backspace, each after the last one's repaint and a
    // pause as between the keys of a fast typist. (Only the text's length is checked, at the
    // end: under Wine asking for it across processes costs as much as copying the text.)
    const LRESULT before = Ask(view, WM_GETTEXTLENGTH);
    LRESULT length = before;
    s.keys.reserve(static_cast<std::size_t>(keystrokes));
    bool typedOnLine = false;
    for (int i = 0; i < keystrokes; ++i) {
        ::Sleep(static_cast<DWORD>(keyGapMs));
        LRESULT expected = length + 1;
        KeyWatch::Step step;
        if (i % 40 == 39) {
            step = watch.Time(view, 0, [] { ui::PressKey(VK_RETURN); });
            expected = length + 2 + LastLineIndent(text);
            typedOnLine = false;
        } else if (i % 10 == 9 && typedOnLine) {
            step = watch.Time(view, 0, [] { ui::PressKey(VK_BACK); });
            expected = length - 1;
        } else {
            step = watch.Time(view, 0, [i] { ui::TypeText(std::string(1, static_cast<char>('a' + i % 26))); });
            typedOnLine = true;
        }
        if (!step.done) {
            Check(false, "every keystroke is painted");
            break;
        }
        s.keys.push_back(step.keyToPaintMs);
        if (i % 40 == 39)
            s.enters.push_back(step.keyToPaintMs);
        s.fromInput.push_back(step.inputToPaintMs);
        length = expected;
    }
    Check(Ask(view, WM_GETTEXTLENGTH) == length && length != before, "every keystroke reaches the text");

    // Completion at the end: a new line begun with two letters, then Ctrl+Space until the list
    // on the view has painted, and Esc, again and again.
    ui::PressKey(VK_RETURN);
    ui::TypeText("Se");
    WaitPainted(view);
    for (int i = 0; i < kCompletions; ++i) {
        ::Sleep(static_cast<DWORD>(keyGapMs));
        const KeyWatch::Step step = watch.Time(
            view, VK_SPACE, [] { ui::PressKey(VK_SPACE, true); }, true);
        HWND list = ::FindWindowExA(view, nullptr, "ListBox", nullptr);
        if (!step.done || !list) {
            Check(false, "Ctrl+Space shows the completion list");
            break;
        }
        s.completions.push_back(step.keyToPaintMs);
        const std::vector<std::wstring> items = ListItems(list);
        s.listed = items.size();
        s.plainFills.push_back(PlainFill(items));
        ui::PressKey(VK_ESCAPE);
        Check(Poll([&] { return !::IsWindow(list); }), "Esc closes the completion list");
    }
    return s;
}

double Percentile(std::vector<double> v, int percent)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * static_cast<std::size_t>(percent) / 100)];
}

double Best(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

std::string Spread(const std::vector<double>& v)
{
    char text[64];
    std::snprintf(text, sizeof text, "runs %.1f..%.1f", Best(v), v.empty() ? 0 : *std::max_element(v.begin(), v.end()));
    return text;
}

Options Parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--lines"))
            o.lines = std::max(30L, std::atol(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--mib"))
            o.mib = std::max(1L, std::atol(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--keystrokes"))
            o.keystrokes = std::max(1, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--key-gap-ms"))
            o.keyGapMs = std::max(0, std::atoi(argv[i + 1]));
        else if (!std::strcmp(argv[i], "--runs"))
            o.runs = std::max(1, std::atoi(argv[i + 1]));
    }
    return o;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options o = Parse(argc, argv);
    const std::string folder = testpaths::MakeWorkDir("scrivel-bench");
    const std::string bigPath = testpaths::Join(folder, "httpd.conf");
    const std::string smallPath = testpaths::Join(folder, "small.conf");
    constexpr long kSmallLines = 20;
    const std::string big = MakeConf(o.lines, static_cast<std::size_t>(o.mib) << 20);
    Check(WriteFile(bigPath, big), "the big configuration is written");
    const std::string smallText = MakeConf(kSmallLines, 1000);
    Check(WriteFile(smallPath, smallText), "the small configuration is written");

    std::vector<double> reads, touches;
    std::vector<double> openSmall, openBig, screenSmall, screenBig, jumpSmall, jumpBig;
    std::vector<double> keysSmall, keysBig, p99Small, p99Big, inputSmall, inputBig, entersSmall, entersBig;
    std::vector<double> completeSmall, completeBig, plainFill;
    std::size_t listed = 0;
    ReadPass(bigPath);  // cached, as a file just saved is
    for (int r = 0; r < o.runs && !failed; ++r) {
        reads.push_back(ReadPass(bigPath));
        touches.push_back(FirstTouch(big.size()));
        CScrivelRun run;
        KeyWatch watch;
        if (!run.Start() || !watch.Start(::GetWindowThreadProcessId(run.Frame(), nullptr))) {
            Check(false, "Scrivel starts with the key watch");
            break;
        }
        const Steps small = Measure(run, watch, smallPath, smallText, kSmallLines, o.keystrokes, o.keyGapMs);
        const Steps large = Measure(run, watch, bigPath, big, o.lines, o.keystrokes, o.keyGapMs);
        openSmall.push_back(small.openMs);
        openBig.push_back(large.openMs);
        screenSmall.push_back(small.firstScreenMs);
        screenBig.push_back(large.firstScreenMs);
        jumpSmall.push_back(small.jumpMs);
        jumpBig.push_back(large.jumpMs);
        keysSmall.insert(keysSmall.end(), small.keys.begin(), small.keys.end());
        keysBig.insert(keysBig.end(), large.keys.begin(), large.keys.end());
        entersSmall.insert(entersSmall.end(), small.enters.begin(), small.enters.end());
        entersBig.insert(entersBig.end(), large.enters.begin(), large.enters.end());
        p99Small.push_back(Percentile(small.keys, 99));
        p99Big.push_back(Percentile(large.keys, 99));
        inputBig.insert(inputBig.end(), large.fromInput.begin(), large.fromInput.end());
        inputSmall.insert(inputSmall.end(), small.fromInput.begin(), small.fromInput.end());
        completeSmall.insert(completeSmall.end(), small.completions.begin(), small.completions.end());
        completeBig.insert(completeBig.end(), large.completions.begin(), large.completions.end());
        plainFill.insert(plainFill.end(), large.plainFills.begin(), large.plainFills.end());
        listed = large.listed;
        Check(run.CloseNow() == 0, "Scrivel closes");
    }

    const double floorMs = Best(reads) + Best(touches);
    std::printf("Scrivel with a %.1f MiB configuration of %ld lines; baseline: the same steps on a %ld-line file;\n"
                "best of %d runs (each run a fresh Scrivel with both files), keystrokes %d a file and run\n",
                static_cast<double>(big.size()) / (1 << 20), o.lines, kSmallLines, o.runs, o.keystrokes);
    std::printf("  floor: read pass %.1f ms + first touch of as much fresh memory %.1f ms = %.1f ms\n", Best(reads),
                Best(touches), floorMs);
    std::printf("  open (report handled):   big %8.1f ms  small %6.1f ms  (%s)\n", Best(openBig), Best(openSmall),
                Spread(openBig).c_str());
    std::printf("  first screen painted:    big %8.1f ms  small %6.1f ms  (%s)\n", Best(screenBig), Best(screenSmall),
                Spread(screenBig).c_str());
    std::printf("    beyond the small file: %.1f ms, %.2f x the floor\n", Best(screenBig) - Best(screenSmall),
                floorMs > 0 ? (Best(screenBig) - Best(screenSmall)) / floorMs : 0.0);
    std::printf("  Ctrl+End, key to painted: big %8.2f ms  small %6.2f ms  ratio %.2f  (%s)\n", Best(jumpBig),
                Best(jumpSmall), Best(jumpSmall) > 0 ? Best(jumpBig) / Best(jumpSmall) : 0.0, Spread(jumpBig).c_str());
    std::printf("  keystroke at the end, key to end of repaint (all runs together):\n");
    std::printf("    big:   p50 %.3f ms  p99 %.3f ms  max %.3f ms\n", Percentile(keysBig, 50), Percentile(keysBig, 99),
                Percentile(keysBig, 100));
    std::printf("    small: p50 %.3f ms  p99 %.3f ms  max %.3f ms\n", Percentile(keysSmall, 50),
                Percentile(keysSmall, 99), Percentile(keysSmall, 100));
    std::printf("    Enter alone (one key in 40): big p50 %.3f ms p90 %.3f ms, small p50 %.3f ms p90 %.3f ms\n",
                Percentile(entersBig, 50), Percentile(entersBig, 90), Percentile(entersSmall, 50),
                Percentile(entersSmall, 90));
    std::printf("    from the input sent (Wine's input path, and what Scrivel was still doing when the key came,\n"
                "    %d ms after the last repaint): big p50 %.3f ms p99 %.3f ms, small p50 %.3f ms p99 %.3f ms\n",
                o.keyGapMs, Percentile(inputBig, 50), Percentile(inputBig, 99), Percentile(inputSmall, 50),
                Percentile(inputSmall, 99));
    std::printf("    p99 ratio to the small file: %.2f; best run's p99: big %.3f ms, small %.3f ms\n",
                Percentile(keysSmall, 99) > 0 ? Percentile(keysBig, 99) / Percentile(keysSmall, 99) : 0.0, Best(p99Big),
                Best(p99Small));
    const double p99 = Best(p99Big);
    std::printf("    best run's p99 against the %.0f ms target: %.2f of it (%s)\n", kKeystrokeTargetMs,
                p99 / kKeystrokeTargetMs, p99 <= kKeystrokeTargetMs ? "met" : "NOT met");
    std::printf("  (Scrivel shows the syntax at the caret and offers completion by itself throughout)\n");
    std::printf("  completion, Ctrl+Space to the list painted (%zu items), all runs together:\n", listed);
    std::printf("    big:   p50 %.3f ms  max %.3f ms;  small: p50 %.3f ms  max %.3f ms\n", Percentile(completeBig, 50),
                Percentile(completeBig, 100), Percentile(completeSmall, 50), Percentile(completeSmall, 100));
    std::printf("    a plain list box filled with the same items, shown and painted: p50 %.3f ms  max %.3f ms\n",
                Percentile(plainFill, 50), Percentile(plainFill, 100));
    const double completion = Percentile(completeBig, 50);
    std::printf("    big p50 against the %.0f ms target: %.2f of it (%s)\n", kCompletionTargetMs,
                completion / kCompletionTargetMs, completion <= kCompletionTargetMs ? "met" : "NOT met");
    std::printf(failed ? "ScrivelBench: WRONG ANSWERS\n" : "ScrivelBench: answers right\n");
    return failed ? 1 : 0;
}
