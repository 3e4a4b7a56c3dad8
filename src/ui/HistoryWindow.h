#pragma once

#include "io/WriteHistory.h"

#include <QDialog>

class QTreeWidget;

namespace bdx4 {

/// "Written to the BDX4": every configuration the program wrote into the box, newest first (the
/// newest is what the box holds, as far as this program knows), with when, which map, on which
/// port and to which firmware. Open puts one on the grid, Compare marks where the grid differs.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    enum class Choice { None, Open, Compare };

    HistoryWindow(const QList<HistoryEntry>& entries, QWidget* owner);

    /// What the user chose to do with which entry, once the window closed.
    Choice choice() const { return choice_; }
    HistoryEntry chosen() const { return chosen_; }
    QTreeWidget* list() const { return list_; }

    /// "2026-12-07 14:03:12".
    static QString when(const HistoryEntry& entry);
    /// "COM1 (/dev/ttyUSB0)".
    static QString where(const HistoryEntry& entry);

private:
    void choose(Choice choice);

    QList<HistoryEntry> entries_;
    QTreeWidget* list_ = nullptr;
    Choice choice_ = Choice::None;
    HistoryEntry chosen_;
};

} // namespace bdx4
