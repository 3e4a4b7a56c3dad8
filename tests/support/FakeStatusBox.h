#pragma once

#include "platform/StatusBox.h"

#include <QStringList>

namespace bdx4::test {

/// The status box as a record: its present text, colour and visibility, and every text set.
class FakeStatusBox : public StatusBox {
public:
    void setText(const QString& text) override {
        text_ = text;
        texts << text;
    }
    QString text() const override { return text_; }
    void setTextColor(StatusColor color) override { this->color = color; }
    void setVisible(bool visible) override { this->visible = visible; }

    StatusColor color = StatusColor::Black;
    bool visible = false;
    /// Every text set, in order.
    QStringList texts;

private:
    QString text_;
};

} // namespace bdx4::test
