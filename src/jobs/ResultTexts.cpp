#include "jobs/ResultTexts.h"

namespace bdx4 {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QString ResultTexts::lineLost(const QString& port, const QString& reason) {
    return tr("The serial line on %1 was lost (%2).").arg(port, reason);
}

ResultText ResultTexts::searchFailed(const SearchResult& result, const QString& port,
                                     ChoiceHint hint) {
    QString text =
        hint == ChoiceHint::Menu
            ? tr("No BDX4 found.  Please check this program's COM settings.\r\n\r\n"
                 "Use the COMM pull-down menu to select the correct Port and BAUD rate\r\n"
                 "that has been set via the jumpers in your BDX4 (see manual).\r\n\r\n"
                 "Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).")
            : tr("No BDX4 found on %1.\r\n\r\n"
                 "Give the port the BDX4 is on with --port, and with --baud the BAUD rate\r\n"
                 "that has been set via the jumpers in your BDX4 (see manual).\r\n\r\n"
                 "Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).")
                  .arg(port);
    if (result.outcome == SearchResult::LineLost)
        text = lineLost(port, result.reason) + kCrLf + kCrLf + text;
    return {tr("Error connecting to a BDX4"), text};
}

ResultText ResultTexts::downloadFailed(const DownloadResult& result, const QString& port,
                                       ChoiceHint hint) {
    const QString title = tr("BDX4: %1").arg(QString::fromLatin1(result.received));
    const QString section = result.section ? ConfigImage::sectionName(*result.section) : QString();
    const QString failed = tr("Download failed in section %1").arg(section);
    switch (result.outcome) {
    case DownloadResult::PortClosed:
        return {QString(),
                tr("The serial port %1 is not open, so nothing was sent to the BDX4.\r\n\r\n"
                   "Choose the port and speed in the COMM menu, then use \"Test for BDX4\" in the "
                   "Main menu to open it.")
                    .arg(port)};
    case DownloadResult::NotSent:
        if (!result.section)
            return {title,
                    tr("Nothing could be sent to the BDX4 on %1:\r\n%2").arg(port, result.reason)};
        return {title, failed + kCrLf + kCrLf + result.reason};
    case DownloadResult::LineLost:
        return {title, failed + kCrLf + kCrLf + lineLost(port, result.reason)};
    case DownloadResult::Cancelled:
        return {title, tr("Download cancelled in section %1").arg(section)};
    case DownloadResult::NotAcknowledged:
        // The line took every byte, but the box did not answer: it is not listening in download
        // mode, hears another speed, or the bytes never reach it. A lost or refusing line says
        // its own reason above instead, which no switch or jumper explains.
        return {
            title,
            failed + kCrLf + kCrLf +
                (hint == ChoiceHint::Menu
                     ? tr("Please check:\r\n"
                          "- the OP/DL switch on your BDX4 is set to DL (toward Power jack);\r\n"
                          "- the BAUD rate in the COMM menu is the one set via the jumpers in "
                          "your BDX4;\r\n"
                          "- the serial cable and the USB serial adapter are firmly connected.")
                     : tr("Please check:\r\n"
                          "- the OP/DL switch on your BDX4 is set to DL (toward Power jack);\r\n"
                          "- --baud gives the BAUD rate set via the jumpers in your BDX4;\r\n"
                          "- the serial cable and the USB serial adapter are firmly connected."))};
    case DownloadResult::Passed:
        break;
    }
    return {title, failed};
}

} // namespace bdx4
