#include "io/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace bdx4 {

Translations::~Translations() {
    if (previous_)
        QLocale::setDefault(*previous_);
}

QString Translations::install(const QStringList& uiLanguages) {
    for (QString language : uiLanguages) {
        language.replace(QLatin1Char('-'), QLatin1Char('_'));
        if (QLocale(language).language() == QLocale::English) {
            speakNumbersIn(QLocale(language));
            break;
        }
        // load() drops the region when only the language has a file: de_AT finds _de.
        const QString name = QStringLiteral("bdx4config_") + language;
        if (!program_.load(name, kFolder) || program_.isEmpty())
            continue;
        QCoreApplication::installTranslator(&program_);
        speakNumbersIn(QLocale(language));
        const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        const char* const qtParts[] = {"qtbase_", "qtserialport_"};
        for (std::size_t i = 0; i < qt_.size(); ++i)
            if (qt_[i].load(QLatin1String(qtParts[i]) + language, qtFolder))
                QCoreApplication::installTranslator(&qt_[i]);
        return program_.language();
    }
    return QString();
}

void Translations::speakNumbersIn(const QLocale& locale) {
    if (!previous_)
        previous_ = QLocale();
    QLocale::setDefault(locale);
}

} // namespace bdx4
