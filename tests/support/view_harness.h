// What the controller's behaviour tests drive: a view with its controller wired to it. The
// native build provides one over MemoryView, the Windows build one over the real window.
#pragma once

#include <memory>

#include "main_view.h"
#include "main_window_controller.h"

namespace quillon::testing {

class ViewHarness {
public:
    virtual ~ViewHarness() = default;
    virtual MainView& view() = 0;
    virtual MainWindowController& controller() = 0;
    virtual int endProgramCalls() const = 0;
};

std::unique_ptr<ViewHarness> makeViewHarness(bool anotherCopyRunning);

}  // namespace quillon::testing
