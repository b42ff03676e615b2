#pragma once
// A LogWriterProbe process run by a test: started on a log, told to stop, and its report
// read. The probe stops by itself after a minute should a test never tell it.

#include <windows.h>

#include <string>

#include "ChildProcess.h"
#include "Handles.h"

class CLogProbe {
public:
    CLogProbe() = default;
    CLogProbe(const CLogProbe&) = delete;
    CLogProbe& operator=(const CLogProbe&) = delete;
    ~CLogProbe() { Stop(); }

    // Appends lines as the server does, pauseMs apart; true once the log is open.
    bool StartAppending(const std::string& log, DWORD pauseMs = 1);
    // Holds the log open for writing with only read shared, for at most maxMs.
    bool StartHolding(const std::string& log, DWORD maxMs = 60000);
    // Tells the probe to stop and waits for it; its exit code, or -1.
    int Stop();
    // The appending probe's report, after Stop: lines written whole, writes that failed.
    unsigned long Lines() const { return m_lines; }
    unsigned long Failed() const { return m_failed; }
    bool Reported() const { return m_reported; }

    static std::string Line(unsigned long number);  // the probe's line with that number
    // Runs the probe once ("cut LOG", "rotate LOG OLD", "delete LOG") and waits for it; its
    // exit code, or -1.
    static int RunOnce(const std::string& arguments);

private:
    bool Start(const std::string& arguments);

    CKernelHandle m_ready;
    CKernelHandle m_stop;
    CChildProcess m_process;
    std::string m_readyName;
    std::string m_stopName;
    std::string m_report;
    bool m_running = false;
    bool m_reported = false;
    unsigned long m_lines = 0;
    unsigned long m_failed = 0;
};
