#include "ui/HistoryWindow.h"

#include "ui/CommandButton.h"
#include "ui/UiLook.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bdx4 {

QString HistoryWindow::when(const HistoryEntry& entry) {
    return entry.written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString HistoryWindow::where(const HistoryEntry& entry) {
    return entry.device.isEmpty() ? entry.port
                                  : QStringLiteral("%1 (%2)").arg(entry.port, entry.device);
}

HistoryWindow::HistoryWindow(const QList<HistoryEntry>& entries, QWidget* owner)
    : QDialog(owner), entries_(entries) {
    setWindowTitle(tr("Written to the BDX4"));
    look::useLightPalette(this);
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(entries.isEmpty()
                                ? tr("Nothing has been written to the BDX4 from these maps yet.")
                                : tr("The newest is what the BDX4 holds, as far as this program "
                                     "knows."),
                            this);
    note->setWordWrap(true);
    layout->addWidget(note);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Written"), tr("Map"), tr("Port"), tr("Firmware")});
    list_->setAccessibleName(tr("Configurations written to the BDX4"));
    for (const HistoryEntry& entry : entries)
        list_->addTopLevelItem(
            new QTreeWidgetItem({when(entry), entry.source, where(entry), entry.firmware}));
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->setCurrentItem(list_->topLevelItem(0));
    list_->setMinimumWidth(list_->header()->length() + 40);
    layout->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    auto* open = new CommandButton(tr("&Open"), this);
    auto* compare = new CommandButton(tr("Co&mpare"), this);
    auto* close = new CommandButton(tr("&Close"), this);
    for (QPushButton* button : {open, compare}) {
        button->setEnabled(!entries.isEmpty());
        buttons->addWidget(button);
    }
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(open, &QPushButton::clicked, this, [this] { choose(Choice::Open); });
    connect(compare, &QPushButton::clicked, this, [this] { choose(Choice::Compare); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemActivated, this, [this] { choose(Choice::Open); });
    list_->setFocus();
}

void HistoryWindow::choose(Choice choice) {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0)
        return;
    choice_ = choice;
    chosen_ = entries_.value(row);
    accept();
}

} // namespace bdx4
