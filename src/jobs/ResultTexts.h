#pragma once

#include "io/SerialDiagnosis.h"
#include "jobs/BoxSearch.h"
#include "jobs/DownloadJob.h"

#include <QCoreApplication>
#include <QString>

namespace bdx4 {

/// What the front ends tell the user about a job's end: a title and a text whose lines end in
/// CR LF. The windows show it in a message box, bdx4ctl prints it.
struct ResultText {
    QString title;
    QString text;
};

class ResultTexts {
    Q_DECLARE_TR_FUNCTIONS(ResultTexts)
public:
    /// The search heard no valid version reply (or the line went away): what to check, and
    /// where the user chooses the port and the speed.
    static ResultText searchFailed(const SearchResult& result, const QString& port,
                                   ChoiceHint hint = ChoiceHint::Menu);
    /// A download that did not pass; `port` as the user knows it. The title carries what the box
    /// sent last. A record the box left unacknowledged adds what to check, and where the user
    /// chooses the speed.
    static ResultText downloadFailed(const DownloadResult& result, const QString& port,
                                     ChoiceHint hint = ChoiceHint::Menu);
    /// A line that went away under the program.
    static QString lineLost(const QString& port, const QString& reason);
};

} // namespace bdx4
