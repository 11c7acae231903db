// Feeds findExact and entryAt arbitrary texts and positions and checks every answer against a
// plain search written here. A text is raw UTF-16 or a real name with some units overwritten,
// so that the fuzzer reaches the matches as well as the misses.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    const auto id = static_cast<quillon::CategoryId>(data[0] % 3);
    const auto entries = quillon::category(id).entries;
    const auto position = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const bool fromName = (data[3] & 1) != 0;
    std::u16string text(fromName ? entries[static_cast<std::size_t>(data[3] | data[2] << 8) % entries.size()].name
                                 : u"");
    for (std::size_t i = 4; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (fromName && !text.empty() && unit % 4 != 0) {
            text[unit % text.size()] = static_cast<char16_t>(unit >> 2);
        } else {
            text.push_back(unit);
        }
    }
    std::u16string folded = text;
    for (char16_t& c : folded) {
        c = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    }
    int expected = -1;
    for (std::size_t i = 0; i < entries.size() && expected < 0; ++i) {
        expected = entries[i].name == folded ? static_cast<int>(i) : -1;
    }
    const bool inside = position >= 0 && position < static_cast<int>(entries.size());
    if (quillon::findExact(id, text) != expected ||
        quillon::entryAt(id, position) != (inside ? &entries[static_cast<std::size_t>(position)] : nullptr)) {
        std::abort();
    }
    return 0;
}
