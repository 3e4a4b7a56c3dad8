#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <array>
#include <optional>

namespace bdx4 {

/// The program's words in the user's language, for bdx4config and bdx4ctl alike: its own
/// translation, built into the program under :/i18n, and Qt's own for the standard buttons and
/// dialogs, from the Qt installation where that has them. They count while this object lives;
/// install them before the first window is built or the command line is read.
class Translations {
public:
    Translations() = default;
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    /// Speaks the first of `uiLanguages` ("de-DE", "de"; as QLocale::system().uiLanguages()
    /// gives them from LANGUAGE, LC_ALL, LC_MESSAGES or LANG) that the program has a translation
    /// for. English, the language the program is written in, ends the search. Returns the
    /// language put in place ("de"), or nothing when the program stays English. Numbers shown to
    /// people follow the language chosen (QLocale's default), the files' own forms do not.
    QString install(const QStringList& uiLanguages);

    /// Where the program's own translations are: bdx4config_<language>.qm.
    static inline const QString kFolder = QStringLiteral(":/i18n");

private:
    void speakNumbersIn(const QLocale& locale);

    QTranslator program_;
    /// Qt's texts: its widgets and dialogs, and the serial port's.
    std::array<QTranslator, 2> qt_;
    /// The default locale before `install` set the language's, put back at the end.
    std::optional<QLocale> previous_;
};

} // namespace bdx4
