// Crowds of quillon.exe started at once, round after round: however the copies race for the
// single-copy guard, exactly one stays with its window and the others leave quietly.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>

#include "running_program.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

constexpr int ROUNDS = 20;
constexpr int COPIES_PER_ROUND = 8;

using Crowd = std::array<RunningProgram, COPIES_PER_ROUND>;

RunningProgram* survivorOf(Crowd& crowd) {
    const auto running =
        std::find_if(crowd.begin(), crowd.end(), [](const RunningProgram& copy) { return !copy.hasEnded(); });
    return running != crowd.end() ? &*running : nullptr;
}

// The survivor must end as it does for a user: through its window, with code 0, leaving no
// window behind for the next round to count.
void closeSurvivor(Crowd& crowd) {
    RunningProgram* survivor = survivorOf(crowd);
    ASSERT_NE(survivor, nullptr);
    const HWND window = survivor->visibleWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(textOf(window), win32::WINDOW_CAPTION);
    ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
    EXPECT_EQ(survivor->waitForExit(), 0u);
    EXPECT_TRUE(waitUntil([] { return programWindowCount() == 0; }));
}

TEST(SingleCopyUnderStress, EveryRoundOfCopiesStartedAtOnceLeavesOneWindowAndSevenCleanExits) {
    int roundsRun = 0;
    int copiesStarted = 0;
    int cleanExits = 0;
    for (int round = 1; round <= ROUNDS; ++round) {
        SCOPED_TRACE(::testing::Message() << "round " << round << " of " << ROUNDS);
        ASSERT_EQ(programWindowCount(), 0);
        Crowd crowd;
        const CrowdOutcome outcome = startAtOnce(crowd);
        ++roundsRun;
        copiesStarted += COPIES_PER_ROUND;
        cleanExits += outcome.endedWithCodeZero;
        EXPECT_EQ(outcome.endedWithCodeZero, COPIES_PER_ROUND - 1);
        EXPECT_EQ(outcome.endedWithAnotherCode, 0);
        EXPECT_EQ(outcome.showingTheirWindow, 1);
        EXPECT_EQ(outcome.undecided, 0);
        EXPECT_EQ(programWindowCount(), 1);
        closeSurvivor(crowd);
        if (::testing::Test::HasFailure()) {
            break;  // the next round would start among this round's leftovers
        }
    }
    std::printf("single copy under stress: %d rounds, %d copies started, %d ended with code 0\n", roundsRun,
                copiesStarted, cleanExits);
}

}  // namespace
}  // namespace quillon::testing
