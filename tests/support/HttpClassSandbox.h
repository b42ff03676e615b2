#pragma once
// Gives the "http" shell class a registration of the test's own: the class's "shell" tree
// in HKEY_CLASSES_ROOT is put aside when the sandbox starts and put back when it ends
// (Wine does not merge HKEY_CURRENT_USER\Software\Classes into the classes root, so the
// registration must go there). The stand-in browser UrlRecorder (test-bin) records the
// command line it was started with.

#include <windows.h>

#include <memory>
#include <string>

struct RegistryTree;

class CHttpClassSandbox {
public:
    CHttpClassSandbox();
    ~CHttpClassSandbox();
    CHttpClassSandbox(const CHttpClassSandbox&) = delete;
    CHttpClassSandbox& operator=(const CHttpClassSandbox&) = delete;

    // The default value of HKEY_CLASSES_ROOT\http\<subKey> ("shell\open\command",
    // "shell\open\ddeexec", ...).
    void SetText(const std::string& subKey, const std::string& text);
    void SetNumber(const std::string& subKey, DWORD number);
    // The key exists, without a default value.
    void MakeKey(const std::string& subKey);
    void RemoveKey(const std::string& subKey);

    // What HKEY_CLASSES_ROOT\http\<subKey> answers for its default value ("" when nothing).
    static std::string Text(const std::string& subKey);

    // The stand-in browser and a fresh record file for it; the path goes to the started
    // process through the environment.
    static std::string RecorderPath();
    std::string StartRecording(const std::string& name);
    // Waits for the record; false when none came within the time.
    bool WaitForRecord(std::string& commandLine, DWORD timeoutMs = 10000) const;
    // True when no stand-in browser runs and none has left a record.
    bool NothingStarted() const;

private:
    std::unique_ptr<RegistryTree> m_saved;  // the class's own "shell" tree, if it had one
    std::string m_recordPath;
};
