// Random sessions of user actions, and a reference model of what the window must show after
// each one. The model is written from the window's described behaviour and does not share
// code with the controller: it finds names through its own index of the catalogue.
#pragma once

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <unordered_map>

#include "memory_view.h"

namespace quillon::testing {

struct ExpectedWindow {
    int categorySelection = -1;
    int visibleList = -1;  // 0 core, 1 fun, 2 cstrike; -1 none yet
    std::array<int, 3> selections{-1, -1, -1};
    std::u16string description;
    std::u16string searchText;
};

class ReferenceModel {
public:
    ReferenceModel();

    void chooseCategory(int category);
    void chooseName(int list, int position);
    void searchTextChanged(const std::u16string& text);

    const ExpectedWindow& expected() const { return state_; }

private:
    std::unordered_map<std::u16string, std::pair<int, int>> byLowerCaseName_;
    ExpectedWindow state_;
};

// Drives a controller over a MemoryView and the model side by side.
class Session {
public:
    explicit Session(std::uint64_t seed);

    // Performs one random action on both; returns a description of it for failure messages.
    std::string step();

    // Empty when the window and the model agree, else what differs.
    std::string difference() const;

private:
    std::u16string randomText();
    std::u16string randomName();

    std::mt19937_64 random_;
    MemoryView view_;
    MainWindowController controller_{view_};
    ReferenceModel model_;
};

}  // namespace quillon::testing
