#include "sheet/ConfigSheet.h"

#include "io/StoreFile.h"

#include <QBuffer>
#include <QFileDevice>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace bdx4 {

namespace {

// The layout, in points (1/72 inch). The sheet is laid out on a 510 x 700 point area, which
// fits A4 and Letter inside 15 mm margins, and scaled to the page it is drawn on. Those margins
// hold on every page, printed or PDF, so that a printer prints the page bdx4ctl writes; a
// printer that cannot print as near the edge gets its own, wider ones.
constexpr double kWidth = 510, kHeight = 700;
constexpr double kMarginMm = 15;
constexpr double kMmPerInch = 25.4;
constexpr double kTitleSize = 16, kTextSize = 10, kTableSize = 8.5, kTickSize = 9.5,
                 kNoteSize = 7.5;
constexpr double kRow = 14;                             // a line of text, a table row
constexpr double kCaptionWidth = 44, kOutputWidth = 29; // the map's columns
constexpr double kBandWidth = 70, kVoltsWidth = 80;     // the voltage table's columns
constexpr double kGap = 16;                             // between the parts
constexpr double kInset = 3;                            // of a caption or a number in its cell
constexpr double kThin = 0.3, kThick = 1;               // widths of the rules
constexpr int kShade = 235;                             // every other row's grey
constexpr double kNamesHeight = 56; // the outputs' names under the map, turned to read downward

const QString kFontFamily = QStringLiteral("Liberation Sans");

/// Draws in points at a scale onto the device.
class Pen {
public:
    Pen(QPainter& painter, QPointF origin, double scale)
        : painter_(painter), origin_(origin), scale_(scale) {}

    QRectF rect(double x, double y, double w, double h) const {
        return QRectF(origin_.x() + x * scale_, origin_.y() + y * scale_, w * scale_, h * scale_);
    }
    void text(double x, double y, double w, double h, const QString& text, double size,
              bool bold = false, int flags = Qt::AlignLeft | Qt::AlignVCenter) {
        QFont font(kFontFamily);
        font.setStyleHint(QFont::SansSerif);
        font.setPixelSize(std::max(1, qRound(size * scale_)));
        font.setBold(bold);
        painter_.setFont(font);
        painter_.drawText(rect(x, y, w, h), flags, text);
    }
    /// `text` turned a quarter clockwise into the box, reading downward from its top, in lines
    /// across the box's width; smaller than `size` where that is what makes it fit.
    void turned(double x, double y, double w, double h, const QString& text, double size) {
        const QRectF box = rect(x, y, w, h);
        const QRectF along(0, 0, box.height(), box.width()); // the box as the text sees it
        QFont font(kFontFamily);
        font.setStyleHint(QFont::SansSerif);
        const int flags = fitInto(font, along, text, size * scale_);
        painter_.save();
        painter_.setFont(font);
        painter_.translate(box.topRight());
        painter_.rotate(90);
        painter_.drawText(along, flags, text);
        painter_.restore();
    }
    void line(double x1, double y1, double x2, double y2, double width) {
        painter_.setPen(QPen(Qt::black, width * scale_));
        painter_.drawLine(rect(x1, y1, 0, 0).topLeft(), rect(x2, y2, 0, 0).topLeft());
    }
    void shade(double x, double y, double w, double h) {
        painter_.fillRect(rect(x, y, w, h), QColor(kShade, kShade, kShade));
    }

private:
    /// Sets the largest size of `font`, `pixels` at most, at which `text` fits `box`, and gives
    /// the flags that fit it: whole words to a line where they fit, else broken anywhere (a name
    /// without blanks, a script that has none).
    int fitInto(QFont& font, const QRectF& box, const QString& text, double pixels) const {
        for (;; pixels *= 0.9) {
            font.setPixelSize(std::max(1, qRound(pixels)));
            const QFontMetricsF metrics(font, painter_.device());
            for (const int wrap : {int(Qt::TextWordWrap), int(Qt::TextWrapAnywhere)}) {
                const int flags = Qt::AlignLeft | Qt::AlignVCenter | wrap;
                const QRectF needs = metrics.boundingRect(box, flags, text);
                if (font.pixelSize() == 1 ||
                    (needs.width() < box.width() * 0.98 && needs.height() < box.height() * 0.98))
                    return flags;
            }
        }
    }

    QPainter& painter_;
    QPointF origin_;
    double scale_;
};

/// A table: a caption column, then columns of `width`; row 0 is the heading. Every other row is
/// shaded, so a row reads across without colour.
void drawGrid(Pen& pen, double y, double captionWidth, int columns, double width, int rows) {
    const double right = captionWidth + columns * width;
    for (int r = 2; r <= rows; r += 2)
        pen.shade(0, y + r * kRow, right, kRow);
    for (int r = 0; r <= rows + 1; ++r)
        pen.line(0, y + r * kRow, right, y + r * kRow, r == 1 ? kThick : kThin);
    pen.line(0, y, 0, y + (rows + 1) * kRow, kThin);
    for (int c = 0; c <= columns; ++c)
        pen.line(captionWidth + c * width, y, captionWidth + c * width, y + (rows + 1) * kRow,
                 c == 0 ? kThick : kThin);
}

/// Where the sheet goes on a page of `layout` at `dpi`, in the coordinates of a painter whose
/// origin is at the layout's paintable area: the paper inside the sheet's margins, each side
/// narrowed further where the layout's own margin is wider.
QRectF areaOn(const QPageLayout& layout, int dpi) {
    const QRectF paper = layout.fullRectPixels(dpi);
    const QRectF paintable = layout.paintRectPixels(dpi); // where the painter's origin lies
    const double margin = kMarginMm / kMmPerInch * dpi;
    return paper.adjusted(margin, margin, -margin, -margin)
        .intersected(paintable)
        .translated(-paintable.topLeft());
}

/// Each output's name under its column, from `y`: the first `outputs` columns are drawn.
void drawNames(Pen& pen, const OutputNames& names, double y, int outputs) {
    for (int c = 0; c < outputs; ++c)
        if (!names.name(c).isEmpty())
            pen.turned(kCaptionWidth + c * kOutputWidth + kInset, y + kInset,
                       kOutputWidth - 2 * kInset, kNamesHeight - kInset, names.name(c), kNoteSize);
}

} // namespace

QPageSize::PageSizeId ConfigSheet::paperFor(const QLocale& locale) {
    return locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                   : QPageSize::A4;
}

void ConfigSheet::draw(QPainter& painter, const QPagedPaintDevice& device) const {
    draw(painter, areaOn(device.pageLayout(), device.logicalDpiX()));
}

void ConfigSheet::draw(QPainter& painter, const QRectF& area) const {
    const double dpi = painter.device() ? painter.device()->logicalDpiY() : 72;
    const double names = names_.isEmpty() ? 0 : kNamesHeight; // the page grows by their room
    const double scale =
        std::min({area.width() / kWidth, area.height() / (kHeight + names), dpi / 72});
    Pen pen(painter, {area.left() + (area.width() - kWidth * scale) / 2, area.top()}, scale);
    painter.save();
    const bool acc = configuration_.accOutputsForBandMap();
    const int outputs = acc ? kOutputs : kFirstAccOutput;

    pen.text(0, 0, kWidth, 2 * kRow, tr("BDX4 band decoder configuration"), kTitleSize, true);
    double y = 2 * kRow;
    pen.text(0, y, kWidth, kRow, tr("Map: %1").arg(mapName_), kTextSize);
    pen.text(0, y + kRow, kWidth, kRow,
             tr("AC1 - AC3: %1")
                 .arg(acc ? tr("Use AC1 - AC3 for Bandmap") : tr("Use AC1 - AC3 default table")),
             kTextSize);

    y += 2 * kRow + kGap / 2;
    drawGrid(pen, y, kCaptionWidth, outputs, kOutputWidth, kBandRows);
    const auto centred = Qt::AlignCenter;
    for (int c = 0; c < outputs; ++c)
        pen.text(kCaptionWidth + c * kOutputWidth, y, kOutputWidth, kRow,
                 QLatin1String(kOutputCaptions[std::size_t(c)]), kTableSize, true, centred);
    for (int r = 0; r < kBandRows; ++r) {
        const double rowY = y + (r + 1) * kRow;
        pen.text(kInset, rowY, kCaptionWidth, kRow, QLatin1String(kRowCaptions[std::size_t(r)]),
                 kTableSize, true);
        for (int c = 0; c < outputs; ++c)
            if (configuration_.map()[r][c] == 1)
                pen.text(kCaptionWidth + c * kOutputWidth, rowY, kOutputWidth, kRow,
                         QStringLiteral("X"), kTickSize, true, centred);
    }
    y += (kBandRows + 1) * kRow;
    drawNames(pen, names_, y, outputs);
    y += names;
    pen.text(0, y, kWidth, kRow,
             acc ? tr("X: the band switches that output on.")
                 : tr("X: the band switches that output on. AC1 - AC3 follow the box's default "
                      "table and are not part of the map."),
             kNoteSize);

    y += kRow + kGap;
    pen.text(0, y, kWidth, kRow, tr("Band voltages in volts"), kTextSize, true);
    y += kRow + kGap / 4;
    drawGrid(pen, y, kBandWidth, kVoltageTables, kVoltsWidth, kVoltageBands);
    for (int t = 0; t < kVoltageTables; ++t)
        pen.text(kBandWidth + t * kVoltsWidth, y, kVoltsWidth, kRow,
                 tr("AN%1 (0 - %2 V)").arg(t + 1).arg(kFullScaleVolts[std::size_t(t)]), kTableSize,
                 true, centred);
    for (int b = 0; b < kVoltageBands; ++b) {
        const double rowY = y + (b + 1) * kRow;
        pen.text(kInset, rowY, kBandWidth, kRow,
                 QLatin1String(kVoltageBandCaptions[std::size_t(b)]), kTableSize, true);
        for (int t = 0; t < kVoltageTables; ++t)
            pen.text(kBandWidth + t * kVoltsWidth, rowY, kVoltsWidth - 2 * kInset, kRow,
                     VoltageTables::voltsText(configuration_.volts().level(t, b), t), kTableSize,
                     false, Qt::AlignRight | Qt::AlignVCenter);
    }
    y += (kVoltageBands + 1) * kRow;
    pen.text(0, y, kWidth, kRow, tr("0.00: the transceiver gives no voltage on that band."),
             kNoteSize);

    const double bottom = area.height() / scale; // the footer stands at the foot of the page
    pen.line(0, bottom - kRow - kInset, kWidth, bottom - kRow - kInset, kThin);
    pen.text(0, bottom - kRow, kWidth, kRow,
             tr("bdx4config %1, printed %2")
                 .arg(QStringLiteral(BDX4_VERSION), date_.toString(Qt::ISODate)),
             kNoteSize);
    if (!firmware_.isEmpty())
        pen.text(0, bottom - kRow, kWidth, kRow, tr("BDX4 firmware %1").arg(firmware_), kNoteSize,
                 false, Qt::AlignRight | Qt::AlignVCenter);
    painter.restore();
}

IoResult ConfigSheet::writePdf(const QString& path, const QLocale& locale) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(paperFor(locale)), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        writer.setTitle(tr("BDX4 configuration: %1").arg(mapName_));
        writer.setCreator(QStringLiteral("bdx4config ") + QStringLiteral(BDX4_VERSION));
        QPainter painter;
        if (!painter.begin(&writer))
            return IoError{int(QFileDevice::UnspecifiedError), tr("the PDF could not be started")};
        draw(painter, writer);
        painter.end();
    }
    return writeFileWhole(path, buffer.data());
}

} // namespace bdx4
