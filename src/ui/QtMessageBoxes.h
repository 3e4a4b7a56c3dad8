#pragma once

#include "platform/MessageBoxes.h"

#include <QPointer>
#include <QWidget>

namespace bdx4 {

/// Message boxes as real modal dialogs over the window that asks.
class QtMessageBoxes : public MessageBoxes {
public:
    /// `owner` may be null; the box is then centred on the screen.
    explicit QtMessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    MsgAnswer show(const MessageRequest& request) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace bdx4
