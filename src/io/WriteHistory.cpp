#include "io/WriteHistory.h"

#include "io/ExportFile.h"
#include "io/StoreFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace bdx4 {

namespace {

const QString kAboutSuffix = QStringLiteral(".about");
const QString kLinesSuffix = QStringLiteral(".txt");
/// An entry's text is a few lines; anything larger is no entry.
constexpr qint64 kMaxAboutSize = 4096;

QByteArray aboutText(const HistoryEntry& entry) {
    QByteArray text;
    const auto line = [&text](const char* key, const QString& value) {
        QString flat = value;
        flat.replace(QLatin1Char('\r'), QLatin1Char(' '))
            .replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += QByteArray(key) + '=' + flat.toUtf8() + kLineEnd;
    };
    line("written", entry.written.toString(Qt::ISODateWithMs));
    line("source", entry.source);
    line("mode", entry.accForBandMap ? QStringLiteral("bandmap") : QStringLiteral("table"));
    line("port", entry.port);
    line("device", entry.device);
    line("firmware", entry.firmware);
    return text;
}

std::optional<HistoryEntry> readAbout(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    HistoryEntry entry;
    for (const QByteArray& raw : file.read(kMaxAboutSize).split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const QString key = line.section(QLatin1Char('='), 0, 0);
        const QString value = line.section(QLatin1Char('='), 1);
        if (key == QLatin1String("written"))
            entry.written = QDateTime::fromString(value, Qt::ISODateWithMs);
        else if (key == QLatin1String("source"))
            entry.source = value;
        else if (key == QLatin1String("mode"))
            entry.accForBandMap = value == QLatin1String("bandmap");
        else if (key == QLatin1String("port"))
            entry.port = value;
        else if (key == QLatin1String("device"))
            entry.device = value;
        else if (key == QLatin1String("firmware"))
            entry.firmware = value;
    }
    entry.path = path.chopped(kAboutSuffix.size()) + kLinesSuffix;
    if (!entry.written.isValid() || !QFileInfo(entry.path).isFile())
        return std::nullopt;
    return entry;
}

} // namespace

WriteHistory::WriteHistory(const QString& storeFolder)
    : folder_(QDir(storeFolder).filePath(QStringLiteral("history"))) {}

IoResult WriteHistory::record(const ConfigImage& image, HistoryEntry entry) {
    if (!QDir().mkpath(folder_))
        return IoError{int(QFileDevice::OpenError), // said with the folder's name
                       QCoreApplication::translate("WriteHistory", "the folder cannot be made")};
    entry.written = QDateTime::currentDateTime();
    // Named by the time, so that a folder listing reads in order; two in one millisecond apart.
    const QString stamp = entry.written.toString(QStringLiteral("yyyy-MM-dd-HHmmss-zzz"));
    QString base = QDir(folder_).filePath(stamp);
    for (int n = 2;
         QFileInfo::exists(base + kAboutSuffix) || QFileInfo::exists(base + kLinesSuffix); ++n)
        base = QDir(folder_).filePath(stamp + QStringLiteral("-%1").arg(n));
    entry.path = base + kLinesSuffix;
    if (const IoResult failure = writeFileWhole(entry.path, exportText(image)))
        return failure;
    if (const IoResult failure = writeFileWhole(base + kAboutSuffix, aboutText(entry))) {
        QFile::remove(entry.path);
        return failure;
    }
    dropOldest();
    return std::nullopt;
}

QStringList WriteHistory::aboutFilesNewestFirst() const {
    // Named by the time they were written, so the names sort as the times do.
    QStringList names =
        QDir(folder_).entryList({QLatin1Char('*') + kAboutSuffix}, QDir::Files, QDir::Name);
    std::reverse(names.begin(), names.end());
    return names;
}

QList<HistoryEntry> WriteHistory::entries() const {
    QList<HistoryEntry> found;
    const QDir dir(folder_);
    for (const QString& name : aboutFilesNewestFirst())
        if (const std::optional<HistoryEntry> entry = readAbout(dir.filePath(name)))
            found << *entry;
    std::stable_sort(found.begin(), found.end(), [](const HistoryEntry& a, const HistoryEntry& b) {
        return a.written > b.written;
    });
    return found;
}

std::optional<HistoryEntry> WriteHistory::newest() const {
    const QDir dir(folder_);
    for (const QString& name : aboutFilesNewestFirst())
        if (const std::optional<HistoryEntry> entry = readAbout(dir.filePath(name)))
            return entry;
    return std::nullopt;
}

void WriteHistory::dropOldest() const {
    const QStringList names = aboutFilesNewestFirst();
    const QDir dir(folder_);
    for (qsizetype i = kKept; i < names.size(); ++i) {
        const QString about = dir.filePath(names[i]);
        QFile::remove(about.chopped(kAboutSuffix.size()) + kLinesSuffix);
        QFile::remove(about);
    }
}

} // namespace bdx4
