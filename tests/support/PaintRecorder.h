#pragma once

// A paint device that keeps what is painted on it instead of showing it: lines, filled
// rectangles and runs of text, in device pixels; and a table read back from them by its rules.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextItem>
#include <QtTest>

namespace bdx4::test {

struct Painted {
    struct Fill {
        QRectF rect;
        QColor colour;
    };
    struct Text {
        QString text;
        QRectF box;           ///< the run's advance by its ascent and descent
        bool clipped = false; ///< drawn while a clip was set: the text did not fit its rectangle
    };
    QList<QLineF> lines;
    QList<Fill> fills;
    QList<Text> texts;
    QList<QRectF> other; ///< the bounds of anything else painted (paths, polygons, images)
};

class PaintRecorder : public QPaintDevice {
public:
    PaintRecorder(QSize pixels, int dpi) : pixels_(pixels), dpi_(dpi) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    const Painted& painted() const { return engine_.painted; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return pixels_.width();
        case PdmHeight:
            return pixels_.height();
        case PdmWidthMM:
            return qRound(pixels_.width() * 25.4 / dpi_);
        case PdmHeightMM:
            return qRound(pixels_.height() * 25.4 / dpi_);
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        default: // the logical and physical resolutions
            return dpi_;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        Type type() const override { return User; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyTransform)
                transform_ = state.transform();
            if (state.state() & DirtyBrush)
                brush_ = state.brush();
            if (state.state() & (DirtyClipEnabled | DirtyClipRegion | DirtyClipPath))
                clipped_ = state.isClipEnabled() && state.clipOperation() != Qt::NoClip;
        }
        void drawLines(const QLineF* lines, int count) override {
            for (int i = 0; i < count; ++i)
                painted.lines << transform_.map(lines[i]);
        }
        void drawRects(const QRectF* rects, int count) override {
            for (int i = 0; i < count; ++i) {
                if (brush_.style() != Qt::NoBrush)
                    painted.fills << Painted::Fill{transform_.mapRect(rects[i]), brush_.color()};
                else
                    painted.other << transform_.mapRect(rects[i]);
            }
        }
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            const QRectF box(at.x(), at.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            painted.texts << Painted::Text{item.text(), transform_.mapRect(box), clipped_};
        }
        void drawPath(const QPainterPath& path) override {
            painted.other << transform_.map(path).boundingRect();
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode) override {
            painted.other
                << transform_.map(QPolygonF(QList<QPointF>(points, points + count))).boundingRect();
        }
        void drawPixmap(const QRectF& rect, const QPixmap&, const QRectF&) override {
            painted.other << transform_.mapRect(rect);
        }
        Painted painted;

    private:
        QTransform transform_;
        QBrush brush_;
        bool clipped_ = false;
    };
    QSize pixels_;
    int dpi_;
    mutable Engine engine_;
};

constexpr double kSame = 0.5; // device pixels within which two edges are one

/// Fails unless every line, shade and text lies within `area`, and no text is cut off, overlaps
/// another or is crossed by a line.
inline void checkApart(const Painted& painted, const QRectF& area) {
    const QRectF inside = area.adjusted(-kSame, -kSame, kSame, kSame);
    QVERIFY(painted.other.isEmpty());
    for (const QLineF& line : painted.lines)
        QVERIFY(inside.contains(line.p1()) && inside.contains(line.p2()));
    for (const auto& fill : painted.fills)
        QVERIFY(inside.contains(fill.rect));
    for (int i = 0; i < painted.texts.size(); ++i) {
        const auto& text = painted.texts[i];
        QVERIFY2(inside.contains(text.box) && !text.clipped, qPrintable(text.text));
        for (int j = i + 1; j < painted.texts.size(); ++j)
            QVERIFY2(!text.box.intersects(painted.texts[j].box),
                     qPrintable(text.text + " overlaps " + painted.texts[j].text));
        for (const QLineF& line : painted.lines) {
            const QRectF r = QRectF(line.p1(), line.p2()).normalized();
            QVERIFY2(!r.adjusted(-.01, -.01, .01, .01).intersects(text.box),
                     qPrintable("a line crosses " + text.text));
        }
    }
}

/// A table as its rules draw it: the texts in its cells, row by row ("" for an empty cell; two
/// texts in one cell run together), and which rows are shaded.
struct Table {
    QList<QStringList> cells;
    QList<bool> shaded;
};

/// The edges of the columns and rows of the table whose rules pass `at`. Fails where a rule
/// stops short of the table's outline.
inline void readRules(const QList<QLineF>& lines, QPointF at, QList<double>& xs,
                      QList<double>& ys) {
    QList<QRectF> down, across;
    QRectF height;
    for (const QLineF& line : lines) {
        const QRectF r = QRectF(line.p1(), line.p2()).normalized();
        if (r.width() == 0 && r.top() < at.y() && r.bottom() > at.y())
            down << r, xs << r.left(), height |= r;
    }
    for (const QLineF& line : lines) {
        const QRectF r = QRectF(line.p1(), line.p2()).normalized();
        if (r.height() == 0 && r.left() < at.x() && r.right() > at.x() &&
            r.top() > height.top() - kSame && r.top() < height.bottom() + kSame)
            across << r, ys << r.top();
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    QVERIFY(xs.size() > 1 && ys.size() > 1);
    const auto same = [](double a, double b) { return std::abs(a - b) < kSame; };
    for (const QRectF& r : down)
        QVERIFY2(same(r.top(), ys.first()) && same(r.bottom(), ys.last()),
                 "a column's rule stops short of the table's top or foot");
    for (const QRectF& r : across)
        QVERIFY2(same(r.left(), xs.first()) && same(r.right(), xs.last()),
                 "a row's rule stops short of the table's sides");
}

/// Reads the table whose rules pass the text `caption`. Fails where a rule stops short of the
/// table's outline, or a shade is not one whole row in a grey that black text reads on.
inline void readTable(const Painted& painted, const QString& caption, Table& table) {
    const auto anchor = std::find_if(painted.texts.begin(), painted.texts.end(),
                                     [&](const auto& text) { return text.text == caption; });
    QVERIFY2(anchor != painted.texts.end(), qPrintable(caption));
    QList<double> xs, ys;
    readRules(painted.lines, anchor->box.center(), xs, ys);
    if (QTest::currentTestFailed())
        return;
    const auto index = [](const QList<double>& edges, double at) {
        return int(std::upper_bound(edges.begin(), edges.end(), at) - edges.begin()) - 1;
    };
    const QRectF outline(QPointF(xs.first(), ys.first()), QPointF(xs.last(), ys.last()));
    table.cells = QList<QStringList>(ys.size() - 1, QStringList(xs.size() - 1));
    for (const auto& text : painted.texts) {
        const int row = index(ys, text.box.center().y()), column = index(xs, text.box.center().x());
        if (row >= 0 && row < ys.size() - 1 && column >= 0 && column < xs.size() - 1)
            table.cells[row][column] += text.text;
    }
    table.shaded = QList<bool>(ys.size() - 1, false);
    for (const auto& fill : painted.fills) {
        if (!fill.rect.intersects(outline))
            continue;
        const int row = index(ys, fill.rect.center().y());
        const QRectF whole(QPointF(xs.first(), ys.value(row)),
                           QPointF(xs.last(), ys.value(row + 1)));
        QVERIFY2((fill.rect.topLeft() - whole.topLeft()).manhattanLength() < kSame &&
                     (fill.rect.bottomRight() - whole.bottomRight()).manhattanLength() < kSame,
                 "a shade that is not one whole row");
        const int grey = qGray(fill.colour.rgb());
        QVERIFY2(grey >= 128 && grey < 255, qPrintable(fill.colour.name()));
        table.shaded[row] = true;
    }
}

} // namespace bdx4::test
