// The sample editor runs for the whole in-process test program: started before the first
// test, its main frame destroyed after the last.
#include <windows.h>

#include <gtest/gtest.h>

#include "sample/SampleApp.h"

namespace {
class CSampleEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // A cursor that an earlier program left where the frame's toolbar appears would
        // hover a button and put its prompt into the status bar.
        ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
        ASSERT_TRUE(SampleApp().InitInstance());
    }
    void TearDown() override
    {
        if (SampleApp().m_pMainWnd)
            SampleApp().m_pMainWnd->DestroyWindow();
    }
};
::testing::Environment* const theEnvironment = ::testing::AddGlobalTestEnvironment(new CSampleEnvironment);
}  // namespace
