#include "ctl/ShowText.h"

#include "ctl/Console.h"
#include "model/BandMaps.h"

#include <QStringList>

namespace bdx4::ctl {

QString mapText(const Configuration& configuration, const QString& name) {
    QStringList lines;
    lines << name;
    QString header = QStringLiteral("      ");
    for (const char* caption : kOutputCaptions)
        header += QStringLiteral("%1").arg(QLatin1String(caption), 4);
    lines << header;
    for (int r = 0; r < kBandRows; ++r) {
        QString row = QStringLiteral("%1").arg(QLatin1String(kRowCaptions[r]), -6);
        for (int c = 0; c < kOutputs; ++c) {
            const int cell = configuration.map()[r][c];
            row += QStringLiteral("   ") + (cell == 1   ? QLatin1Char('x')
                                            : cell == 0 ? QLatin1Char('.')
                                                        : QLatin1Char('-'));
        }
        lines << row;
    }
    lines << Texts::tr("x on, . off, - grayed (kept, never sent as on)");
    lines << QString();
    if (configuration.accOutputsForBandMap()) {
        lines << Texts::tr("ACn mode: Use AC1 - AC3 for Bandmap");
    } else {
        lines << Texts::tr("ACn mode: Use AC1 - AC3 default table");
        lines << Texts::tr(
            "  (the box drives AC1-AC3 from its accessory table; the AC1-AC3 columns are "
            "not sent)");
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString voltageText(const VoltageTables& volts) {
    QStringList lines;
    QString header = QStringLiteral("%1").arg(Texts::tr("Band voltages"), -14);
    for (int t = 0; t < kVoltageTables; ++t)
        header += QStringLiteral("%1").arg(
            QStringLiteral("AN%1 (%2 V)").arg(t + 1).arg(kFullScaleVolts[t]), 12);
    lines << header;
    for (int b = 0; b < kVoltageBands; ++b) {
        QString row = QStringLiteral("%1").arg(QLatin1String(kVoltageBandCaptions[b]), -14);
        for (int t = 0; t < kVoltageTables; ++t)
            row += QStringLiteral("%1").arg(VoltageTables::voltsText(volts.level(t, b), t), 12);
        lines << row;
    }
    lines << Texts::tr("(0.00: the transceiver gives no voltage on that band)");
    return lines.join(QLatin1Char('\n'));
}

} // namespace bdx4::ctl
