// Random sessions of user actions, each checked against the reference model after every step.
#include <gtest/gtest.h>

#include <cstdint>

#include "user_model.h"

namespace quillon::testing {
namespace {

constexpr int SESSIONS = 10000;
constexpr int MAX_ACTIONS = 50;

TEST(RandomSessions, WindowAlwaysShowsWhatTheModelExpects) {
    long actions = 0;
    for (std::uint64_t seed = 1; seed <= SESSIONS; ++seed) {
        Session session(seed);
        const int length = static_cast<int>(seed % MAX_ACTIONS) + 1;
        for (int i = 0; i < length; ++i) {
            const std::string action = session.step();
            ++actions;
            const std::string difference = session.difference();
            ASSERT_TRUE(difference.empty())
                << "seed " << seed << ", action " << i << " (" << action << "): " << difference;
        }
    }
    RecordProperty("actions", static_cast<int>(actions));
    std::cout << "checked " << SESSIONS << " sessions, " << actions << " actions\n";
}

}  // namespace
}  // namespace quillon::testing
