#include "io/ExportFile.h"

#include "io/StoreFile.h"

#include <QCoreApplication>

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

QString exportFailureText(const QString& shownPath, const IoError& failure) {
    return QCoreApplication::translate("ExportFile",
                                       "The file \"%1\" could not be written:\r\n%2\r\n\r\n"
                                       "Nothing was saved; any earlier file of that name is "
                                       "unchanged.")
        .arg(shownPath, failure.description);
}

} // namespace bdx4
