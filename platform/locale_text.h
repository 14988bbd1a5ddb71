#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace quorvex::platform {

/// The name of the 8-bit encoding text files use on this machine: the
/// locale's code page ("UTF-8" on a UTF-8 locale, "GBK" under a Chinese
/// GBK locale). A plain ASCII locale (C, POSIX) counts as UTF-8.
QByteArray localeTextEncoding();

/// The text of a file's bytes, by one rule for the window and the CLI:
/// valid UTF-8 (after a UTF-8 byte-order mark) is UTF-8 whatever the locale;
/// UTF-16 with a byte-order mark is UTF-16; anything else is read in
/// `encoding` when it decodes cleanly there, otherwise as GB18030 (files
/// written on Chinese Windows machines), otherwise as UTF-8 with
/// replacement characters. The byte-order mark is dropped.
QString decodeFileText(QByteArrayView bytes, const QByteArray& encoding);

/// The bytes of `text` in `encoding`, with no byte-order mark. Nothing when
/// the encoding is unknown or cannot represent every character, so that a
/// file is never written with characters silently replaced.
std::optional<QByteArray> encodeFileText(QStringView text, const QByteArray& encoding);

} // namespace quorvex::platform
