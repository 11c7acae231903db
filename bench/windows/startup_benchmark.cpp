// Start-up benchmark: the time from process start to the main window being shown, for
// quillon.exe and its two floors, run alternately in rounds. Prints each median and the
// ratios; the goal is Quillon <= 1.1 x floor (b) and <= 1.3 x floor (a).
//
//   quillon_startup_benchmark [rounds]   (QUILLON_EXE, QUILLON_FLOOR_A, QUILLON_FLOOR_B)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quillon_program.h"

namespace {

double millisecondsToShow(const std::wstring& path) {
    LARGE_INTEGER frequency;
    LARGE_INTEGER start;
    LARGE_INTEGER shown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const quillon::testing::QuillonProgram program(path);
    while (program.window() == nullptr) {
        Sleep(1);
    }
    QueryPerformanceCounter(&shown);
    return 1000.0 * static_cast<double>(shown.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    using quillon::testing::windowsPath;
    const std::wstring programs[] = {windowsPath("QUILLON_FLOOR_A"), windowsPath("QUILLON_FLOOR_B"),
                                     windowsPath("QUILLON_EXE")};
    const char* names[] = {"floor (a) empty window", "floor (b) window with controls", "quillon.exe"};
    std::vector<double> times[3];
    millisecondsToShow(programs[2]);  // warms the file cache and the Wine server
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < 3; ++i) {
            const int which = (round + i) % 3;  // each round starts with the next program
            times[which].push_back(millisecondsToShow(programs[which]));
        }
    }
    double medians[3];
    for (int i = 0; i < 3; ++i) {
        medians[i] = median(times[i]);
        std::printf("%-32s median %7.1f ms over %d runs\n", names[i], medians[i], rounds);
    }
    std::printf("quillon / floor (b) = %.3f (goal <= 1.1)\n", medians[2] / medians[1]);
    std::printf("quillon / floor (a) = %.3f (goal <= 1.3)\n", medians[2] / medians[0]);
    return 0;
}
