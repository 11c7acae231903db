// Start-up benchmark: the time from process start to the main window being shown, for
// quillon.exe and its two floors, run alternately in rounds. The headline is Quillon against
// floor (c), a plain program showing the same window (goal: at most 1.10 times its time).
// Floor (b), Quillon's own window code with empty lists, splits the difference into the cost
// of the layout code and that of the catalogue and controller.
//
//   quillon_startup_benchmark [rounds]   (QUILLON_EXE, QUILLON_FLOOR_B, QUILLON_FLOOR_C)
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
    const std::wstring programs[] = {windowsPath("QUILLON_FLOOR_C"), windowsPath("QUILLON_FLOOR_B"),
                                     windowsPath("QUILLON_EXE")};
    const char* names[] = {"floor (c) plain window", "floor (b) Quillon's window code", "quillon.exe"};
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
    std::printf("quillon / floor (c) = %.3f (goal <= 1.10)\n", medians[2] / medians[0]);
    std::printf("  floor (b) / floor (c) = %.3f: Quillon's layout code\n", medians[1] / medians[0]);
    std::printf("  quillon / floor (b)   = %.3f: the catalogue and the controller\n", medians[2] / medians[1]);
    return 0;
}
