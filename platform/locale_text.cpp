#include "locale_text.h"

#include "text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifndef _WIN32
#include <langinfo.h>
#include <locale.h>
#endif

namespace quorvex::platform {

namespace {

/// The name that stands for the system's own 8-bit code page; Qt reaches
/// it there without needing a converter library.
constexpr QByteArrayView kSystemEncoding = "System";

QStringDecoder makeDecoder(const QByteArray& name) {
    if (name == kSystemEncoding) return QStringDecoder(QStringConverter::System);
    return QStringDecoder(name.constData());
}

QStringEncoder makeEncoder(const QByteArray& name) {
    if (name == kSystemEncoding) return QStringEncoder(QStringConverter::System);
    return QStringEncoder(name.constData());
}

/// Decodes the whole of bytes; false when some byte sequence was invalid.
bool decodeCleanly(QByteArrayView bytes, const QByteArray& encoding, QString& out) {
    QStringDecoder decoder = makeDecoder(encoding);
    if (!decoder.isValid()) return false;
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QByteArray localeTextEncoding() {
#ifdef _WIN32
    // The ANSI code page (936, GBK, on a Chinese machine).
    return kSystemEncoding.toByteArray();
#else
    // Asked of the environment's locale directly, whether or not the
    // program has switched its own locale on yet.
    QByteArray name;
    if (locale_t loc = newlocale(LC_CTYPE_MASK, "", locale_t(nullptr))) {
        name = nl_langinfo_l(CODESET, loc);
        freelocale(loc);
    }
    const bool plainAscii =
        name.isEmpty() || name == "ANSI_X3.4-1968" || name == "ASCII" || name == "US-ASCII";
    return plainAscii ? QByteArray("UTF-8") : name;
#endif
}

QString decodeFileText(QByteArrayView bytes, const QByteArray& encoding) {
    const TextShape shape =
        textShapeOf(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
    bytes = bytes.sliced(static_cast<qsizetype>(shape.markBytes));
    switch (shape.form) {
    case TextForm::Utf8: return QString::fromUtf8(bytes);
    case TextForm::Utf16LE: return QStringDecoder(QStringConverter::Utf16LE).decode(bytes);
    case TextForm::Utf16BE: return QStringDecoder(QStringConverter::Utf16BE).decode(bytes);
    case TextForm::Legacy: break;
    }
    QString text;
    if (decodeCleanly(bytes, encoding, text)) return text;
    if (decodeCleanly(bytes, QByteArrayLiteral("GB18030"), text)) return text;
    return QString::fromUtf8(bytes);
}

std::string decodeOtherText(std::string_view bytes) {
    const QByteArray utf8 =
        decodeFileText(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
                       localeTextEncoding())
            .toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::optional<QByteArray> encodeFileText(QStringView text, const QByteArray& encoding) {
    QStringEncoder encoder = makeEncoder(encoding);
    if (!encoder.isValid()) return std::nullopt;
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return bytes;
}

} // namespace quorvex::platform
