// Hostile input through quillon.exe's real window: a huge paste, texts that look like names
// or hide characters, and a flood of keystrokes. After every step the window must answer at
// once and show exactly what the catalogue says about the text its search box holds.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "running_program.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

using win32::ControlId;

constexpr UINT ANSWER_LIMIT_MS = 1000;
constexpr std::size_t LARGE_TEXT_LENGTH = std::size_t{1024} * 1024;
constexpr wchar_t BACKSPACE = L'\b';

std::u16string_view asUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// Printable in a failure message: everything outside printable ASCII as \uXXXX, long texts cut.
std::string readable(std::wstring_view text) {
    constexpr std::size_t SHOWN = 80;
    std::string shown;
    for (const wchar_t c : text.substr(0, SHOWN)) {
        if (c >= 0x20 && c < 0x7F) {
            shown.push_back(static_cast<char>(c));
        } else {
            constexpr std::string_view HEX = "0123456789ABCDEF";
            shown += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                shown.push_back(HEX[(static_cast<unsigned>(c) >> shift) & 0xFu]);
            }
        }
    }
    if (text.size() > SHOWN) {
        shown += "... (" + std::to_string(text.size()) + " code units)";
    }
    return shown;
}

// The name lists in the order the window searches them on every change of the search box.
constexpr std::array<CategoryId, 3> SEARCHED_CATEGORIES{CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike};
constexpr std::array<ControlId, 3> SEARCHED_LISTS{win32::Combo2, win32::Combo3, win32::Combo4};

// What the window must show, stepped through every text its search box holds in turn, with the
// catalogue's own answers: a list selects the matching name or nothing, and a match shows its
// description while no match leaves the last one shown.
class ExpectedWindow {
public:
    void searchTextBecomes(std::wstring_view text) {
        searchText_ = text;
        bool matched = false;
        for (std::size_t i = 0; i < SEARCHED_CATEGORIES.size(); ++i) {
            selections_[i] = findExact(SEARCHED_CATEGORIES[i], asUtf16(text));
            if (const CatalogueEntry* entry = entryAt(SEARCHED_CATEGORIES[i], selections_[i])) {
                description_ = wide(entry->description);
                matched = true;
            }
        }
        textsMatched_ += matched ? 1 : 0;
    }

    const std::wstring& searchText() const { return searchText_; }
    const std::wstring& description() const { return description_; }
    int selection(std::size_t list) const { return selections_[list]; }
    int textsMatched() const { return textsMatched_; }

private:
    std::wstring searchText_;
    std::wstring description_;
    std::array<int, 3> selections_{NO_SELECTION, NO_SELECTION, NO_SELECTION};
    int textsMatched_ = 0;
};

// This test's side of the clipboard: putting text there needs a window of this process as owner.
class Clipboard {
public:
    Clipboard() : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~Clipboard() { DestroyWindow(owner_); }
    Clipboard(const Clipboard&) = delete;
    Clipboard& operator=(const Clipboard&) = delete;

    bool put(std::wstring_view text) {
        // Another program (Wine's own clipboard keeper) may hold it open for a moment.
        if (!waitUntil([this] { return OpenClipboard(owner_) != FALSE; })) {
            return false;
        }
        EmptyClipboard();
        const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        bool placed = false;
        if (auto* data = static_cast<wchar_t*>(GlobalLock(memory))) {
            std::copy(text.begin(), text.end(), data);
            data[text.size()] = L'\0';
            GlobalUnlock(memory);
            placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!placed) {
            GlobalFree(memory);
        }
        CloseClipboard();
        return placed;
    }

private:
    HWND owner_;
};

// Key presses of characters, each its own press and release, and of the backspace key.
std::vector<INPUT> keyPresses(std::wstring_view keys) {
    std::vector<INPUT> inputs;
    for (const wchar_t key : keys) {
        for (const DWORD release : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            if (key == BACKSPACE) {
                input.ki.wVk = VK_BACK;
            } else {
                input.ki.wScan = key;
                input.ki.dwFlags = KEYEVENTF_UNICODE;
            }
            input.ki.dwFlags |= release;
            inputs.push_back(input);
        }
    }
    return inputs;
}

// The texts the search box holds after each key, typed at the end of `text`.
std::vector<std::wstring> textsWhileTyping(std::wstring text, std::wstring_view keys) {
    std::vector<std::wstring> texts;
    for (const wchar_t key : keys) {
        if (key != BACKSPACE) {
            text.push_back(key);
        } else if (!text.empty()) {
            text.pop_back();
        }
        texts.push_back(text);
    }
    return texts;
}

struct InputCounts {
    int pastes = 0;
    int largePastes = 0;
    int typedTexts = 0;
    int keystrokes = 0;
    int checks = 0;
};

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        program.start(programPath());
        ASSERT_NE(window = program.waitForWindow(), nullptr);
        searchBox = control(win32::Text2);
        clickCentreOf(searchBox);
        ASSERT_TRUE(waitUntil([this] { return focusedControl(window) == searchBox; }));
        const std::optional<LRESULT> limit = ask(searchBox, EM_GETLIMITTEXT);
        ASSERT_TRUE(limit.has_value());
        searchBoxLimit = static_cast<std::size_t>(*limit);
        ASSERT_NO_FATAL_FAILURE(expectWindowAsTheCatalogueSays());
    }

    void TearDown() override {
        // Work the last step left the window with must end in time as well.
        EXPECT_TRUE(ask(window, WM_NULL).has_value());
        std::printf(
            "bad input (%s): %d pastes (%d of %zu code units), %d typed texts, %d keystrokes, %d checks, "
            "%d search texts matched a name\n",
            ::testing::UnitTest::GetInstance()->current_test_info()->name(), counts.pastes, counts.largePastes,
            LARGE_TEXT_LENGTH, counts.typedTexts, counts.keystrokes, counts.checks, expected.textsMatched());
    }

    HWND control(ControlId id) const { return GetDlgItem(window, id); }

    // Every message to the window must be answered within the limit, so a window busy for
    // longer at any point, say repainting after a paste, fails at the next message.
    static std::optional<LRESULT> ask(HWND target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(target, message, wParam, lParam, SMTO_ABORTIFHUNG, ANSWER_LIMIT_MS, &result) == 0) {
            return std::nullopt;
        }
        return static_cast<LRESULT>(result);
    }

    static std::optional<std::wstring> textIn(HWND box) {
        const std::optional<LRESULT> length = ask(box, WM_GETTEXTLENGTH);
        if (!length) {
            return std::nullopt;
        }
        std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
        const std::optional<LRESULT> copied =
            ask(box, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
        if (!copied) {
            return std::nullopt;
        }
        text.resize(static_cast<std::size_t>(*copied));
        return text;
    }

    // After every step: the window answers, the program runs, and the description and the
    // selections are the catalogue's for the search box's text.
    void expectWindowAsTheCatalogueSays() {
        ++counts.checks;
        ASSERT_TRUE(ask(window, WM_NULL).has_value()) << "no answer within " << ANSWER_LIMIT_MS << " ms";
        ASSERT_FALSE(program.hasEnded());
        const std::optional<std::wstring> description = textIn(control(win32::Text1));
        ASSERT_TRUE(description.has_value());
        EXPECT_EQ(*description, expected.description());
        for (std::size_t list = 0; list < SEARCHED_LISTS.size(); ++list) {
            SCOPED_TRACE(::testing::Message() << "list " << SEARCHED_LISTS[list]);
            const HWND names = control(SEARCHED_LISTS[list]);
            const std::optional<LRESULT> selection = ask(names, CB_GETCURSEL);
            const std::optional<LRESULT> count = ask(names, CB_GETCOUNT);
            ASSERT_TRUE(selection.has_value() && count.has_value());
            EXPECT_EQ(*selection, expected.selection(list));
            EXPECT_GE(*selection, -1);
            EXPECT_LT(*selection, *count);
        }
        EXPECT_EQ(ask(control(win32::Combo1), CB_GETCURSEL), CB_ERR);
    }

    // As a user selects everything in the box and pastes over it. The box takes what fits.
    void pasteOver(std::wstring_view text) {
        SCOPED_TRACE("pasting " + readable(text));
        ASSERT_TRUE(clipboard.put(text));
        ASSERT_TRUE(ask(searchBox, EM_SETSEL, 0, -1).has_value());
        ASSERT_TRUE(ask(searchBox, WM_PASTE).has_value()) << "the paste took longer than " << ANSWER_LIMIT_MS << " ms";
        ++counts.pastes;
        counts.largePastes += text.size() >= LARGE_TEXT_LENGTH ? 1 : 0;
        const std::optional<std::wstring> held = textIn(searchBox);
        ASSERT_TRUE(held.has_value());
        EXPECT_TRUE(*held == text.substr(0, searchBoxLimit)) << "the box holds " << readable(*held);
        expected.searchTextBecomes(*held);
        ASSERT_NO_FATAL_FAILURE(expectWindowAsTheCatalogueSays());
    }

    // Deletes the box's last characters, all of it when it holds fewer.
    void deleteLast(std::size_t count) {
        const auto end = static_cast<LPARAM>(expected.searchText().size());
        const LPARAM start = std::max<LPARAM>(0, end - static_cast<LPARAM>(count));
        ASSERT_TRUE(ask(searchBox, EM_SETSEL, static_cast<WPARAM>(start), end).has_value());
        ASSERT_TRUE(ask(searchBox, WM_CLEAR).has_value());
        const std::optional<std::wstring> held = textIn(searchBox);
        ASSERT_TRUE(held.has_value());
        ASSERT_TRUE(*held == expected.searchText().substr(0, static_cast<std::size_t>(start)));
        expected.searchTextBecomes(*held);
        ASSERT_NO_FATAL_FAILURE(expectWindowAsTheCatalogueSays());
    }

    void clearSearchBox() { deleteLast(expected.searchText().size()); }

    // Every key pressed at once at the end of the box's text. The keys' last text must differ
    // from every text before it, so that seeing it in the box means every key has been taken.
    void typeAtOnce(std::wstring_view keys) {
        SCOPED_TRACE("typing " + readable(keys));
        ASSERT_EQ(focusedControl(window), searchBox);
        const std::vector<std::wstring> texts = textsWhileTyping(expected.searchText(), keys);
        ASSERT_FALSE(texts.empty());
        ASSERT_EQ(std::count(texts.begin(), texts.end() - 1, texts.back()), 0);
        ASSERT_NE(texts.back(), expected.searchText());
        ASSERT_LE(texts.back().size(), searchBoxLimit);
        std::vector<INPUT> inputs = keyPresses(keys);
        ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
        counts.keystrokes += static_cast<int>(keys.size());
        for (const std::wstring& text : texts) {
            expected.searchTextBecomes(text);
        }
        std::optional<std::wstring> held;
        EXPECT_TRUE(waitUntil([&] {
            held = textIn(searchBox);
            return !held || *held == expected.searchText();
        }));
        ASSERT_TRUE(held.has_value()) << "no answer within " << ANSWER_LIMIT_MS << " ms";
        EXPECT_TRUE(*held == expected.searchText())
            << "the box holds " << readable(*held) << ", not " << readable(expected.searchText());
        ASSERT_NO_FATAL_FAILURE(expectWindowAsTheCatalogueSays());
    }

    RunningProgram program;
    HWND window = nullptr;
    HWND searchBox = nullptr;
    std::size_t searchBoxLimit = 0;
    Clipboard clipboard;
    ExpectedWindow expected;
    InputCounts counts;
};

// ---- texts a name does not hide in ------------------------------------------------------

struct StrangeText {
    const char* kind;
    std::wstring text;
    bool typeable;  // a control character typed is a command to the box or the dialog, not text
};

const std::vector<StrangeText>& strangeTexts() {
    static const std::vector<StrangeText> texts{
        {"outside the BMP", L"\U0001F600", true},
        {"outside the BMP", L"\U00020000\U0002A6D6", true},
        {"outside the BMP", L"\U0001D41C\U0001D428\U0001D429\U0001D432", true},  // bold "copy"
        {"lone surrogate", L"\xD83D", true},
        {"lone surrogate", L"\xDE00", true},
        {"lone surrogate", L"\xDE00\xD83D", true},
        {"right-to-left mark", L"\u200F", true},
        {"right-to-left override", L"\u202E", true},
        {"right-to-left override", L"\u202Eypoc", true},
        {"control character", L"\u0001", false},
        {"control character", L"\u0007", false},
        {"control character", L"\t", false},
        {"control character", L"\u007F", false},
        {"soft hyphen", L"\u00AD", true},
        {"zero-width", L"\u200B", true},
        {"zero-width", L"\u200C", true},
        {"zero-width", L"\u200D", true},
        {"zero-width", L"\u2060", true},
        {"zero-width", L"\uFEFF", true},
        {"combining mark", L"\u0304", true},
        {"full-width look-alike", L"ｃｏｐｙ", true},
        {"full-width look-alike", L"ＣＯＰＹ", true},
        {"accented look-alike", L"cōpy", true},
        {"accented look-alike", L"çopy", true},
        {"Cyrillic look-alike", L"\u0441\u043E\u0440\u0443", true},
        {"case-folding look-alike", L"\u212A\u017F\u0130\u0131", true},  // Kelvin sign, long s, dotted and dotless i
        {"ligature", L"\uFB01", true},
        {"right-to-left script", L"مرحبا", true},
        {"right-to-left script", L"שלום", true},
        {"combining script", L"नमस्ते", true},
        {"emoji sequence", L"\U0001F468\u200D\U0001F469\u200D\U0001F467", true},
        {"Chinese", L"复制字符串", true},
        {"Chinese", L"核心涵数", true},
        {"Chinese", L"说 明", true},
    };
    return texts;
}

// Names from each list, with letters the look-alikes above imitate.
constexpr std::wstring_view NAMES[] = {L"copy", L"user_kill", L"file_exists", L"set_user_health", L"cs_set_user_money"};

// Inside a name, the text sits after its first two characters ("co\u00ADpy").
std::wstring insideName(std::wstring_view name, std::wstring_view text) {
    return std::wstring(name.substr(0, 2)).append(text).append(name.substr(2));
}

// ---- pastes of a mebibyte ----------------------------------------------------------------

std::wstring repeatedTo(std::wstring_view piece, std::size_t length) {
    std::wstring text;
    text.reserve(length + piece.size());
    while (text.size() < length) {
        text += piece;
    }
    text.resize(length);
    return text;
}

TEST_F(BadInputTest, MebibytePastesKeepTheWindowAnsweringAndShowOnlyWhatTheCatalogueSays) {
    std::vector<std::wstring> large{
        repeatedTo(L"a", LARGE_TEXT_LENGTH),
        repeatedTo(L"copy ", LARGE_TEXT_LENGTH),
        repeatedTo(L"set_user_health", LARGE_TEXT_LENGTH),
        repeatedTo(L"说明\U0001F600\u202Eypoc\u200Bco\u00ADpy\t\u0001ｃｏｐｙ", LARGE_TEXT_LENGTH),
    };
    for (const StrangeText& strange : strangeTexts()) {
        large.push_back(repeatedTo(strange.text, LARGE_TEXT_LENGTH));
    }
    for (const std::wstring& text : large) {
        ASSERT_NO_FATAL_FAILURE(pasteOver(L"give_item"));
        ASSERT_NO_FATAL_FAILURE(pasteOver(text));
        // Room made at the end of what the box took, typed into, then a name pasted over it all:
        // the window still follows every change.
        ASSERT_NO_FATAL_FAILURE(deleteLast(4));
        ASSERT_NO_FATAL_FAILURE(typeAtOnce(L"xy"));
        ASSERT_NO_FATAL_FAILURE(pasteOver(L"cs_set_user_money"));
    }
}

TEST_F(BadInputTest, StrangeTextsPastedAloneOrWithANameShowOnlyWhatTheCatalogueSays) {
    for (const StrangeText& strange : strangeTexts()) {
        SCOPED_TRACE(strange.kind);
        ASSERT_NO_FATAL_FAILURE(pasteOver(strange.text));
        for (const std::wstring_view name : NAMES) {
            const std::wstring named(name);
            // The name first, so that a text matching nothing has a description to leave alone.
            ASSERT_NO_FATAL_FAILURE(pasteOver(named));
            ASSERT_NO_FATAL_FAILURE(pasteOver(named + strange.text));
            ASSERT_NO_FATAL_FAILURE(pasteOver(strange.text + named));
            ASSERT_NO_FATAL_FAILURE(pasteOver(insideName(name, strange.text)));
        }
    }
}

TEST_F(BadInputTest, StrangeTextsTypedAfterANameShowOnlyWhatTheCatalogueSays) {
    for (const StrangeText& strange : strangeTexts()) {
        if (!strange.typeable) {
            continue;
        }
        SCOPED_TRACE(strange.kind);
        for (const std::wstring_view name : NAMES) {
            ASSERT_NO_FATAL_FAILURE(clearSearchBox());
            ASSERT_NO_FATAL_FAILURE(typeAtOnce(std::wstring(name) + strange.text));
            ++counts.typedTexts;
        }
        ASSERT_NO_FATAL_FAILURE(clearSearchBox());
        ASSERT_NO_FATAL_FAILURE(typeAtOnce(strange.text));
        ++counts.typedTexts;
    }
}

// ---- a flood of keystrokes -------------------------------------------------------------

// Bursts of keys as a hurried user presses them: names, names in other cases, near-misses of
// names, text deleted with backspace and typed again.
class KeystrokeBursts {
public:
    explicit KeystrokeBursts(unsigned seed) : random_(seed) {
        for (const CategoryId id : SEARCHED_CATEGORIES) {
            for (const CatalogueEntry& entry : category(id).entries) {
                names_.push_back(wide(entry.name));
            }
        }
    }

    // The next burst's keys for a box that holds `text`, ending on a text not seen in the burst.
    std::wstring next(const std::wstring& text) {
        std::wstring keys;
        const int actions = pick(1, 3);
        std::wstring current = text;
        for (int i = 0; i < actions; ++i) {
            const std::wstring more = action(current);
            keys += more;
            current = textsWhileTyping(current, more).back();
        }
        while (!endsOnANewText(text, keys)) {
            keys.push_back(letter());
        }
        return keys;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    wchar_t letter() {
        constexpr std::wstring_view LETTERS = L"abcdefghijklmnopqrstuvwxyz_0123456789";
        return LETTERS[static_cast<std::size_t>(pick(0, static_cast<int>(LETTERS.size()) - 1))];
    }

    const std::wstring& name() {
        return names_[static_cast<std::size_t>(pick(0, static_cast<int>(names_.size()) - 1))];
    }

    static std::wstring backspaces(std::size_t count) { return std::wstring(count, BACKSPACE); }

    std::wstring inOtherCase(std::wstring text) {
        for (wchar_t& c : text) {
            if (c >= L'a' && c <= L'z' && pick(0, 1) == 1) {
                c = static_cast<wchar_t>(c - L'a' + L'A');
            }
        }
        return text;
    }

    std::wstring nearMiss(std::wstring text) {
        constexpr std::wstring_view STRANGERS = L" ōçéｃｏ中说\u00AD\u200B\u202E";
        const auto at = static_cast<std::size_t>(pick(0, static_cast<int>(text.size()) - 1));
        switch (pick(0, 5)) {
        case 0:
            text.erase(at, 1);
            break;
        case 1:
            text.insert(at, 1, letter());
            break;
        case 2:
            text[at] = STRANGERS[static_cast<std::size_t>(pick(0, static_cast<int>(STRANGERS.size()) - 1))];
            break;
        case 3:
            text.push_back(L' ');
            break;
        case 4:
            text.insert(0, 1, L' ');
            break;
        default:
            text.resize(at + 1);
            break;
        }
        return text;
    }

    std::wstring action(const std::wstring& current) {
        const std::size_t overshoot = static_cast<std::size_t>(pick(0, 2));
        switch (pick(0, 4)) {
        case 0:
            return backspaces(current.size() + overshoot) + name();
        case 1:
            return backspaces(current.size() + overshoot) + inOtherCase(name());
        case 2:
            return backspaces(current.size()) + nearMiss(name());
        case 3:
            return backspaces(std::min(current.size(), static_cast<std::size_t>(pick(1, 4))));
        default:
            return completion(current);
        }
    }

    // The rest of a name the box holds the beginning of, or one more letter when it holds none.
    std::wstring completion(const std::wstring& current) {
        if (!current.empty()) {
            for (const std::wstring& candidate : names_) {
                if (candidate.size() > current.size() && candidate.starts_with(current)) {
                    return candidate.substr(current.size());
                }
            }
        }
        return std::wstring(1, letter());
    }

    static bool endsOnANewText(const std::wstring& text, const std::wstring& keys) {
        if (keys.empty()) {
            return false;
        }
        const std::vector<std::wstring> texts = textsWhileTyping(text, keys);
        return texts.back() != text && std::count(texts.begin(), texts.end() - 1, texts.back()) == 0;
    }

    std::mt19937 random_;
    std::vector<std::wstring> names_;
};

TEST_F(BadInputTest, TwoThousandKeystrokesAsFastAsInputAllowsShowOnlyWhatTheCatalogueSays) {
    constexpr unsigned SEED = 20260;
    constexpr int KEYSTROKES = 2000;
    SCOPED_TRACE(::testing::Message() << "seed " << SEED);
    KeystrokeBursts bursts(SEED);
    while (counts.keystrokes < KEYSTROKES) {
        ASSERT_NO_FATAL_FAILURE(typeAtOnce(bursts.next(expected.searchText())));
    }
    EXPECT_GE(counts.keystrokes, KEYSTROKES);
}

}  // namespace
}  // namespace quillon::testing
