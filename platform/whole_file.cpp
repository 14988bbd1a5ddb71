#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvex::platform {

namespace {

/// A device or a pipe (/dev/null, a FIFO) takes the bytes as they come: it
/// must never be replaced by a file.
std::string writeDirectly(const QString& name, std::string_view bytes) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    const bool written = file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                             static_cast<qint64>(bytes.size()) &&
                         file.flush();
    const std::string why = file.errorString().toStdString();
    file.close();
    return written && file.error() == QFileDevice::NoError ? std::string() : why;
}

} // namespace

std::string writeWholeFile(const std::string& path, std::string_view bytes) {
    const QString name = QFile::decodeName(path.c_str());
    const QFileInfo info(name);
    if (info.exists() && !info.isFile()) return writeDirectly(name, bytes);
    QSaveFile file(name);
    // A folder where no temporary file may be made still lets its files be
    // written in place, as before.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        const std::string why = file.errorString().toStdString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return {};
}

} // namespace quorvex::platform
