// The sample editor runs for the whole in-process test program: started before the first
// test, its main frame destroyed after the last.
#include <gtest/gtest.h>

#include "sample/SampleApp.h"

namespace {
class CSampleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(SampleApp().InitInstance()); }
    void TearDown() override
    {
        if (SampleApp().m_pMainWnd)
            SampleApp().m_pMainWnd->DestroyWindow();
    }
};
::testing::Environment* const theEnvironment = ::testing::AddGlobalTestEnvironment(new CSampleEnvironment);
}  // namespace
