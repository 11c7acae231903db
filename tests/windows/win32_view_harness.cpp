// The controller's behaviour tests run against the real window.
#include "test_window.h"
#include "view_harness.h"

namespace quillon::testing {
namespace {

class Win32ViewHarness final : public ViewHarness {
public:
    explicit Win32ViewHarness(bool anotherCopyRunning) : window_(anotherCopyRunning) {}
    MainView& view() override { return window_; }
    MainWindowController& controller() override { return window_.controller(); }
    int endProgramCalls() const override { return window_.endProgramCalls; }

private:
    TestWindow window_;
};

}  // namespace

std::unique_ptr<ViewHarness> makeViewHarness(bool anotherCopyRunning) {
    return std::make_unique<Win32ViewHarness>(anotherCopyRunning);
}

}  // namespace quillon::testing
