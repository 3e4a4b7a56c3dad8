#pragma once

#include "model/OutputNames.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

namespace bdx4 {

/// The file beside the stores that keeps the outputs' names: UTF-8 text, one line "40=4-square"
/// for each named output, in output order, each ending in CR LF. The maps' and the voltages'
/// stores, the export and the line never hold a name.
inline const QString kOutputNamesName = QStringLiteral("bdx4_names.txt");

/// The names file in `folder`.
QString outputNamesPath(const QString& folder);

/// How reading the names went.
struct NamesReading {
    enum Outcome {
        Complete,   ///< every line read (an empty file names nothing)
        Missing,    ///< there is no file: no output has a name
        Unreadable, ///< it is there but cannot be read (`reason`)
        Damaged,    ///< a line could not be read: `line` is the first, `reason` says why; the
                    ///< names of the other lines stand
    };
    Outcome outcome = Missing;
    int line = 0;
    QString reason;
};

class OutputNamesFile {
    Q_DECLARE_TR_FUNCTIONS(OutputNamesFile)
public:
    /// Reads what can be read of the names file's bytes into `names`.
    static NamesReading read(const QByteArray& bytes, OutputNames& names);
    /// The same for the file at `path`.
    static NamesReading read(const QString& path, OutputNames& names);
    /// The file's text for `names`.
    static QByteArray text(const OutputNames& names);
};

} // namespace bdx4
