#include "ui/PortChooserWindow.h"

#include "io/SerialDiagnosis.h"
#include "jobs/BoxConnection.h"
#include "ui/UiLook.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bdx4 {

namespace {

enum Column { Reached, Adapter, SerialNumber, Usb, Device, State, StableName, kColumns };
static_assert(Device == PortChooserWindow::kDeviceColumn);

/// Where an item keeps what choosing it writes and what its note says.
constexpr int kChoiceRole = Qt::UserRole;
constexpr int kNoteRole = Qt::UserRole + 1;

/// Why the user cannot use the port now, in the words of the message that would say so when
/// opening it failed; empty for a free port.
QString obstacle(const SerialPortRow& row) {
    OpenFailure failure;
    failure.device = row.device;
    switch (row.access) {
    case PortAccess::Free:
        return QString();
    case PortAccess::Busy:
        failure.kind = OpenFailure::InUse;
        break;
    case PortAccess::NoPermission:
        failure.kind = OpenFailure::NoAccess;
        failure.detail = row.group;
        break;
    }
    return describeOpenFailure(failure, ChoiceHint::Menu);
}

} // namespace

PortChooserWindow::PortChooserWindow(const SerialPortSource& source, Clock& clock,
                                     const BoxConnection& connection, QWidget* parent)
    : QDialog(parent), connection_(connection), watch_(source, clock) {
    const QString port = portName(connection_.port());
    setWindowTitle(tr("Adapter for %1").arg(port));
    auto* intro = new QLabel(tr("Choose the adapter that %1 is to reach. An adapter is kept by "
                                "its stable name, which stays the same whatever the order the "
                                "adapters are plugged in. Nothing is sent to any port here.")
                                 .arg(port),
                             this);
    intro->setWordWrap(true);
    buildList();
    auto* heading = new QLabel(tr("Serial &ports present:"), this);
    heading->setBuddy(list_);
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse); // the command, to copy
    use_ = new QPushButton(tr("Use this &adapter"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(use_, QDialogButtonBox::AcceptRole);
    connect(use_, &QPushButton::clicked, this, &PortChooserWindow::useSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(heading);
    layout->addWidget(list_, 1);
    layout->addWidget(note_);
    layout->addLayout(buildFinder());
    layout->addLayout(buildPathRow());
    layout->addWidget(buttons);
    look::useLightPalette(this);
    orderTabs(buttons->button(QDialogButtonBox::Cancel));

    connect(&watch_, &SerialPortWatch::changed, this, &PortChooserWindow::showRows);
    watch_.start(); // every second while the window is open
    if (watch_.rows().isEmpty())
        showRows();
    fitColumns();
}

void PortChooserWindow::orderTabs(QWidget* cancel) {
    // Tab goes as the eye does: the list, the finder, the path, then the window's buttons.
    QWidget* order[] = {list_, find_, next_, path_, usePath_, use_, cancel};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void PortChooserWindow::fitColumns() {
    // As wide as the rows read first, stable names whole, as far as the screen allows.
    list_->header()->resizeSections(QHeaderView::ResizeToContents);
    int width = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width() +
                list_->header()->length();
    const QMargins margins = layout()->contentsMargins();
    width += margins.left() + margins.right();
    if (const QScreen* screen = this->screen())
        width = std::min(width, screen->availableGeometry().width() * 9 / 10);
    resize(std::max(width, fontMetrics().averageCharWidth() * 100), sizeHint().height());
}

void PortChooserWindow::buildList() {
    list_ = new QTreeWidget(this);
    list_->setColumnCount(kColumns);
    list_->setHeaderLabels({tr("Port"), tr("Adapter"), tr("Serial number"), tr("USB"), tr("Device"),
                            tr("State"), tr("Stable name")});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setUniformRowHeights(true);
    list_->setAccessibleName(tr("Serial ports present"));
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(false);
    connect(list_, &QTreeWidget::currentItemChanged, this, &PortChooserWindow::showNote);
    // Enter or a double click on a row chooses it.
    connect(list_, &QTreeWidget::itemActivated, this, &PortChooserWindow::useSelected);
}

QLayout* PortChooserWindow::buildFinder() {
    find_ = new QPushButton(tr("&Find by plugging in"), this);
    next_ = new QPushButton(tr("&Next"), this);
    next_->hide();
    finderText_ = new QLabel(this);
    finderText_->setWordWrap(true);
    connect(find_, &QPushButton::clicked, this, [this] {
        finding_ = Finding::Pulling;
        appeared_.clear();
        showRows();
        next_->show();
        next_->setFocus();
        say(tr("Pull the box's adapter out, then press Next."));
    });
    connect(next_, &QPushButton::clicked, this, &PortChooserWindow::findNext);
    auto* row = new QHBoxLayout;
    row->addWidget(find_);
    row->addWidget(finderText_, 1);
    row->addWidget(next_);
    return row;
}

QLayout* PortChooserWindow::buildPathRow() {
    path_ = new QLineEdit(this);
    path_->setPlaceholderText(QStringLiteral("/dev/bdx4"));
    auto* label = new QLabel(tr("&Other device:"), this);
    label->setBuddy(path_);
    usePath_ = new QPushButton(tr("Use this pa&th"), this);
    usePath_->setEnabled(false);
    connect(path_, &QLineEdit::textChanged, this,
            [this](const QString& text) { usePath_->setEnabled(!text.trimmed().isEmpty()); });
    connect(path_, &QLineEdit::returnPressed, this, &PortChooserWindow::usePath);
    connect(usePath_, &QPushButton::clicked, this, &PortChooserWindow::usePath);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(path_, 1);
    row->addWidget(usePath_);
    return row;
}

void PortChooserWindow::showRows() {
    const QTreeWidgetItem* current = list_->currentItem();
    const QString selected = current ? current->text(Device) : QString();
    const int port = connection_.port();
    const QString reaching = connection_.deviceName(port);
    list_->clear();
    QTreeWidgetItem* keep = nullptr;
    QTreeWidgetItem* reached = nullptr;
    for (const SerialPortRow& row : watch_.rows()) {
        const bool reaches = row.isReachedBy(reaching);
        QTreeWidgetItem* item = addRow(row, reaches ? portName(port) : QString());
        item->setHidden(!appeared_.isEmpty() && !appeared_.contains(row.device));
        if (row.device == selected)
            keep = item;
        if (reaches && !reached)
            reached = item;
    }
    list_->setCurrentItem(keep ? keep : reached);
    use_->setEnabled(list_->topLevelItemCount() > 0);
    showNote();
}

QTreeWidgetItem* PortChooserWindow::addRow(const SerialPortRow& row, const QString& reached) {
    QString state = tr("free");
    if (row.access == PortAccess::Busy)
        state = row.holder.isEmpty() ? tr("busy") : tr("busy: %1").arg(row.holder);
    else if (row.access == PortAccess::NoPermission)
        state = tr("no permission");
    const QString none = QStringLiteral("-");
    auto* item = new QTreeWidgetItem(list_);
    const QString cells[kColumns] = {reached,
                                     row.label().isEmpty() ? none : row.label(),
                                     row.serialNumber.isEmpty() ? none : row.serialNumber,
                                     row.usbId.isEmpty() ? none : row.usbId,
                                     row.device,
                                     state,
                                     row.stableName.isEmpty() ? none : row.stableName};
    for (int column = 0; column < kColumns; ++column)
        item->setText(column, cells[column]);
    QFont bold = item->font(Reached);
    bold.setBold(true);
    item->setFont(Reached, bold);
    if (row.access != PortAccess::Free)
        item->setForeground(State, QColor(0xC0, 0, 0));
    item->setData(0, kChoiceRole, row.stableName.isEmpty() ? row.device : row.stableName);
    item->setData(0, kNoteRole, obstacle(row));
    item->setToolTip(State, obstacle(row));
    return item;
}

void PortChooserWindow::showNote() {
    if (list_->topLevelItemCount() == 0)
        note_->setText(tr("No serial ports found."));
    else if (const QTreeWidgetItem* item = list_->currentItem())
        note_->setText(item->data(0, kNoteRole).toString());
    else
        note_->clear();
    note_->setHidden(note_->text().isEmpty());
}

void PortChooserWindow::useSelected() {
    if (const QTreeWidgetItem* item = list_->currentItem(); item && !item->isHidden())
        useDevice(item->data(0, kChoiceRole).toString());
}

void PortChooserWindow::usePath() {
    useDevice(path_->text().trimmed());
}

void PortChooserWindow::useDevice(const QString& device) {
    if (device.isEmpty() || !choice_.isEmpty()) // Enter reaches the default button too
        return;
    choice_ = device;
    watch_.stop();
    accept();
}

// Find by plugging in: the rows with the adapter pulled out, then those with it plugged in
// again; the port that is new between the two is the box's. Only the system's list is read.

void PortChooserWindow::findNext() {
    watch_.refresh();
    if (finding_ == Finding::Pulling) {
        pulled_ = watch_.rows();
        finding_ = Finding::Plugging;
        say(tr("Now plug it in again, then press Next."));
        return;
    }
    const QList<SerialPortRow> appeared = newPorts(pulled_, watch_.rows());
    if (appeared.isEmpty()) {
        say(tr("No port appeared. Plug the box's adapter in, wait a moment, then press Next."));
        return;
    }
    endPlugging(appeared);
}

void PortChooserWindow::endPlugging(const QList<SerialPortRow>& appeared) {
    finding_ = Finding::Off;
    next_->hide();
    appeared_.clear();
    if (appeared.size() > 1)
        for (const SerialPortRow& row : appeared)
            appeared_ << row.device;
    // The new port selected, as if the user had chosen it in the list.
    list_->setCurrentItem(nullptr);
    for (int i = 0; i < list_->topLevelItemCount(); ++i)
        if (list_->topLevelItem(i)->text(Device) == appeared.first().device)
            list_->setCurrentItem(list_->topLevelItem(i));
    showRows();
    list_->setFocus();
    say(appeared.size() == 1
            ? tr("%1 appeared and is selected: press Use this adapter.")
                  .arg(appeared.first().device)
            : tr("%n ports appeared: choose the box's among them.", nullptr, appeared.size()));
}

void PortChooserWindow::say(const QString& text) {
    finderText_->setText(text);
    QAccessibleEvent told(finderText_, QAccessible::NameChanged); // heard at once
    QAccessible::updateAccessibility(&told);
}

} // namespace bdx4
