// Feeds findExact and entryAt arbitrary texts and positions and checks every answer against a
// plain search written here. A text is either raw UTF-16 or a real name with units changed,
// so that the fuzzer reaches the matches as well as the misses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue.h"

using quillon::CategoryId;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const auto id = static_cast<CategoryId>(data[0] % 3);
    const auto entries = quillon::category(id).entries;
    const auto position = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    std::u16string text;
    if ((data[3] & 1) != 0) {
        text = entries[static_cast<std::size_t>(data[3] >> 1 | data[2] << 7) % entries.size()].name;
    }
    // With a name to start from, each pair of units overwrites one of its units (or adds one).
    for (std::size_t i = 4; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (!text.empty() && (data[3] & 1) != 0 && unit % 4 != 0) {
            text[unit % text.size()] = static_cast<char16_t>(unit >> 2);
        } else {
            text.push_back(unit);
        }
    }
    int expected = -1;
    for (std::size_t i = 0; i < entries.size() && expected < 0; ++i) {
        const std::u16string_view name = entries[i].name;
        bool same = name.size() == text.size();
        for (std::size_t k = 0; same && k < name.size(); ++k) {
            same = name[k] == (text[k] >= u'A' && text[k] <= u'Z' ? text[k] + 32 : text[k]);
        }
        expected = same ? static_cast<int>(i) : -1;
    }
    if (quillon::findExact(id, text) != expected) {
        std::abort();
    }
    const bool inside = position >= 0 && position < static_cast<int>(entries.size());
    if (quillon::entryAt(id, position) != (inside ? &entries[static_cast<std::size_t>(position)] : nullptr)) {
        std::abort();
    }
    return 0;
}
