#include "memory_view.h"
#include "view_harness.h"

namespace quillon::testing {
namespace {

class MemoryViewHarness final : public ViewHarness {
public:
    explicit MemoryViewHarness(bool anotherCopyRunning) {
        view_.anotherCopyRunning = anotherCopyRunning;
        view_.connect(controller_);
    }
    MainView& view() override { return view_; }
    MainWindowController& controller() override { return controller_; }
    int endProgramCalls() const override { return view_.endProgramCalls; }

private:
    MemoryView view_;
    MainWindowController controller_{view_};
};

}  // namespace

std::unique_ptr<ViewHarness> makeViewHarness(bool anotherCopyRunning) {
    return std::make_unique<MemoryViewHarness>(anotherCopyRunning);
}

}  // namespace quillon::testing
