#include "whole_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorvex::platform {

namespace {

/// Writes every piece produce hands over to file; false at the first that
/// is not written whole.
bool writePieces(QFileDevice& file, const PieceWriter& produce) {
    return produce([&](std::string_view piece) {
        return file.write(piece.data(), static_cast<qint64>(piece.size())) ==
               static_cast<qint64>(piece.size());
    });
}

/// A device or a pipe (/dev/null, a FIFO) takes the bytes as they come: it
/// must never be replaced by a file.
std::string writeDirectly(const QString& name, const PieceWriter& produce) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    const bool written = writePieces(file, produce) && file.flush();
    const std::string why = file.errorString().toStdString();
    file.close();
    return written && file.error() == QFileDevice::NoError ? std::string() : why;
}

} // namespace

std::string writeWholeFile(const std::string& path, const PieceWriter& produce) {
    const QString name = QFile::decodeName(path.c_str());
    const QFileInfo info(name);
    if (info.exists() && !info.isFile()) return writeDirectly(name, produce);
    QSaveFile file(name);
    // A folder where no temporary file may be made still lets its files be
    // written in place, as before.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
    if (!writePieces(file, produce)) {
        const std::string why = file.errorString().toStdString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit()) return file.errorString().toStdString();
    return {};
}

} // namespace quorvex::platform
