// Linked into every Windows test program beside its manifest. A process not aware of DPI per
// monitor is shown other windows scaled to 96 DPI (Windows 10, Wine 10), so its tests would
// compare the design with sizes the program never had; every run of such a program fails.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class PerMonitorAwareness : public ::testing::Environment {
public:
    // Not ASSERT: a fatal failure here would skip every test, and CTest counts skipped
    // GoogleTest cases as not run rather than failed.
    void SetUp() override {
        EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE)
            << "this test program is not aware of DPI per monitor: was it built without its manifest?";
    }
};

// GoogleTest owns the environment once it is added.
[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new PerMonitorAwareness);

}  // namespace
