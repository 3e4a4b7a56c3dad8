#pragma once

#include "model/OutputNames.h"

#include <QDialog>

#include <array>

class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace bdx4 {

/// "Output Names": a name for each of the sixteen outputs, what the station has wired to it
/// ("4-square"). A name too long or with a line break is refused in its box, which says why, and
/// OK waits until every box holds a name that can be given.
class OutputNamesWindow : public QDialog {
    Q_OBJECT
public:
    /// Starts with `names`, the focus in output `output`'s box.
    OutputNamesWindow(const OutputNames& names, int output, QWidget* owner);

    /// The names as the boxes hold them.
    OutputNames names() const;
    QLineEdit* nameBox(int output) const { return boxes_[output]; }
    /// Why the name in `output`'s box cannot be given; empty when it can.
    QString refusal(int output) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void check();

    std::array<QLineEdit*, kOutputs> boxes_ = {};
    QDialogButtonBox* buttons_ = nullptr;
    QLineEdit* first_ = nullptr;
    QLabel* problem_ = nullptr;
};

} // namespace bdx4
