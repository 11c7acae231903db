// Random sessions of user actions on a view, side by side with a reference model of what the
// window must show after each. The model follows the window's described behaviour and shares
// no code with the controller: it reads the tables and finds names through its own index.
#pragma once

#include <array>
#include <cstdio>
#include <map>
#include <random>
#include <span>
#include <string>

#include "core_entries.h"
#include "cstrike_entries.h"
#include "fun_entries.h"
#include "test_view.h"

namespace quillon::testing {

inline constexpr std::array<std::span<const CatalogueEntry>, 3> TABLES{coreEntries, funEntries, cstrikeEntries};

// Non-ASCII as \uXXXX and long texts cut, so that a failure message stays readable.
inline std::string readable(std::u16string_view text) {
    std::string out;
    for (const char16_t c : text.substr(0, 60)) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, c >= 0x20 && c < 0x7f ? "%c" : "\\u%04X", static_cast<unsigned>(c));
        out += escaped;
    }
    return text.size() > 60 ? out + "... (" + std::to_string(text.size()) + " units)" : out;
}

struct WindowState {
    int category = -1;
    int shownList = -1;  // the one list visible; -1 none, -2 more than one
    std::array<int, 3> selections{-1, -1, -1};
    std::u16string search;
    std::u16string description;
    bool operator==(const WindowState&) const = default;
    std::string describe() const {
        char numbers[80];
        std::snprintf(numbers, sizeof numbers, "category %d, list shown %d, selections %d/%d/%d", category, shownList,
                      selections[0], selections[1], selections[2]);
        return numbers + (", search \"" + readable(search) + "\", description \"" + readable(description) + "\"");
    }
};

class RandomSession {
public:
    explicit RandomSession(std::uint64_t seed) : random_(seed) {
        for (int list = 0; list < 3; ++list) {
            for (int position = 0; position < std::ssize(TABLES[list]); ++position) {
                index_[lowered(TABLES[list][position].name)] = {list, position};
            }
        }
        view_.controller().Form_Load();
    }

    // One random user action, on the window and in the model; says what it was.
    std::string step() {
        const int action = pick(6);
        const int list = model_.shownList;
        if (action == 0 || (action == 1 && list < 0)) {
            const int category = pick(3);
            view_.combo1().setSelection(static_cast<std::int16_t>(category));
            model_.category = model_.shownList = category;
            model_.description.clear();
            return "choose category " + std::to_string(category);
        }
        if (action == 1) {
            const int position = pick(static_cast<int>(TABLES[list].size()) + 1) - 1;
            lists()[list]->setSelection(static_cast<std::int16_t>(position));
            model_.selections[list] = position;
            model_.description = position < 0 ? model_.description : std::u16string(TABLES[list][position].description);
            return "choose position " + std::to_string(position) + " of list " + std::to_string(list);
        }
        if (action == 2) {
            const std::u16string typed = randomText().substr(0, 40);
            for (const char16_t c : typed) {
                search(model_.search + c);
            }
            return "type \"" + readable(typed) + "\"";
        }
        const std::size_t length = model_.search.size();
        search(action == 3 ? model_.search.substr(0, length - (length > 0)) : action == 4 ? randomText() : u"");
        return "backspace, paste or clear, leaving \"" + readable(model_.search) + "\"";
    }

    WindowState shown() {
        WindowState s;
        s.category = view_.combo1().selection();
        for (int list = 0; list < 3; ++list) {
            s.selections[list] = lists()[list]->selection();
            s.shownList = !lists()[list]->isVisible() ? s.shownList : s.shownList == -1 ? list : -2;
        }
        s.search = view_.text2().text();
        s.description = view_.text1().text();
        return s;
    }
    const WindowState& expected() const { return model_; }

private:
    std::array<ListControl*, 3> lists() { return {&view_.combo2(), &view_.combo3(), &view_.combo4()}; }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    static std::u16string lowered(std::u16string_view text) {
        std::u16string result(text);
        for (char16_t& c : result) {
            c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
        }
        return result;
    }

    // Every change of the search text: at most one list holds the name, every other is cleared.
    void search(const std::u16string& text) {
        view_.text2().setText(text);
        model_.search = text;
        model_.selections = {-1, -1, -1};
        if (const auto found = index_.find(lowered(text)); found != index_.end()) {
            const auto [list, position] = found->second;
            model_.selections[list] = position;
            model_.description = TABLES[list][position].description;
        }
    }

    // A name as the user might get it wrong: other letter case, a letter too few or too many, a
    // stray space, a character outside the BMP or a look-alike, or a text far longer than any name.
    std::u16string randomText() {
        const auto& table = TABLES[pick(3)];
        std::u16string text(table[pick(static_cast<int>(table.size()))].name);
        const auto anywhere = static_cast<std::size_t>(pick(static_cast<int>(text.size())));
        switch (pick(7)) {
        case 0:
            return text;
        case 1:
            for (char16_t& c : text) {
                c = c >= u'a' && c <= u'z' && pick(2) == 0 ? static_cast<char16_t>(c - 32) : c;
            }
            return text;
        case 2:
            return text.erase(anywhere, 1);
        case 3:
            return text.insert(anywhere + pick(2), 1, static_cast<char16_t>(u'a' + pick(26)));
        case 4:
            return pick(2) == 0 ? u" " + text : text + u" ";
        case 5:
            return text.insert(anywhere + pick(2), pick(2) == 0 ? u"\U0001F600" : u"ｃ");
        default:
            return std::u16string(static_cast<std::size_t>(1000 + pick(20000)), static_cast<char16_t>(u'a' + pick(26)));
        }
    }

    std::mt19937_64 random_;
    std::map<std::u16string, std::pair<int, int>> index_;
    TestView view_;
    WindowState model_;
};

}  // namespace quillon::testing
