#include "whole_file.h"

#include <QFile>
#include <QSaveFile>

namespace quorvex::platform {

std::string writeWholeFile(const std::string& path, std::string_view bytes) {
    QSaveFile file(QFile::decodeName(path.c_str()));
    // A device (/dev/null) or a folder where no temporary file may be made
    // is written directly, as before.
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
