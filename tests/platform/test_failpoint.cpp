#include "platform/failpoint.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tmk {
namespace {

// Each case runs in a fresh process (the variable is read once per process).
class FailpointTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
    void TearDown() override { unsetenv("TMK_FAILPOINT"); }
};

TEST_P(FailpointTest, KillsAtTheNamedPointOnly) {
    const char* ponto = GetParam();
    setenv("TMK_FAILPOINT", ponto, 1);
    EXPECT_EXIT(failpoint(ponto), ::testing::KilledBySignal(SIGKILL), "");
    for (const char* outro : {"after_claim", "after_sale", "after_fiscal", "after_settle"}) {
        if (std::string(outro) != ponto) {
            EXPECT_EXIT((failpoint(outro), std::_Exit(3)), ::testing::ExitedWithCode(3), "")
                << outro;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Receipt, FailpointTest,
                         ::testing::Values("after_claim", "after_sale", "after_fiscal",
                                           "after_settle"));

TEST(Failpoint, UnsetIsInert) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    unsetenv("TMK_FAILPOINT");
    EXPECT_EXIT((failpoint("after_sale"), std::_Exit(3)), ::testing::ExitedWithCode(3), "");
}

} // namespace
} // namespace tmk
