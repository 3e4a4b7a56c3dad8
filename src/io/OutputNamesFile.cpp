#include "io/OutputNamesFile.h"

#include "io/RegularFile.h"

#include "io/StoreFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace bdx4 {

namespace {

/// The names file is a few hundred bytes; anything this large is some other file.
constexpr qint64 kMaxNamesFileSize = 16 * 1024;

} // namespace

QString outputNamesPath(const QString& folder) {
    return QDir(folder).filePath(kOutputNamesName);
}

NamesReading OutputNamesFile::read(const QByteArray& bytes, OutputNames& names) {
    NamesReading reading{NamesReading::Complete, 0, QString()};
    const auto damaged = [&reading](int line, const QString& reason) {
        if (reading.outcome != NamesReading::Damaged)
            reading = {NamesReading::Damaged, line, reason};
    };
    const QList<QByteArray> lines = bytes.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString text = utf8(line);
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        const int output = equals < 0 ? -1 : outputCaptioned(text.left(equals).trimmed());
        const QString name = text.mid(equals + 1);
        if (utf8.hasError())
            damaged(i + 1, tr("it is not UTF-8 text"));
        else if (output < 0)
            damaged(i + 1, tr("\"%1\" names no output (160 ... 10, XV1 ... XV3, AC1 ... AC3)")
                               .arg(text.left(equals < 0 ? 24 : equals)));
        else if (OutputNames::check(name) == OutputNames::Fault::TooLong)
            damaged(i + 1,
                    tr("the name is longer than %1 characters").arg(OutputNames::kMaxLength));
        else if (OutputNames::check(name) == OutputNames::Fault::LineCharacter)
            damaged(i + 1, tr("the name holds a control character")); // never on a terminal
        else
            names.setName(output, name);
    }
    return reading;
}

NamesReading OutputNamesFile::read(const QString& path, OutputNames& names) {
    const FileContent file = readRegularFile(path, kMaxNamesFileSize);
    if (file.outcome != FileContent::Read)
        return {file.outcome == FileContent::Missing ? NamesReading::Missing
                                                     : NamesReading::Unreadable,
                0, file.reason};
    if (file.bytes.size() > kMaxNamesFileSize)
        return {NamesReading::Unreadable, 0, tr("it is larger than any names file")};
    return read(file.bytes, names);
}

QByteArray OutputNamesFile::text(const OutputNames& names) {
    QByteArray text;
    for (int c = 0; c < kOutputs; ++c)
        if (!names.name(c).isEmpty())
            text += QByteArray(kOutputCaptions[c]) + '=' + names.name(c).toUtf8() + kLineEnd;
    return text;
}

} // namespace bdx4
