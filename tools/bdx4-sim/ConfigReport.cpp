#include "ConfigReport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace bdx4sim {

namespace {

QString placementText(Placement placement) {
    switch (placement) {
    case Placement::Stored:
        return QStringLiteral("stored");
    case Placement::EndOfFile:
        return QStringLiteral("end");
    case Placement::UnknownAddress:
        return QStringLiteral("unknown address");
    case Placement::WrongCount:
        return QStringLiteral("wrong length for its block");
    case Placement::UnknownType:
        break;
    }
    return QStringLiteral("not stored");
}

QString hexByte(std::uint8_t b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

} // namespace

QByteArray downloadJson(const Download& download, const QByteArray& firmware, int downloads) {
    const BoxConfig& config = download.config;
    QJsonObject root;
    root[QStringLiteral("firmware")] = QString::fromLatin1(firmware);
    root[QStringLiteral("downloads")] = downloads;
    root[QStringLiteral("complete")] = config.complete();
    root[QStringLiteral("records")] = download.records;
    root[QStringLiteral("acknowledged")] = download.acknowledged;
    root[QStringLiteral("rejected")] = download.rejected;

    QJsonArray lines;
    QJsonArray status;
    for (qsizetype i = 0; i < download.lines.size(); ++i) {
        const ReceivedLine& line = download.lines[i];
        lines.append(QString::fromLatin1(line.text));
        if (i == 0)
            continue; // the command
        QJsonObject s;
        s[QStringLiteral("text")] = QString::fromLatin1(line.text);
        s[QStringLiteral("status")] = faultText(line.fault);
        s[QStringLiteral("acknowledged")] = line.acknowledged;
        s[QStringLiteral("placement")] = placementText(line.placement);
        status.append(s);
    }
    root[QStringLiteral("lines")] = lines;
    root[QStringLiteral("recordStatus")] = status;
    root[QStringLiteral("raw")] = QString::fromLatin1(download.raw);
    root[QStringLiteral("rawTruncated")] = download.rawTruncated;

    QJsonObject received;
    for (int b = 0; b < kDataBlocks; ++b)
        received[QLatin1String(kBlockNames[b])] = config.received[b];
    root[QStringLiteral("received")] = received;

    QJsonArray rows;
    for (int r = 0; r < kBandRows; ++r) {
        QJsonObject row;
        row[QStringLiteral("band")] = QLatin1String(kBandRowNames[r]);
        row[QStringLiteral("bytes")] = QJsonArray{config.bandRows[r][0], config.bandRows[r][1]};
        rows.append(row);
    }
    root[QStringLiteral("bandRows")] = rows;

    QJsonArray acc;
    for (std::uint8_t b : config.accessory)
        acc.append(b);
    root[QStringLiteral("accessory")] = acc;

    QJsonObject an;
    for (int t = 0; t < kAnInputs; ++t) {
        QJsonArray pairs;
        for (const auto& pair : config.an[t])
            pairs.append(QJsonArray{pair[0], pair[1]});
        an[QStringLiteral("AN%1").arg(t + 1)] = pairs;
    }
    root[QStringLiteral("an")] = an;
    return QJsonDocument(root).toJson(QJsonDocument::Compact) + '\n';
}

QString downloadText(const Download& download, int downloads) {
    const BoxConfig& config = download.config;
    QString out;
    out += QStringLiteral("Download %1 ended: %2 records, %3 acknowledged, %4 rejected, %5\n")
               .arg(downloads)
               .arg(download.records)
               .arg(download.acknowledged)
               .arg(download.rejected)
               .arg(config.complete() ? QStringLiteral("complete") : QStringLiteral("incomplete"));
    for (int b = 0; b < kDataBlocks; ++b) {
        if (!config.received[b])
            out += QStringLiteral("  %1 block missing\n").arg(QLatin1String(kBlockNames[b]));
    }
    out += QStringLiteral("  Band rows (byte 0, byte 1):\n");
    for (int r = 0; r < kBandRows; ++r) {
        out += QStringLiteral("    %1 %2 %3\n")
                   .arg(QLatin1String(kBandRowNames[r]), -6)
                   .arg(hexByte(config.bandRows[r][0]), hexByte(config.bandRows[r][1]));
    }
    out += QStringLiteral("  Accessory:");
    for (std::uint8_t b : config.accessory)
        out += QLatin1Char(' ') + hexByte(b);
    out += QLatin1Char('\n');
    for (int t = 0; t < kAnInputs; ++t) {
        out += QStringLiteral("  AN%1 (level/band):").arg(t + 1);
        for (const auto& pair : config.an[t])
            out += QStringLiteral(" %1/%2").arg(pair[0]).arg(pair[1]);
        out += QLatin1Char('\n');
    }
    return out;
}

QString writeFileAtomically(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(contents) != contents.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace bdx4sim
