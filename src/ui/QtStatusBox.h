#pragma once

#include "platform/StatusBox.h"

#include <QLineEdit>

namespace bdx4 {

/// The status box `debug_box`: a one-line text box over the "Write To BDX4" button.
class QtStatusBox : public StatusBox {
public:
    explicit QtStatusBox(QLineEdit* edit) : edit_(edit) {}
    void setText(const QString& text) override { edit_->setText(text); }
    QString text() const override { return edit_->text(); }
    void setTextColor(StatusColor color) override;
    void setVisible(bool visible) override { edit_->setVisible(visible); }

    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_;
};

} // namespace bdx4
