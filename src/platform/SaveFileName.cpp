#include "platform/SaveFileName.h"

namespace bdx4 {

QString SavedFileName(const QString& typed) {
    // Only blanks are trimmed, as the dialog always has; a tab typed into the box is kept.
    qsizetype first = 0;
    qsizetype last = typed.size();
    while (first < last && typed.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && typed.at(last - 1) == QLatin1Char(' '))
        --last;
    QString name = typed.mid(first, last - first);
    if (!name.endsWith(QLatin1String(".txt"), Qt::CaseSensitive))
        name += QLatin1String(".txt");
    return name;
}

QString SavedFilePath(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

} // namespace bdx4
