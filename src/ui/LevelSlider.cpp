#include "ui/LevelSlider.h"

namespace bdx4 {

LevelSlider::LevelSlider(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setRange(0, kTopLevel);
    setSingleStep(1);
    setPageStep(5);
    connect(this, &QScrollBar::valueChanged, this,
            [this](int value) { emit levelChanged(kTopLevel - value); });
}

} // namespace bdx4
