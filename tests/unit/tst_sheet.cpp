// The printable sheet: written as a PDF and read back as text, as a person reads the page.

#include "sheet/ConfigSheet.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;

namespace {

/// The text of a PDF, laid out as on the page; empty when pdftotext failed.
QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-layout", path, "-"});
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

/// The first line of `text` that begins with `caption` (pdftotext may drop the blank in "2 m").
QString lineOf(const QString& text, QString caption) {
    for (const QString& line : text.split('\n'))
        if (QString(line).remove(' ').startsWith(caption.remove(' ')))
            return line;
    return QString();
}

/// The words of a line with the column of their middle.
QList<std::pair<QString, double>> words(const QString& line) {
    QList<std::pair<QString, double>> found;
    for (auto m = QRegularExpression("\\S+").globalMatch(line); m.hasNext();) {
        const auto word = m.next();
        found << std::pair(word.captured(), word.capturedStart() + word.capturedLength() / 2.0);
    }
    return found;
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void sheetReadsBack_data() {
        QTest::addColumn<bool>("acc");
        QTest::addColumn<QString>("firmware");
        QTest::newRow("AC1 - AC3 as band outputs, a box answered") << true << "2.17";
        QTest::newRow("the box's default table, no box") << false << "";
    }
    void sheetReadsBack() {
        QFETCH(bool, acc);
        QFETCH(QString, firmware);
        // Row r ticks output r % 16 and 20M every output: each X shows its band and output.
        StoredMap map = {};
        for (int r = 0; r < kBandRows; ++r)
            map[r][r % kOutputs] = 1;
        map[5].fill(1);
        map[7][3] = 2; // grayed: sent as off, so no X
        VoltageTables volts;
        for (int b = 0; b < kVoltageBands; ++b)
            for (int t = 0; t < kVoltageTables; ++t)
                volts.setValue(t, b, VoltageTables::defaultLevels(t)[b]);
        ConfigSheet sheet(Configuration(map, acc, volts), "MAP2");
        sheet.setFirmware(firmware);
        sheet.setDate(QDate(2031, 2, 28));
        QTemporaryDir dir;
        const QString path = dir.filePath("sheet.pdf");
        QVERIFY(!sheet.writePdf(path, QLocale(QLocale::German)));
        const QString text = pdfText(path);

        QCOMPARE(text.count('\f'), 1); // one page
        QVERIFY(text.contains("Map: MAP2"));
        QVERIFY(text.contains(acc ? "Use AC1 - AC3 for Bandmap" : "Use AC1 - AC3 default table"));
        QVERIFY(text.contains("printed 2031-02-28"));
        QCOMPARE(text.contains("BDX4 firmware 2.17"), !firmware.isEmpty());
        const int outputs = acc ? kOutputs : kAC1;
        const auto heading = words(lineOf(text, "160"));
        QCOMPARE(heading.size(), outputs);
        for (int c = 0; c < outputs; ++c)
            QCOMPARE(heading[c].first, QString(kOutputCaptions[c]));
        for (int r = 0; r < kBandRows; ++r) { // each X stands under its output's caption
            QList<int> ticked, expected;
            for (const auto& [word, middle] : words(lineOf(text, kRowCaptions[r])).mid(1)) {
                const auto nearest = std::min_element(
                    heading.begin(), heading.end(), [x = middle](const auto& a, const auto& b) {
                        return std::abs(a.second - x) < std::abs(b.second - x);
                    });
                ticked << (word == "X" ? int(nearest - heading.begin()) : -1);
            }
            for (int c = 0; c < outputs; ++c)
                if (map[r][c] == 1)
                    expected << c;
            QCOMPARE(ticked, expected);
        }
        for (int b = 0; b < kVoltageBands; ++b) {
            const QStringList volts =
                lineOf(text.mid(text.indexOf("Band voltages")), kVoltageBandCaptions[b])
                    .simplified()
                    .split(' ');
            QCOMPARE(volts.mid(volts.size() - 3).join(' '),
                     QStringList({VoltageTables::voltsText(kDefaultLevelsAn1An3[b], 0),
                                  VoltageTables::voltsText(kDefaultLevelsAn2[b], 1),
                                  VoltageTables::voltsText(kDefaultLevelsAn1An3[b], 2)})
                         .join(' '));
        }
    }

    void paperAndFailures() {
        QCOMPARE(ConfigSheet::paperFor(QLocale(QLocale::English, QLocale::UnitedStates)),
                 QPageSize::Letter);
        QCOMPARE(ConfigSheet::paperFor(QLocale(QLocale::English, QLocale::UnitedKingdom)),
                 QPageSize::A4);
        QTemporaryDir dir;
        const IoResult failed = ConfigSheet(Configuration(), "x").writePdf(dir.filePath("no/x"));
        QVERIFY(failed && !failed->description.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("no")));
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
