// The printable sheet: written as a PDF and read back as text, as a person reads the page.

#include "sheet/ConfigSheet.h"
#include "support/Fakes.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

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

    // The page's margins read back from the PDF, whatever printable area the device reports:
    // "sheet" is bdx4ctl's PDF, "printer" the window's Print to file, a number a printer that
    // reports margins of that many mm.
    void marginsOnPaper_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<QString>("device");
        QTest::addColumn<double>("leastMm"); // at every edge of the paper
        for (const auto& [paper, name] :
             {std::pair(QPageSize::A4, "A4"), {QPageSize::Letter, "Letter"}}) {
            const auto row = [&, paper = paper, name = name](const char* device, double leastMm) {
                QTest::addRow("%s, %s", name, device) << int(paper) << QString(device) << leastMm;
            };
            row("sheet", 10);
            row("printer", 10);
            row("5", 10);
            row("0", 10);
            row("25", 25); // the printer's wider margins win; the page still fits
        }
    }
    void marginsOnPaper() {
        QFETCH(int, paper);
        QFETCH(QString, device);
        QFETCH(double, leastMm);
        const auto print = [&](const QString& path, const QString& how) {
            const QPageSize size{QPageSize::PageSizeId(paper)};
            ConfigSheet sheet(Configuration(StoredMap{}, true, VoltageTables()), "MAP1");
            sheet.setFirmware("2.17");
            if (how == "sheet")
                return !sheet.writePdf(path,
                                       QLocale(paper == QPageSize::Letter ? "en_US" : "de_DE"));
            std::unique_ptr<QPagedPaintDevice> out;
            if (how == "printer") { // as the window prints
                auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
                printer->setOutputFormat(QPrinter::PdfFormat);
                printer->setOutputFileName(path);
                printer->setPageSize(size);
                out = std::move(printer);
            } else {
                auto writer = std::make_unique<QPdfWriter>(path);
                const double mm = how.toDouble();
                writer->setPageLayout(QPageLayout(size, QPageLayout::Portrait,
                                                  QMarginsF(mm, mm, mm, mm),
                                                  QPageLayout::Millimeter, QMarginsF()));
                out = std::move(writer);
            }
            QPainter painter;
            if (!painter.begin(out.get()))
                return false;
            sheet.draw(painter, *out);
            return painter.end();
        };
        // The distances of the words from the left, top, right and bottom edge, in mm.
        const auto margins = [](const QString& path) {
            QProcess pdftotext;
            pdftotext.start("pdftotext", {"-bbox", path, "-"});
            pdftotext.waitForFinished(20000);
            const QString html = QString::fromUtf8(pdftotext.readAllStandardOutput());
            const QString number = "=\"([\\d.]+)\"";
            const auto page =
                QRegularExpression("<page width" + number + " height" + number).match(html);
            const double size[] = {page.captured(1).toDouble(), page.captured(2).toDouble()};
            QList<double> edges = {1e9, 1e9, 1e9, 1e9};
            const QRegularExpression box("xMin" + number + " yMin" + number + " xMax" + number +
                                         " yMax" + number);
            for (auto m = box.globalMatch(html); m.hasNext();) {
                const auto word = m.next();
                for (int e = 0; e < 4; ++e) {
                    const double at = word.captured(e + 1).toDouble();
                    edges[e] = std::min(edges[e], (e < 2 ? at : size[e - 2] - at) * 25.4 / 72);
                }
            }
            return std::pair(int(html.count("<page ")), edges);
        };
        QTemporaryDir dir;
        QVERIFY(print(dir.filePath("page.pdf"), device) &&
                print(dir.filePath("sheet.pdf"), "sheet"));
        if (test::pdfText(dir.filePath("page.pdf")).isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const auto [pages, edges] = margins(dir.filePath("page.pdf"));
        QCOMPARE(pages, 1);
        for (double edge : edges)
            QVERIFY2(edge >= leastMm && edge < 60, qPrintable(QString::number(edge)));
        if (leastMm == 10) // the same page as bdx4ctl's
            for (int e = 0; e < 4; ++e)
                QVERIFY(std::abs(edges[e] - margins(dir.filePath("sheet.pdf")).second[e]) < 0.3);
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
