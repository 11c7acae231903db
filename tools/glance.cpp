// What a user sees of each row at a glance: opens Quillon's own window, chooses every name of
// every category as a user does, and writes, for each row, how many lines the description box
// shows before it has to be scrolled, how many lines the row takes in all, and the text those
// first lines hold. A maintainer's tool, not a test: it judges nothing and always succeeds
// once it has written its table.
//
//   quillon_glance [TABLE.tsv]   (default glance.tsv); one summary line goes to the output
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "main_window.h"
#include "window_layout.h"

namespace {

using quillon::CategoryId;

struct Glance {
    int shownLines;
    int allLines;
    std::wstring shownText;
};

int lineHeight(HWND box) {
    const HDC context = GetDC(box);
    const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(box, context);
    return metrics.tmHeight;
}

// A line counts as shown when all of it lies inside the box's client area; a line cut off at
// the bottom edge is one the user has to scroll to read.
Glance glanceAt(HWND box) {
    RECT client{};
    GetClientRect(box, &client);
    const int height = lineHeight(box);
    const int allLines = static_cast<int>(SendMessageW(box, EM_GETLINECOUNT, 0, 0));
    int shownLines = 0;
    while (shownLines < allLines) {
        const LRESULT firstCharacter = SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(shownLines), 0);
        const LRESULT place = SendMessageW(box, EM_POSFROMCHAR, static_cast<WPARAM>(firstCharacter), 0);
        const int top = static_cast<short>(HIWORD(place));
        if (place == -1 || top + height > client.bottom) {
            break;
        }
        ++shownLines;
    }
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
    if (shownLines < allLines) {
        text.resize(static_cast<std::size_t>(SendMessageW(box, EM_LINEINDEX, static_cast<WPARAM>(shownLines), 0)));
    }
    return {shownLines, allLines, text};
}

std::string utf8(std::wstring_view text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr, nullptr);
    return result;
}

std::wstring_view wide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

// Where a row first tells its caller what comes back: a value, or the run-time error that
// ends the call. A row that says so only below the shown lines hides it from a quick look.
bool tellsOutOfSight(std::u16string_view description, std::size_t shownLength) {
    const std::size_t returns = std::min(description.find(u"返回"), description.find(u"产生运行错误"));
    return returns != std::u16string_view::npos && returns >= shownLength;
}

}  // namespace

int wmain(int argumentCount, wchar_t** arguments) {
    const wchar_t* tablePath = argumentCount > 1 ? arguments[1] : L"glance.tsv";
    quillon::win32::MainWindow window(GetModuleHandleW(nullptr));
    window.load();
    window.show(SW_SHOWNOACTIVATE);
    const HWND box = GetDlgItem(window.handle(), quillon::win32::Text1);
    quillon::ListControl* const lists[] = {&window.combo2(), &window.combo3(), &window.combo4()};
    const char* const names[] = {"core", "fun", "cstrike"};

    std::string table = "category\tposition\tname\tlines shown\tlines in all\ttext shown\n";
    std::string whole = "shown whole:";
    std::string hidden = "a return or error only below them:";
    int mostLines = 0;
    std::u16string_view longest;
    for (int c = 0; c < 3; ++c) {
        const auto id = static_cast<CategoryId>(c);
        const auto entries = quillon::category(id).entries;
        window.combo1().setSelection(static_cast<std::int16_t>(c));
        int wholeRows = 0;
        int hiddenRows = 0;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            lists[c]->setSelection(static_cast<std::int16_t>(i));
            const Glance glance = glanceAt(box);
            wholeRows += glance.shownLines == glance.allLines ? 1 : 0;
            hiddenRows += tellsOutOfSight(entries[i].description, glance.shownText.size()) ? 1 : 0;
            if (glance.allLines > mostLines) {
                mostLines = glance.allLines;
                longest = entries[i].name;
            }
            table += std::string(names[c]) + '\t' + std::to_string(i) + '\t' + utf8(wide(entries[i].name)) + '\t' +
                     std::to_string(glance.shownLines) + '\t' + std::to_string(glance.allLines) + '\t' +
                     utf8(glance.shownText) + '\n';
        }
        const char* separator = c < 2 ? "," : ";";
        whole += " " + std::string(names[c]) + " " + std::to_string(wholeRows) + "/" + std::to_string(entries.size()) +
                 separator;
        hidden += " " + std::string(names[c]) + " " + std::to_string(hiddenRows) + separator;
    }
    DestroyWindow(window.handle());

    FILE* file = _wfopen(tablePath, L"wb");
    const bool written = file != nullptr && std::fwrite(table.data(), 1, table.size(), file) == table.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        (void)std::fprintf(stderr, "glance: cannot write %s\n", utf8(tablePath).c_str());
        return 1;
    }
    (void)std::printf("glance: rows %s %s at most %d lines (%s); table in %s\n", whole.c_str(), hidden.c_str(),
                      mostLines, utf8(wide(longest)).c_str(), utf8(tablePath).c_str());
    return 0;
}
