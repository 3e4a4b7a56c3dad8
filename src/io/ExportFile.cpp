#include "io/ExportFile.h"

#include "io/StoreFile.h"

namespace bdx4 {

QByteArray exportText(const ConfigImage& image) {
    QByteArray text;
    for (const QByteArray& line : image.lines())
        text += '"' + line + '"' + kLineEnd;
    return text;
}

IoResult exportConfiguration(const QString& path, const ConfigImage& image) {
    return writeFileWhole(path, exportText(image));
}

} // namespace bdx4
