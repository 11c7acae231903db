// Feeds findExact and entryAt arbitrary UTF-16 texts and positions and checks every answer
// against a plain search written here. Inputs either are raw UTF-16 or start from a real
// name and edit it, so that the fuzzer reaches the matching paths as well as the misses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "catalogue.h"

namespace {

using quillon::CatalogueEntry;
using quillon::CategoryId;

std::u16string folded(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result) {
        if (u'A' <= c && c <= u'Z') {
            c = static_cast<char16_t>(c + 32);
        }
    }
    return result;
}

// Names are lower case already, so folding the text alone is enough.
int referenceFind(CategoryId id, const std::u16string& foldedText) {
    int position = 0;
    for (const CatalogueEntry& entry : quillon::category(id).entries) {
        if (entry.name == foldedText) {
            return position;
        }
        ++position;
    }
    return -1;
}

const CatalogueEntry& anyEntry(std::size_t index) {
    const std::size_t core = quillon::category(CategoryId::Core).entries.size();
    const std::size_t fun = quillon::category(CategoryId::Fun).entries.size();
    const std::size_t cstrike = quillon::category(CategoryId::Cstrike).entries.size();
    index %= core + fun + cstrike;
    if (index < core) {
        return quillon::category(CategoryId::Core).entries[index];
    }
    if (index < core + fun) {
        return quillon::category(CategoryId::Fun).entries[index - core];
    }
    return quillon::category(CategoryId::Cstrike).entries[index - core - fun];
}

std::u16string editedName(const std::uint8_t* data, std::size_t size) {
    std::u16string text(anyEntry(size > 0 ? data[0] + 256U * (size > 1 ? data[1] : 0U) : 0).name);
    for (std::size_t i = 2; i + 2 < size; i += 3) {
        const std::size_t at = text.empty() ? 0 : data[i + 1] % (text.size() + 1);
        const auto unit = static_cast<char16_t>(data[i + 1] | (data[i + 2] << 8));
        switch (data[i] % 4) {
        case 0:
            if (at < text.size()) {
                text[at] = static_cast<char16_t>(text[at] ^ 0x20);
            }
            break;
        case 1:
            text.insert(at, 1, unit);
            break;
        case 2:
            if (at < text.size()) {
                text.erase(at, 1);
            }
            break;
        default:
            if (at < text.size()) {
                text[at] = unit;
            }
            break;
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const auto id = static_cast<CategoryId>(data[0] % 3);
    const auto position = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const bool fromName = (data[3] & 0x80) != 0;
    data += 4;
    size -= 4;

    std::u16string text;
    if (fromName) {
        text = editedName(data, size);
    } else {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
        }
    }

    if (quillon::findExact(id, text) != referenceFind(id, folded(text))) {
        std::abort();
    }

    const CatalogueEntry* entry = quillon::entryAt(id, position);
    const auto count = static_cast<int>(quillon::category(id).entries.size());
    if ((entry != nullptr) != (position >= 0 && position < count)) {
        std::abort();
    }
    if (entry != nullptr && entry != &quillon::category(id).entries[static_cast<std::size_t>(position)]) {
        std::abort();
    }
    return 0;
}
