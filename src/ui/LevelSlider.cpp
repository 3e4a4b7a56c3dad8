#include "ui/LevelSlider.h"

#include "model/VoltageTables.h"
#include "ui/UiLook.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

namespace bdx4 {

namespace {

double voltsOf(int level, int table) {
    return double(level) * kFullScaleVolts[table] / kTopLevel;
}

/// What a screen reader gets of a slider: its name ("AN1 160 m level") and its level in volts,
/// which it can also set (to the nearest level).
class LevelSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit LevelSliderAccessible(LevelSlider* slider)
        : QAccessibleWidget(slider, QAccessible::Slider) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return LevelSlider::tr("%1 volts")
                .arg(VoltageTables::voltsText(slider()->level(), slider()->table()));
        return QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return voltsOf(slider()->level(), slider()->table()); }
    void setCurrentValue(const QVariant& volts) override {
        const double scale = kFullScaleVolts[slider()->table()];
        slider()->setLevel(
            int(std::lround(std::clamp(volts.toDouble(), 0.0, scale) * kTopLevel / scale)));
    }
    QVariant maximumValue() const override { return double(kFullScaleVolts[slider()->table()]); }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return voltsOf(1, slider()->table()); }

private:
    LevelSlider* slider() const { return static_cast<LevelSlider*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* slider = qobject_cast<LevelSlider*>(object))
        return new LevelSliderAccessible(slider);
    return nullptr;
}

int nextGesture() {
    static int gestures = 0;
    return ++gestures;
}

} // namespace

LevelSlider::LevelSlider(int table, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent), table_(table) {
    static const bool readerInstalled = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(readerInstalled);
    setRange(0, kTopLevel);
    setSingleStep(1);
    setPageStep(5);
    setFocusPolicy(Qt::StrongFocus);
    // The scroll bar's own menu ("Scroll here", "Top") is no use here: the window's is shown.
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QScrollBar::valueChanged, this, [this](int value) {
        emit levelChanged(kTopLevel - value);
        QAccessibleValueChangeEvent event(this, voltsOf(level(), table_));
        QAccessible::updateAccessibility(&event);
    });
}

void LevelSlider::beginGesture() {
    gesture_ = nextGesture();
}

void LevelSlider::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        beginGesture();
    QScrollBar::keyPressEvent(event);
}

void LevelSlider::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat())
        gesture_ = 0;
    QScrollBar::keyReleaseEvent(event);
}

void LevelSlider::mousePressEvent(QMouseEvent* event) {
    beginGesture();
    QScrollBar::mousePressEvent(event);
}

void LevelSlider::mouseReleaseEvent(QMouseEvent* event) {
    QScrollBar::mouseReleaseEvent(event);
    gesture_ = 0;
}

void LevelSlider::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    look::paintFocusFrame(this);
}

} // namespace bdx4
