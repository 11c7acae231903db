// A long run of random sessions against the reference model; prints the first failing seed.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

#include "random_session.h"

int main(int argc, char** argv) {
    const std::uint64_t sessions = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 200000;
    const std::uint64_t firstSeed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const auto start = std::chrono::steady_clock::now();
    std::uint64_t actions = 0;
    for (std::uint64_t seed = firstSeed; seed < firstSeed + sessions; ++seed) {
        quillon::testing::RandomSession session(seed);
        for (std::uint64_t i = 0; i <= seed % 100; ++i) {
            const std::string action = session.step();
            ++actions;
            if (!(session.shown() == session.expected())) {
                std::cout << "seed " << seed << ", step " << i << ", after: " << action << "\n  the window shows "
                          << session.shown().describe() << "\n  expected         " << session.expected().describe()
                          << "\n";
                return 1;
            }
        }
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << sessions << " sessions, " << actions << " actions, all as the model expects, in " << elapsed.count()
              << " s\n";
    return 0;
}
