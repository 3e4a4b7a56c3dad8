// The printable sheet: written as a PDF and read back as text, as a person reads the page.

#include "sheet/ConfigSheet.h"
#include "support/Fakes.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;

namespace {

/// The words of the first line of `text` that begins with `caption`, each with the column of its
/// middle.
QList<std::pair<QString, double>> wordsOf(const QString& text, const QString& caption) {
    QList<std::pair<QString, double>> words;
    for (const QString& line : text.split('\n')) {
        if (!line.trimmed().startsWith(caption + ' '))
            continue;
        for (auto m = QRegularExpression("\\S+").globalMatch(line); m.hasNext();) {
            const auto word = m.next();
            words << std::pair(word.captured(), word.capturedStart() + word.capturedLength() / 2.);
        }
        break;
    }
    return words;
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void sheetReadsBack_data() {
        QTest::addColumn<bool>("acc");
        QTest::addColumn<QString>("firmware");
        QTest::newRow("AC1 - AC3 as band outputs, a box answered") << true << "2.17";
        QTest::newRow("the box's default table, no box") << false << "";
    }
    void sheetReadsBack() {
        QFETCH(bool, acc);
        QFETCH(QString, firmware);
        StoredMap map = {}; // row r ticks output r % 16, 20M every output, 15M's 40 is grayed
        for (int r = 0; r < kBandRows; ++r)
            map[r][r % kOutputs] = 1;
        map[5].fill(1);
        map[7][3] = 2;
        VoltageTables volts;
        for (int i = 0; i < kVoltageTables * kVoltageBands; ++i)
            volts.setValue(i / 13, i % 13, VoltageTables::defaultLevels(i / 13)[i % 13]);
        ConfigSheet sheet(Configuration(map, acc, volts), "MAP2");
        sheet.setFirmware(firmware);
        sheet.setDate(QDate(2031, 2, 28));
        QTemporaryDir dir;
        QVERIFY(!sheet.writePdf(dir.filePath("s.pdf"), QLocale(QLocale::German)));
        const QString text = test::pdfText(dir.filePath("s.pdf"));
        if (text.isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");

        QCOMPARE(text.count('\f'), 1); // one page
        QVERIFY(text.contains("Map: MAP2") && text.contains("printed 2031-02-28") &&
                text.contains("AN1 (0 - 10 V)"));
        QVERIFY(text.contains(acc ? "Use AC1 - AC3 for Bandmap" : "Use AC1 - AC3 default table"));
        QCOMPARE(text.contains("BDX4 firmware 2.17"), !firmware.isEmpty());
        const int outputs = acc ? kOutputs : kAC1;
        const auto heading = wordsOf(text, "160");
        QCOMPARE(heading.size(), outputs);
        for (int c = 0; c < outputs; ++c)
            QCOMPARE(heading[c].first, QString(kOutputCaptions[c]));
        for (int r = 0; r < kBandRows; ++r) { // each X stands under its output's caption
            QList<int> ticked, expected;
            for (const auto& [word, middle] : wordsOf(text, kRowCaptions[r]).mid(1)) {
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
        const QString voltages = text.mid(text.indexOf("Band voltages")).remove(' ');
        for (int b = 0; b < kVoltageBands; ++b) // pdftotext may drop the blank in "2 m"
            QVERIFY(voltages.contains(QString(kVoltageBandCaptions[b]).remove(' ') +
                                      VoltageTables::voltsText(volts.level(0, b), 0) +
                                      VoltageTables::voltsText(volts.level(1, b), 1) +
                                      VoltageTables::voltsText(volts.level(2, b), 2) + '\n'));
    }

    void paperAndFailures() {
        QVERIFY(ConfigSheet::paperFor(QLocale("en_US")) == QPageSize::Letter &&
                ConfigSheet::paperFor(QLocale("en_GB")) == QPageSize::A4);
        QTemporaryDir dir;
        const IoResult failed = ConfigSheet(Configuration(), "x").writePdf(dir.filePath("no/x"));
        QVERIFY(failed && !failed->description.isEmpty() && QDir(dir.path()).isEmpty());
    }

    // The margins read back from the PDF, whatever printable area the device reports: "sheet" is
    // bdx4ctl's PDF, "printer" the window's Print to file, a number a device with such margins.
    void marginsOnPaper_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("device");
        for (int paper : {QPageSize::A4, QPageSize::Letter})
            for (const char* device : {"sheet", "printer", "5", "0", "25"})
                QTest::addRow("%s, %s", paper == QPageSize::A4 ? "A4" : "Letter", device)
                    << paper << QString(device);
    }
    void marginsOnPaper() {
        QFETCH(int, paper);
        QFETCH(QString, device);
        const QPageSize size{QPageSize::PageSizeId(paper)};
        ConfigSheet sheet(Configuration(StoredMap{}, true, VoltageTables()), "MAP1");
        sheet.setFirmware("2.17");
        const auto drawOn = [&](QPagedPaintDevice& out) {
            QPainter painter(&out);
            sheet.draw(painter, out);
        };
        QTemporaryDir dir;
        const QString pdf = dir.filePath("sheet.pdf"), page = dir.filePath("page.pdf");
        QVERIFY(!sheet.writePdf(pdf, QLocale(paper == QPageSize::Letter ? "en_US" : "de_DE")));
        if (device == "printer") { // as the window prints
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(page);
            printer.setPageSize(size);
            drawOn(printer);
        } else if (device != "sheet") {
            QPdfWriter writer(page);
            const double mm = device.toDouble();
            writer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(mm, mm, mm, mm),
                                             QPageLayout::Millimeter, QMarginsF()));
            drawOn(writer);
        }
        // The words' least distances from the left, top, right and bottom edge in mm; the pages.
        const auto edges = [paper = size.size(QPageSize::Point)](const QString& path) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-bbox", path, "-"});
            pdftotext.waitForFinished(20000);
            const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
            QList<double> edges = {1e9, 1e9, 1e9, 1e9, double(html.count("<page "))};
            const QString at = "=\"([\\d.]+)\"";
            const QRegularExpression word("xMin" + at + " yMin" + at + " xMax" + at + " yMax" + at);
            for (auto m = word.globalMatch(html); m.hasNext();) {
                const QStringList box = m.next().capturedTexts();
                for (int e = 0; e < 4; ++e) {
                    const double far[] = {paper.width(), paper.height()}, x = box[e + 1].toDouble();
                    edges[e] = std::min(edges[e], (e < 2 ? x : far[e - 2] - x) * 25.4 / 72);
                }
            }
            return edges;
        };
        if (test::pdfText(pdf).isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QList<double> got = edges(device == "sheet" ? pdf : page), bdx4ctl = edges(pdf);
        const double least = std::max(10.0, device.toDouble()); // the device's, when wider
        QCOMPARE(got[4], 1.0);                                  // one page
        for (int e = 0; e < 4; ++e) {
            QVERIFY2(got[e] >= least && got[e] < 60, qPrintable(QString::number(got[e])));
            if (least == 10) // the same page as bdx4ctl's
                QVERIFY(std::abs(got[e] - bdx4ctl[e]) < 0.3);
        }
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
