// The printable sheet: its PDF read back as text, its drawing as rules, shades and texts.

#include "sheet/ConfigSheet.h"
#include "support/Fakes.h"
#include "support/Golden.h"
#include "support/PaintRecorder.h"
#include "support/Rows.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace bdx4;

namespace {

/// The paper, dpi, AC1-AC3 as band outputs, the firmware shown, outputs named (wrapping, scripts).
using Drawing = std::tuple<QPageSize::PageSizeId, int, bool, QString, bool>;

/// Row r ticks output r % 16, 20M every output, 15M's 40 is grayed; AN1-AN3 at their defaults.
Configuration sample(bool acc) {
    StoredMap map = {};
    for (int r = 0; r < kBandRows; ++r)
        map[r][r % kOutputs] = 1;
    map[5].fill(1);
    map[7][3] = 2;
    return Configuration(map, acc, golden::defaultVolts());
}

/// The map's and the voltages' tables cell by cell, each by the caption of its first row.
QList<std::pair<QString, QList<QStringList>>> expectedTables(const Configuration& sheet) {
    const int outputs = sheet.accOutputsForBandMap() ? kOutputs : kAC1;
    QList<QStringList> map(kBandRows + 1, QStringList(outputs + 1));
    QList<QStringList> volts(kVoltageBands + 1, QStringList(kVoltageTables + 1));
    for (int c = 0; c < outputs; ++c)
        map[0][c + 1] = kOutputCaptions[c];
    for (int r = 0; r < kBandRows; ++r) {
        map[r + 1][0] = kRowCaptions[r];
        for (int c = 0; c < outputs; ++c)
            map[r + 1][c + 1] = sheet.map()[r][c] == 1 ? "X" : "";
    }
    for (int t = 0; t < kVoltageTables; ++t)
        volts[0][t + 1] = QString("AN%1 (0 - %2 V)").arg(t + 1).arg(kFullScaleVolts[t]);
    for (int b = 0; b < kVoltageBands; ++b) {
        volts[b + 1][0] = kVoltageBandCaptions[b];
        for (int t = 0; t < kVoltageTables; ++t)
            volts[b + 1][t + 1] = VoltageTables::voltsText(sheet.volts().level(t, b), t);
    }
    return {{"160M", map}, {"430 MHz", volts}};
}

} // namespace

class TestSheet : public QObject {
    Q_OBJECT
private slots:
    void pdfReadsBack() {
        QVERIFY(ConfigSheet::paperFor(QLocale("en_US")) == QPageSize::Letter &&
                ConfigSheet::paperFor(QLocale("en_GB")) == QPageSize::A4);
        ConfigSheet sheet(sample(true), "MAP2");
        sheet.setFirmware("2.17");
        sheet.setDate(QDate(2031, 2, 28));
        QTemporaryDir dir;
        const IoResult failed = sheet.writePdf(dir.filePath("no/x"));
        QVERIFY(failed && !failed->description.isEmpty() && QDir(dir.path()).isEmpty());
        QVERIFY(!sheet.writePdf(dir.filePath("s.pdf"), QLocale(QLocale::German)));
        const QString text = test::pdfText(dir.filePath("s.pdf"));
        if (text.isNull())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QCOMPARE(text.count('\f'), 1);
        for (const char* words : {"Map: MAP2", "printed 2031-02-28", "Use AC1 - AC3 for Bandmap",
                                  "BDX4 firmware 2.17", "XVTR7", "AN3 (0 - 10 V)"})
            QVERIFY2(text.contains(words), words);
    }

    // On any paper and resolution: each table one grid of rules, each text in its own cell, the
    // shades alternating, no text overlapping or cut off, nothing outside the area given.
    void drawingHoldsTogether_data() {
        const test::Rows<Drawing> row;
        row("A4 at 1200 dpi, AC1 - AC3 as band outputs, a box answered, names",
            {QPageSize::A4, 1200, true, "2.17", true});
        row("Letter at 300 dpi, the box's default table, no box",
            {QPageSize::Letter, 300, false, "", false});
        row("A6 at 600 dpi, shrunk, names", {QPageSize::A6, 600, true, "12.345", true});
    }
    void drawingHoldsTogether() {
        const auto& [paper, dpi, acc, firmware, named] = test::fetch<Drawing>();
        ConfigSheet sheet(sample(acc), "MAP2");
        sheet.setFirmware(firmware);
        OutputNames names;
        for (const auto& [output, name] : {std::pair(0, "Яги 4 el"),
                                           {3, "4-square"},
                                           {5, "WWWWWWWWWWWWWWWWWWWWWWWW"},
                                           {15, "2 m PA"}})
            names.setName(output, named ? QString(name) : QString());
        sheet.setNames(names);
        const QPageLayout layout(QPageSize(paper), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                 QPageLayout::Millimeter);
        test::PaintRecorder page(layout.fullRectPixels(dpi).size(), dpi);
        QPainter painter(&page);
        sheet.draw(painter, layout.paintRectPixels(dpi));
        painter.end();
        test::checkApart(page.painted, layout.paintRectPixels(dpi));
        QString all;
        for (const auto& text : page.painted.texts)
            all += text.text + '\n';
        QVERIFY(all.contains(acc ? "Use AC1 - AC3 for Bandmap" : "Use AC1 - AC3 default table"));
        QCOMPARE(all.contains("BDX4 firmware " + firmware + '\n'), !firmware.isEmpty());
        const auto at = [&page](const QString& text) {
            for (const auto& item : page.painted.texts)
                if (item.text == text)
                    return item.rect;
            return QRectF();
        };
        QCOMPARE(all.count('W'), named ? 24 : 0); // wrapped, none lost, still readable
        for (const auto& item : page.painted.texts)
            QVERIFY(!item.text.startsWith('W') || item.rect.width() * 2 > at("4-square").width());
        if (named) // under its column, below the map
            QVERIFY(std::abs(at("4-square").center().x() - at("40").center().x()) * 2 <
                        at("30").center().x() - at("40").center().x() &&
                    at("4-square").top() > at("XVTR7").bottom() && all.contains("Яги 4"));

        for (const auto& [caption, expected] : expectedTables(sample(acc))) {
            const test::Table table = test::readTable(page.painted, caption);
            QVERIFY2(table.faults.isEmpty(), qPrintable(table.faults.join("; ")));
            QCOMPARE(table.cells.size(), expected.size());
            for (int r = 0; r < expected.size(); ++r)
                QCOMPARE(table.cells[r], expected[r]);
            for (int r = 1; r + 1 < expected.size(); ++r) // the heading aside
                QVERIFY2(table.shaded[r] != table.shaded[r + 1], qPrintable(expected[r][0]));
        }
    }

    // "sheet": bdx4ctl's PDF, "printer" the window's Print to file, a number a device's margins.
    void marginsOnPaper_data() {
        const test::Rows<std::pair<QPageSize::PageSizeId, QString>> row;
        for (const auto paper : {QPageSize::A4, QPageSize::Letter})
            for (const char* device : {"sheet", "printer", "5", "0", "25"})
                row(qPrintable(QString(paper == QPageSize::A4 ? "A4, " : "Letter, ") + device),
                    {paper, device});
    }
    void marginsOnPaper() {
        const auto& [paper, device] = test::fetch<std::pair<QPageSize::PageSizeId, QString>>();
        const QPageSize size{paper};
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
