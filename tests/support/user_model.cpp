#include "user_model.h"

#include <algorithm>
#include <string_view>

#include "catalogue.h"
#include "description_parts.h"

namespace quillon::testing {
namespace {

std::u16string lowerAscii(std::u16string_view text) {
    std::u16string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c; });
    return result;
}

std::u16string_view rowText(int category, int position) {
    return ALL_TABLES[static_cast<std::size_t>(category)][static_cast<std::size_t>(position)].description;
}

int listSize(int category) {
    return static_cast<int>(ALL_TABLES[static_cast<std::size_t>(category)].size());
}

// Characters that must never match a name: look-alikes, marks, controls, surrogates.
constexpr std::u16string_view STRANGE_CHARACTERS[] = {
    u"ｃｏｐｙ", u"cōpy",     u"\u200f",         u"\u202e", u"\u00ad", u"\u0001", u"\t",     u"\U0001F600", u"\xd83d",
    u"\xde00",   u"核心涵数", u"设置玩家生命值", u"\u212a", u"\u0130", u"\u017f", u"\uff3f", u"\u0000",     u"\ufeff",
};

}  // namespace

ReferenceModel::ReferenceModel() {
    for (int category = 0; category < 3; ++category) {
        const auto table = ALL_TABLES[static_cast<std::size_t>(category)];
        for (int position = 0; position < listSize(category); ++position) {
            byLowerCaseName_.emplace(lowerAscii(table[static_cast<std::size_t>(position)].name),
                                     std::pair{category, position});
        }
    }
}

void ReferenceModel::chooseCategory(int category) {
    state_.categorySelection = category;
    state_.visibleList = category;
    state_.description.clear();
}

void ReferenceModel::chooseName(int list, int position) {
    state_.selections[static_cast<std::size_t>(list)] = position;
    if (position >= 0) {
        state_.description = rowText(list, position);
    }
}

void ReferenceModel::searchTextChanged(const std::u16string& text) {
    state_.searchText = text;
    state_.selections = {-1, -1, -1};
    const auto found = byLowerCaseName_.find(lowerAscii(text));
    if (found != byLowerCaseName_.end()) {
        const auto [category, position] = found->second;
        state_.selections[static_cast<std::size_t>(category)] = position;
        state_.description = rowText(category, position);
    }
}

Session::Session(std::uint64_t seed) : random_(seed) {
    view_.connect(controller_);
    controller_.Form_Load();
}

std::u16string Session::randomName() {
    const int category = std::uniform_int_distribution<int>(0, 2)(random_);
    const int position = std::uniform_int_distribution<int>(0, listSize(category) - 1)(random_);
    return std::u16string(ALL_TABLES[static_cast<std::size_t>(category)][static_cast<std::size_t>(position)].name);
}

std::u16string Session::randomText() {
    std::u16string text = randomName();
    const auto pick = [this](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); };
    switch (pick(8)) {
    case 0:  // the name itself
        break;
    case 1:  // another letter case
        for (char16_t& c : text) {
            if (c >= u'a' && c <= u'z' && pick(2) == 0) {
                c = static_cast<char16_t>(c - u'a' + u'A');
            }
        }
        break;
    case 2:  // a character too few
        text.erase(pick(text.size()), 1);
        break;
    case 3:  // a character too many
        text.insert(pick(text.size() + 1), 1, static_cast<char16_t>(u'a' + pick(26)));
        break;
    case 4:  // a stray space
        text.insert(pick(2) == 0 ? 0 : text.size(), 1, u' ');
        break;
    case 5:  // something strange in it
        text.insert(pick(text.size() + 1), STRANGE_CHARACTERS[pick(std::size(STRANGE_CHARACTERS))]);
        break;
    case 6:  // a very long text
        text.assign(1000 + pick(20000), static_cast<char16_t>(u'a' + pick(26)));
        break;
    default:  // only strange characters
        text = STRANGE_CHARACTERS[pick(std::size(STRANGE_CHARACTERS))];
        break;
    }
    return text;
}

std::string Session::step() {
    const auto pick = [this](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); };
    std::u16string text(view_.search.text());
    switch (pick(7)) {
    case 0: {
        const int category = pick(3);
        view_.lists[0].setSelection(static_cast<std::int16_t>(category));
        model_.chooseCategory(category);
        return "choose category " + std::to_string(category);
    }
    case 1: {
        const int visible = model_.expected().visibleList;
        if (visible < 0) {
            return "no list to choose from";
        }
        const int position = pick(listSize(visible) + 1) - 1;
        view_.lists[visible + 1].setSelection(static_cast<std::int16_t>(position));
        model_.chooseName(visible, position);
        return "choose position " + std::to_string(position) + " in list " + std::to_string(visible);
    }
    case 2: {
        const std::u16string typed = randomText();
        for (const char16_t c : typed.substr(0, 40)) {
            text.push_back(c);
            view_.search.setText(text);
            model_.searchTextChanged(text);
        }
        return "type " + ascii(typed.substr(0, 40));
    }
    case 3:
        if (text.empty()) {
            return "backspace in an empty box";
        }
        text.pop_back();
        view_.search.setText(text);
        model_.searchTextChanged(text);
        return "backspace";
    case 4: {
        const std::u16string pasted = randomText();
        text += pasted;
        view_.search.setText(text);
        model_.searchTextChanged(text);
        return "paste " + std::to_string(pasted.size()) + " characters";
    }
    case 5:
        text = randomText();
        view_.search.setText(text);
        model_.searchTextChanged(text);
        return "replace the search text with " + std::to_string(text.size()) + " characters";
    default:
        view_.search.setText(u"");
        model_.searchTextChanged(u"");
        return "clear the search box";
    }
}

std::string Session::difference() const {
    const ExpectedWindow& expected = model_.expected();
    std::string result;
    const auto check = [&result](bool same, const char* what) {
        if (!same) {
            result += std::string(what) + " differs; ";
        }
    };
    check(view_.lists[0].selection() == expected.categorySelection, "category selection");
    for (int list = 0; list < 3; ++list) {
        check(view_.lists[list + 1].isVisible() == (expected.visibleList == list), "list visibility");
        check(view_.lists[list + 1].selection() == expected.selections[static_cast<std::size_t>(list)],
              "list selection");
    }
    check(view_.description.text() == expected.description, "description");
    check(view_.search.text() == expected.searchText, "search text");
    return result;
}

}  // namespace quillon::testing
