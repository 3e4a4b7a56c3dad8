#pragma once

// A paint device that keeps lines, filled rectangles and texts in device pixels, and their checks.

#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QtTest>

namespace bdx4::test {

constexpr double kSame = 0.5; // device pixels within which two edges are one

struct Painted {
    struct Item {
        QRectF rect;   ///< a line's has no width or height; a text's is its advance by its height
        QString text;  ///< a text's
        QColor colour; ///< a fill's
        bool clipped;  ///< a text drawn while a clip was set: it did not fit its rectangle
    };
    QList<Item> lines, fills, texts;
    QList<QRectF> other; ///< the bounds of anything else painted (paths, images)
};

class PaintRecorder : public QPaintDevice, public QPaintEngine {
public:
    PaintRecorder(QSize pixels, int dpi) : QPaintEngine(AllFeatures), pixels_(pixels), dpi_(dpi) {}
    QPaintEngine* paintEngine() const override { return const_cast<PaintRecorder*>(this); }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }
    void updateState(const QPaintEngineState& state) override {
        transform_ = state.state() & DirtyTransform ? state.transform() : transform_;
        brush_ = state.state() & DirtyBrush ? state.brush() : brush_;
        if (state.state() & (DirtyClipEnabled | DirtyClipRegion | DirtyClipPath))
            clipped_ = state.isClipEnabled() && state.clipOperation() != Qt::NoClip;
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i) {
            const QLineF line = transform_.map(lines[i]);
            painted.lines << Painted::Item{QRectF(line.p1(), line.p2()).normalized(), {}, {}, {}};
        }
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            painted.fills << Painted::Item{transform_.mapRect(rects[i]), {}, brush_.color(), {}};
    }
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                         item.ascent() + item.descent());
        painted.texts << Painted::Item{transform_.mapRect(box), item.text(), {}, clipped_};
    }
    void drawPath(const QPainterPath& path) override {
        painted.other << transform_.map(path).boundingRect();
    }
    void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override {
        painted.other << transform_.mapRect(rect);
    }
    Painted painted;

protected:
    int metric(PaintDeviceMetric metric) const override {
        const QSize mm = (QSizeF(pixels_) * 25.4 / dpi_).toSize();
        const QHash<PaintDeviceMetric, int> metrics = {
            {PdmWidth, pixels_.width()},
            {PdmHeight, pixels_.height()},
            {PdmWidthMM, mm.width()},
            {PdmHeightMM, mm.height()},
            {PdmDepth, 32},
            {PdmDevicePixelRatio, 1},
            {PdmDevicePixelRatioScaled, int(devicePixelRatioFScale())}};
        return metrics.value(metric, dpi_); // the rest: the logical and physical resolutions
    }

private:
    QSize pixels_;
    int dpi_;
    QTransform transform_;
    QBrush brush_;
    bool clipped_ = false;
};

/// Fails unless all lies within `area` and no text is cut off, overlaps another or is crossed.
inline void checkApart(const Painted& painted, const QRectF& area) {
    const QRectF inside = area.adjusted(-kSame, -kSame, kSame, kSame);
    QVERIFY(painted.other.isEmpty());
    for (const auto& item : painted.lines + painted.fills + painted.texts)
        QVERIFY2(inside.contains(item.rect.topLeft()) && inside.contains(item.rect.bottomRight()) &&
                     !item.clipped,
                 qPrintable(item.text));
    for (int i = 0; i < painted.texts.size(); ++i) {
        const auto& text = painted.texts[i];
        for (const auto& other : painted.texts.mid(i + 1))
            QVERIFY2(!text.rect.intersects(other.rect),
                     qPrintable(text.text + " on " + other.text));
        for (const auto& line : painted.lines)
            QVERIFY2(!line.rect.adjusted(-.01, -.01, .01, .01).intersects(text.rect),
                     qPrintable("a line crosses " + text.text));
    }
}

/// A table as its rules draw it: its cells' texts row by row (two in one cell run together), its
/// shaded rows, and its faults: a rule short of the edges or outside them, a shade not one whole
/// row in a grey black text reads on.
struct Table {
    QList<QStringList> cells;
    QList<bool> shaded;
    QStringList faults;
};

/// The table whose rules pass `caption`: those across its row are column edges, across its column
/// row edges.
inline Table readTable(const Painted& painted, const QString& caption) {
    const auto anchor = std::find_if(painted.texts.begin(), painted.texts.end(),
                                     [&](const auto& text) { return text.text == caption; });
    if (anchor == painted.texts.end())
        return {{}, {}, {"no " + caption}};
    const QPointF at = anchor->rect.center();
    const auto down = [&](const QRectF& r) {
        return r.width() == 0 && r.top() < at.y() && r.bottom() > at.y();
    };
    const auto across = [&](const QRectF& r) {
        return r.height() == 0 && r.left() < at.x() && r.right() > at.x();
    };
    QList<double> xs, ys;
    QRectF height;
    for (const auto& line : painted.lines)
        if (down(line.rect))
            xs << line.rect.left(), height |= line.rect;
    for (const auto& line : painted.lines)
        if (across(line.rect) && line.rect.top() > height.top() - kSame &&
            line.rect.top() < height.bottom() + kSame)
            ys << line.rect.top();
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    if (xs.size() < 2 || ys.size() < 2)
        return {{}, {}, {"no table around " + caption}};
    const QRectF outline(QPointF(xs.first(), ys.first()), QPointF(xs.last(), ys.last()));
    const auto same = [](const QRectF& a, const QRectF& b) {
        return (a.topLeft() - b.topLeft()).manhattanLength() < kSame &&
               (a.bottomRight() - b.bottomRight()).manhattanLength() < kSame;
    };
    Table table{QList<QStringList>(ys.size() - 1, QStringList(xs.size() - 1)),
                QList<bool>(ys.size() - 1),
                {}};
    for (const auto& line : painted.lines) {
        const QRectF& r = line.rect;
        const double beyond = std::max(ys.first() - r.top(), r.top() - ys.last());
        if (down(r) && !same(r, QRectF(r.left(), outline.top(), 0, outline.height())))
            table.faults << "a column's rule short of the table's top or foot";
        else if (across(r) && beyond < kSame &&
                 !same(r, QRectF(outline.left(), r.top(), outline.width(), 0)))
            table.faults << "a row's rule short of the table's sides";
        else if (across(r) && beyond >= kSame && beyond < ys[1] - ys[0] + kSame)
            table.faults << "a rule along the table, outside it";
    }
    const auto index = [](const QList<double>& edges, double at) { // -1 or beyond: outside
        return int(std::upper_bound(edges.begin(), edges.end(), at) - edges.begin()) - 1;
    };
    for (const auto& text : painted.texts) {
        const int row = index(ys, text.rect.center().y()),
                  column = index(xs, text.rect.center().x());
        if (row >= 0 && row < ys.size() - 1 && column >= 0 && column < xs.size() - 1)
            table.cells[row][column] += text.text;
    }
    for (const auto& fill : painted.fills) {
        const int row = index(ys, fill.rect.center().y()), grey = qGray(fill.colour.rgb());
        if (row < 0 || row >= ys.size() - 1 || !fill.rect.intersects(outline))
            continue;
        table.shaded[row] = true;
        if (!same(fill.rect,
                  QRectF(QPointF(xs.first(), ys[row]), QPointF(xs.last(), ys[row + 1]))) ||
            grey < 128 || grey == 255)
            table.faults << QStringLiteral("a shade on row %1 that is not the whole row").arg(row);
    }
    return table;
}

} // namespace bdx4::test
