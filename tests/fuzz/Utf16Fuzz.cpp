// The UTF-8 and UTF-16 helpers: sanitising always gives valid text and keeps
// valid text as it is, the storage form gives back every unit, and a text the
// strict check passes survives the round trip byte for byte.
#include "platform/text/Utf16.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    if (in.flag()) {
        const std::string_view bytes = in.restBytes();
        const std::size_t bad = text::firstInvalidUtf8(bytes);
        if (bad == std::string_view::npos) {
            if (text::toUtf8(text::fromUtf8(bytes)) != bytes)
                std::abort();
        } else if (bad >= bytes.size() || text::firstInvalidUtf8(bytes.substr(0, bad)) != std::string_view::npos) {
            std::abort();
        }
        if (!text::isValidUtf16(text::sanitized(text::fromUtf8(bytes))))
            std::abort();
        return 0;
    }
    const std::u16string units = in.rest();
    if (text::fromUtf8(text::toStorageUtf8(units)) != units)
        std::abort();
    const std::u16string clean = text::sanitized(units);
    if (!text::isValidUtf16(clean) || clean.find(u'\0') != std::u16string::npos)
        std::abort();
    const std::u16string_view beforeNul = std::u16string_view(units).substr(0, units.find(u'\0'));
    if (text::isValidUtf16(beforeNul) != (clean == beforeNul))
        std::abort();
    if (text::firstInvalidUtf8(text::toUtf8(units)) != std::string_view::npos)
        std::abort();
    std::u16string inPlace = units + u'\0';
    text::sanitize(inPlace.data());
    if (std::u16string_view(inPlace.c_str()) != clean)
        std::abort();
    return 0;
}
