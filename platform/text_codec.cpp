#include "text_codec.h"

#include <cstdint>
#include <cstring>

namespace quorvex::platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

} // namespace

bool isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // Eight plain ASCII bytes at a time: the usual text of numbers.
        std::uint64_t word = 0;
        if (i + sizeof word <= n) {
            std::memcpy(&word, s + i, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += sizeof word;
                continue;
            }
        }
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len = 0;
        unsigned char lo = 0x80, hi = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) len = 2;
        else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            if (c == 0xE0) lo = 0xA0;
            if (c == 0xED) hi = 0x9F; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            if (c == 0xF0) lo = 0x90;
            if (c == 0xF4) hi = 0x8F;
        } else return false;
        if (i + len > n) return false;
        if (s[i + 1] < lo || s[i + 1] > hi) return false;
        for (std::size_t k = 2; k < len; ++k)
            if (s[i + k] < 0x80 || s[i + k] > 0xBF) return false;
        i += len;
    }
    return true;
}

TextShape textShapeOf(std::string_view bytes) {
    // Neither UTF-16 mark can begin valid UTF-8, so the order of the tests
    // does not matter.
    if (bytes.starts_with(kUtf16LEMark)) return {TextForm::Utf16LE, kUtf16LEMark.size()};
    if (bytes.starts_with(kUtf16BEMark)) return {TextForm::Utf16BE, kUtf16BEMark.size()};
    const std::size_t mark = bytes.starts_with(kUtf8Mark) ? kUtf8Mark.size() : 0;
    const bool utf8 = isValidUtf8(bytes.substr(mark));
    return {utf8 ? TextForm::Utf8 : TextForm::Legacy, mark};
}

std::string decodeTextFile(std::string&& bytes) {
    const TextShape shape = textShapeOf(bytes);
    if (shape.form == TextForm::Utf8) {
        bytes.erase(0, shape.markBytes);
        return std::move(bytes);
    }
    return decodeOtherText(bytes);
}

} // namespace quorvex::platform
