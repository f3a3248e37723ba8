// A mass test stopped by a signal while it waits: every row it has written is complete.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <string>

#include "pty_session.hpp"

namespace zifferon::testing {
namespace {

class SerienlaufSignal : public ::testing::TestWithParam<int> {};

TEST_P(SerienlaufSignal, LeavesOnlyCompleteRows) {
    PtySession session(SERIENLAUF_PROGRAM);
    // The first row comes after three waits of a second; the signal falls into the next wait.
    ASSERT_TRUE(session.waitFor(" ! Version 1.8.5 ! ", 0, std::chrono::seconds(20)));
    ASSERT_TRUE(session.waitFor("\r\n", session.output().find(" ! Version 1.8.5 ! ")));
    session.signal(GetParam());
    const int status = session.finish();
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == GetParam()) << status;
    const std::string& table = session.output();
    ASSERT_GE(table.size(), 2U);
    EXPECT_EQ(table.substr(table.size() - 2), "\r\n");
    EXPECT_EQ(table.rfind("lfd.Nr. ! ", 0), 0U);
    EXPECT_TRUE(session.waitForMode(true, std::chrono::milliseconds(0)));
}

INSTANTIATE_TEST_SUITE_P(Signals, SerienlaufSignal, ::testing::Values(SIGTERM, SIGINT));

}  // namespace
}  // namespace zifferon::testing
