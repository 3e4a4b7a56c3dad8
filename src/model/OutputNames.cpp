#include "model/OutputNames.h"

#include <QList>

namespace bdx4 {

OutputNames::Fault OutputNames::check(const QString& name) {
    const QString trimmed = name.trimmed();
    for (const QChar c : trimmed)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            return Fault::LineCharacter;
    // Characters as people count them: a letter outside the first plane is one, not two.
    return trimmed.toUcs4().size() > kMaxLength ? Fault::TooLong : Fault::None;
}

bool OutputNames::isEmpty() const {
    for (const QString& name : names_)
        if (!name.isEmpty())
            return false;
    return true;
}

int outputCaptioned(const QString& caption) {
    for (int c = 0; c < kOutputs; ++c)
        if (caption.compare(QLatin1String(kOutputCaptions[c]), Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

} // namespace bdx4
