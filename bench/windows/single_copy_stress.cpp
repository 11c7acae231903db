// Crowds of quillon.exe started at once, round after round: however the copies race for the
// single-copy guard, exactly one must stay with its window and the others leave quietly.
//
//   quillon_single_copy_stress [rounds] [copies]   (QUILLON_EXE)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "quillon_program.h"

namespace {

// Quillon's main windows on the desktop, shown or not, whichever process owns them.
int quillonWindowCount() {
    int count = 0;
    for (HWND found = nullptr;
         (found = FindWindowExW(nullptr, found, quillon::win32::WINDOW_CLASS, nullptr)) != nullptr;) {
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace quillon::testing;
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 20;
    const int copiesPerRound = argc > 2 ? std::atoi(argv[2]) : 8;
    int failedRounds = 0;
    for (int round = 1; round <= rounds; ++round) {
        std::vector<std::unique_ptr<QuillonProgram>> copies;
        for (int i = 0; i < copiesPerRound; ++i) {
            copies.push_back(std::make_unique<QuillonProgram>(windowsPath("QUILLON_EXE"), true));
        }
        for (const auto& copy : copies) {
            copy->release();
        }
        int shown = 0;
        int quiet = 0;
        int undecided = 0;
        for (const auto& copy : copies) {
            if (!waitUntil([&] { return copy->hasEnded() || copy->window() != nullptr; }, 3 * START_LIMIT_MS)) {
                ++undecided;
            } else if (!copy->hasEnded()) {
                ++shown;
            } else {
                quiet += copy->exitCode() == 0 ? 1 : 0;
            }
        }
        const bool good = shown == 1 && quiet == copiesPerRound - 1 && undecided == 0;
        failedRounds += good ? 0 : 1;
        std::printf("round %d: %d window, %d quiet ends, %d undecided%s\n", round, shown, quiet, undecided,
                    good ? "" : "  <-- wrong");
        copies.clear();
        waitUntil([] { return quillonWindowCount() == 0; });
    }
    std::printf("single copy under stress: %d of %d rounds right\n", rounds - failedRounds, rounds);
    return failedRounds == 0 ? 0 : 1;
}
