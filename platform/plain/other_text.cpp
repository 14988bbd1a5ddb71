// decodeOtherText for builds without Qt (the WebAssembly one): the C
// library's iconv, which knows UTF-16 and GB18030. Such a build has no
// 8-bit locale of its own, so files that are not UTF-8 or UTF-16 are read
// as GB18030.
#include "text_codec.h"

#include <iconv.h>

#include <cerrno>
#include <optional>

namespace quorvex::platform {

namespace {

/// The bytes converted from `encoding` to UTF-8; nothing when some sequence
/// does not decode.
std::optional<std::string> convert(std::string_view bytes, const char* encoding) {
    const iconv_t cd = iconv_open("UTF-8", encoding);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::size_t done = 0;
    bool clean = true;
    while (inLeft > 0) {
        char* to = out.data() + done;
        std::size_t outLeft = out.size() - done;
        const std::size_t r = iconv(cd, &in, &inLeft, &to, &outLeft);
        done = out.size() - outLeft;
        if (r != static_cast<std::size_t>(-1)) break;
        if (errno != E2BIG) {
            clean = false;
            break;
        }
        out.resize(out.size() * 2);
    }
    iconv_close(cd);
    if (!clean) return std::nullopt;
    out.resize(done);
    return out;
}

/// UTF-8 with each byte that starts no valid sequence replaced by U+FFFD.
std::string lossyUtf8(std::string_view bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead >= 0xF0) length = 4;
        else if (lead >= 0xE0) length = 3;
        else if (lead >= 0xC0) length = 2;
        if (lead >= 0x80 && (i + length > bytes.size() || !isValidUtf8(bytes.substr(i, length))))
            out += "\xEF\xBF\xBD", length = 1;
        else out.append(bytes.substr(i, length));
        i += length;
    }
    return out;
}

} // namespace

std::string decodeOtherText(std::string_view bytes) {
    const TextShape shape = textShapeOf(bytes);
    bytes.remove_prefix(shape.markBytes);
    const char* encoding = shape.form == TextForm::Utf16LE   ? "UTF-16LE"
                           : shape.form == TextForm::Utf16BE ? "UTF-16BE"
                                                             : "GB18030";
    if (auto text = convert(bytes, encoding)) return std::move(*text);
    return lossyUtf8(bytes);
}

} // namespace quorvex::platform
