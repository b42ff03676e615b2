// How long a keystroke takes in an editor window showing a large configuration: from the
// key message to the end of the repaint it causes, as the 50th, 99th percentile and worst.
// The baseline is the same keystrokes in a small file, timed in the same run.
//   EditorShellBench [--mib N] [--keystrokes N]      (defaults: 10 MiB, 2000 keystrokes)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "EditBuffer.h"
#include "EditorControl.h"
#include <editor/EditorSettings.h>
#include "EditorWindow.h"
#include "KeywordTable.h"

using namespace tessaly::editor;

namespace {

struct Options {
    long mib = 10;
    int keystrokes = 2000;
};

Options Parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--mib"))
            o.mib = std::atol(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--keystrokes"))
            o.keystrokes = std::atoi(argv[i + 1]);
    }
    return o;
}

// A server configuration of about `bytes`, its blocks repeated with CR LF line ends.
std::string MakeConf(std::size_t bytes)
{
    static const char* const kBlock = "# Virtual host number %d\r\n"
                                      "<VirtualHost 127.0.0.%d:80>\r\n"
                                      "\tServerName host%d.example.org\r\n"
                                      "\tDocumentRoot \"C:/Apache/htdocs/host%d\"\r\n"
                                      "\t<Directory 'C:/Apache/htdocs/host%d'>\r\n"
                                      "\t\tOptions Indexes FollowSymLinks\r\n"
                                      "\t\tAllowOverride None\r\n"
                                      "\t</Directory>\r\n"
                                      "\tErrorLog logs/host%d-error.log\r\n"
                                      "\tTimeout 300\r\n"
                                      "</VirtualHost>\r\n\r\n";
    std::string text;
    text.reserve(bytes + 512);
    char block[600];
    for (int n = 0; text.size() < bytes; ++n) {
        std::snprintf(block, sizeof block, kBlock, n, n % 250, n, n, n, n);
        text += block;
    }
    return text;
}

double NowMs()
{
    LARGE_INTEGER f, t;
    ::QueryPerformanceFrequency(&f);
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

struct Figures {
    double p50 = 0, p99 = 0, worst = 0;
    double editP99 = 0, paintP99 = 0;  // the key message alone, the repaint alone
    double barsP99 = 0;                // the scroll bars, updated after the repaint
    bool textRight = false;
};

double P99(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, v.size() * 99 / 100)];
}

// Types into the middle of the text: letters, now and then Enter and Backspace, each
// followed by the repaint it asks for.
Figures Measure(const std::string& text, const KeywordTable& keywords, int keystrokes)
{
    EditorSettings settings;
    EditBuffer buffer(settings);
    buffer.SetText(text);
    EditorCreateParams params{&buffer, &keywords};
    HWND host = ::CreateWindowExA(0, "STATIC", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 800, nullptr,
                                  nullptr, nullptr, nullptr);
    HWND editor = ::CreateWindowExA(0, kEditorClassName, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 880,
                                    760, host, nullptr, ::GetModuleHandleA(nullptr), &params);
    ::SetFocus(editor);
    // The caret in the middle of the text, on a directive line.
    const Pos middle = static_cast<Pos>(text.size() / 2);
    const Pos lineStart = StartOfLineAt(buffer.Text(), middle);
    ::SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(lineStart), static_cast<LPARAM>(lineStart));
    ::SendMessageA(editor, EM_SCROLLCARET, 0, 0);
    ::UpdateWindow(editor);
    Pump();

    std::vector<double> times, edits, paints, bars;
    times.reserve(static_cast<std::size_t>(keystrokes));
    std::string typed;
    for (int i = 0; i < keystrokes; ++i) {
        const double start = NowMs();
        if (i % 40 == 39) {
            ::SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 0);
            typed += buffer.LineEnding();
        } else if (i % 10 == 9 && !typed.empty() && typed.back() != '\n') {
            ::SendMessageA(editor, WM_KEYDOWN, VK_BACK, 0);
            typed.pop_back();
        } else {
            const char c = static_cast<char>('a' + i % 26);
            ::SendMessageA(editor, WM_CHAR, static_cast<WPARAM>(c), 0);
            typed += c;
        }
        const double edited = NowMs();
        ::UpdateWindow(editor);
        const double end = NowMs();
        times.push_back(end - start);
        edits.push_back(edited - start);
        paints.push_back(end - edited);
        // The scroll bars follow from the queue, after the text is on the screen.
        Pump();
        bars.push_back(NowMs() - end);
    }
    Figures f;
    f.textRight = buffer.Text().Length() == static_cast<Pos>(text.size() + typed.size()) &&
                  buffer.Text().Text(lineStart, static_cast<Pos>(typed.size())) == typed;
    f.editP99 = P99(edits);
    f.paintP99 = P99(paints);
    f.barsP99 = P99(bars);
    std::sort(times.begin(), times.end());
    f.p50 = times[times.size() / 2];
    f.p99 = times[std::min(times.size() - 1, times.size() * 99 / 100)];
    f.worst = times.back();
    ::DestroyWindow(host);
    Pump();
    return f;
}

}  // namespace

int main(int argc, char** argv)
{
    const Options o = Parse(argc, argv);
    RegisterEditorClass(::GetModuleHandleA(nullptr));
    KeywordTable keywords;
    char self[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string folder(self);
    folder.resize(folder.find_last_of('\\'));
    // The script is copied beside the test programs; the benchmark looks there too.
    if (!keywords.ReadScriptFile(folder + "\\" + kKeywordScriptName))
        keywords.ReadScriptFile(folder + "\\..\\test-bin\\" + kKeywordScriptName);

    const std::string small = MakeConf(16 * 1024);
    const std::string large = MakeConf(static_cast<std::size_t>(o.mib) << 20);
    // One pass first, so that fonts and code are warm for both.
    Measure(small, keywords, 50);
    const Figures base = Measure(small, keywords, o.keystrokes);
    const Figures big = Measure(large, keywords, o.keystrokes);

    std::printf("Keystrokes in an editor window (key message to end of repaint), %d each:\n", o.keystrokes);
    std::printf("  baseline, 16 KiB file:  p50 %.3f ms  p99 %.3f ms  worst %.3f ms\n", base.p50, base.p99, base.worst);
    std::printf("  %ld MiB file:            p50 %.3f ms  p99 %.3f ms  worst %.3f ms\n", o.mib, big.p50, big.p99,
                big.worst);
    std::printf(
        "  p99 of the key message alone: %.3f ms (baseline %.3f), of the repaint alone: %.3f ms (baseline %.3f)\n",
        big.editP99, base.editP99, big.paintP99, base.paintP99);
    std::printf("  p99 of the scroll-bar update that follows the repaint: %.3f ms (baseline %.3f)\n", big.barsP99,
                base.barsP99);
    std::printf("  p99 ratio to baseline: %.2f\n", base.p99 > 0 ? big.p99 / base.p99 : 0.0);
    std::printf("  p99 against the 8 ms target: %.2f of it (%s)\n", big.p99 / 8.0, big.p99 <= 8.0 ? "met" : "NOT met");
    const bool right = base.textRight && big.textRight;
    std::printf(right ? "EditorShellBench: answers right\n" : "EditorShellBench: WRONG ANSWERS\n");
    return right ? 0 : 1;
}
