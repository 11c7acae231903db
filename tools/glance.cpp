// What a user sees of each row at a glance: opens Quillon's own window, chooses every name of
// every category as a user does, and writes, for each row, how many lines the description box
// shows before it has to be scrolled, how many lines the row takes in all, and the text those
// first lines hold. A maintainer's tool, not a test: it judges nothing and always succeeds
// once it has written its table.
//
//   quillon_glance [TABLE.tsv]   (default glance.tsv); one summary line goes to the output
//   quillon_glance --drafts IN.tsv OUT.tsv
//       measures draft rows before they go into a table: each line of IN holds a position, a
//       name and the draft text, tab-separated, in UTF-8; OUT gets the same columns as TABLE,
//       with "draft" for the category
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
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

// What a caller must check is the value that comes back and the run-time error that ends the
// call; a row that first tells either only below the shown lines, or cut by the box's edge,
// hides it from a quick look, even when the other is in sight.
bool tellsOutOfSight(std::u16string_view description, std::size_t shownLength) {
    for (const std::u16string_view signal : {std::u16string_view(u"返回"), std::u16string_view(u"产生运行错误")}) {
        const std::size_t first = description.find(signal);
        if (first != std::u16string_view::npos && first + signal.size() > shownLength) {
            return true;
        }
    }
    return false;
}

std::wstring wideFromUtf8(std::string_view text) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

bool readFile(const wchar_t* path, std::string& contents) {
    FILE* file = _wfopen(path, L"rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[4096];
    for (std::size_t got = 0; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        contents.append(buffer, got);
    }
    const bool read = std::ferror(file) == 0;
    return std::fclose(file) == 0 && read;
}

bool writeFile(const wchar_t* path, const std::string& contents) {
    FILE* file = _wfopen(path, L"wb");
    const bool written = file != nullptr && std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        (void)std::fprintf(stderr, "glance: cannot write %s\n", utf8(path).c_str());
        return false;
    }
    return true;
}

// The drafts are put straight into the description box of the real window, so they wrap as
// a chosen row would.
int glanceAtDrafts(HWND box, const wchar_t* draftsPath, const wchar_t* tablePath) {
    std::string drafts;
    if (!readFile(draftsPath, drafts)) {
        (void)std::fprintf(stderr, "glance: cannot read %s\n", utf8(draftsPath).c_str());
        return 1;
    }
    std::string table = "category\tposition\tname\tlines shown\tlines in all\ttext shown\n";
    for (std::size_t start = 0, end = 0; start < drafts.size(); start = end + 1) {
        end = std::min(drafts.find('\n', start), drafts.size());
        const std::string_view line = std::string_view(drafts).substr(start, end - start);
        const std::size_t nameEnd = line.find('\t', line.find('\t') + 1);
        if (nameEnd == std::string_view::npos) {
            continue;
        }
        const std::string_view text = line.substr(nameEnd + 1, line.find('\t', nameEnd + 1) - nameEnd - 1);
        SetWindowTextW(box, wideFromUtf8(text).c_str());
        const Glance glance = glanceAt(box);
        table += "draft\t" + std::string(line.substr(0, nameEnd)) + '\t' + std::to_string(glance.shownLines) + '\t' +
                 std::to_string(glance.allLines) + '\t' + utf8(glance.shownText) + '\n';
    }
    return writeFile(tablePath, table) ? 0 : 1;
}

}  // namespace

int wmain(int argumentCount, wchar_t** arguments) {
    const bool measuringDrafts = argumentCount == 4 && std::wstring_view(arguments[1]) == L"--drafts";
    const wchar_t* tablePath = argumentCount > 1 ? arguments[1] : L"glance.tsv";
    quillon::win32::MainWindow window(GetModuleHandleW(nullptr));
    window.load();
    window.show(SW_SHOWNOACTIVATE);
    const HWND box = GetDlgItem(window.handle(), quillon::win32::Text1);
    if (measuringDrafts) {
        const int status = glanceAtDrafts(box, arguments[2], arguments[3]);
        DestroyWindow(window.handle());
        return status;
    }
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

    if (!writeFile(tablePath, table)) {
        return 1;
    }
    (void)std::printf("glance: rows %s %s at most %d lines (%s); table in %s\n", whole.c_str(), hidden.c_str(),
                      mostLines, utf8(wide(longest)).c_str(), utf8(tablePath).c_str());
    return 0;
}
