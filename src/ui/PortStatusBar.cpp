#include "ui/PortStatusBar.h"

#include "jobs/BoxConnection.h"
#include "model/ConfigImage.h"
#include "ui/UiLook.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QProgressBar>

namespace bdx4 {

namespace {

/// The six data records and the end record.
constexpr int kRecords = int(kSections.size()) + 1;

/// The download's progress bar, which a screen reader hears as it reads: "VHF Band Data, 2 of 7".
class RecordProgress : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;
};

class RecordProgressAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RecordProgressAccessible(RecordProgress* bar)
        : QAccessibleWidget(bar, QAccessible::ProgressBar) {}
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? bar()->text() : QAccessibleWidget::text(kind);
    }
    QVariant currentValue() const override { return bar()->value(); }
    void setCurrentValue(const QVariant&) override {} // the download sets it
    QVariant maximumValue() const override { return bar()->maximum(); }
    QVariant minimumValue() const override { return bar()->minimum(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    QProgressBar* bar() const { return static_cast<QProgressBar*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* bar = qobject_cast<RecordProgress*>(object))
        return new RecordProgressAccessible(bar);
    return nullptr;
}

} // namespace

PortStatusBar::PortStatusBar(const BoxConnection& connection, QWidget* parent)
    : QStatusBar(parent), connection_(connection) {
    setSizeGripEnabled(false);
    // No accessible names of their own: a screen reader reads what they show, and hears each
    // change of it.
    port_ = new QLabel(this);
    link_ = new QLabel(this);
    QFont bold = link_->font();
    bold.setBold(true);
    link_->setFont(bold);
    addWidget(port_);
    addWidget(link_, 1);
    look::useLightPalette(this);
    connect(&connection_, &BoxConnection::linkChanged, this, &PortStatusBar::showLink);
    showLink();
}

void PortStatusBar::say(QLabel* label, const QString& text) {
    if (label->text() == text)
        return;
    label->setText(text);
    // A screen reader hears the new text as the label's new name.
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

void PortStatusBar::showLink() {
    const int port = connection_.port();
    const QString device = connection_.deviceName(port);
    QStringList parts{portName(port)};
    if (!device.isEmpty() && device != parts.first())
        parts << device;
    parts << tr("%1 baud").arg(connection_.speed());
    say(port_, parts.join(QStringLiteral(" \u00B7 ")));
    switch (connection_.linkState()) {
    case LinkState::NotOpen:
        say(link_, tr("not open"));
        break;
    case LinkState::Open:
        say(link_, tr("open"));
        break;
    case LinkState::BoxFound:
        say(link_, tr("BDX4 firmware %1").arg(connection_.firmware()));
        break;
    case LinkState::Lost:
        say(link_, tr("lost"));
        break;
    }
}

QString PortStatusBar::progressText(const QString& name, int record) const {
    return tr("%1, %2 of %3").arg(name).arg(record).arg(kRecords);
}

void PortStatusBar::addProgressBar() {
    // Made for the first download, not for every start.
    static const bool readerInstalled = (QAccessible::installFactory(accessibleFor), true);
    Q_UNUSED(readerInstalled);
    progress_ = new RecordProgress(this);
    progress_->setRange(0, kRecords);
    progress_->setAccessibleName(tr("Download"));
    // As wide as its longest text, as high as a line: the window's height is fixed.
    int widest = 0;
    for (const Section section : kSections)
        widest = std::max(widest, progress_->fontMetrics().horizontalAdvance(
                                      progressText(ConfigImage::sectionName(section), kRecords)));
    progress_->setFixedSize(widest + progress_->fontMetrics().averageCharWidth() * 4,
                            port_->sizeHint().height());
    addPermanentWidget(progress_);
    look::useLightPalette(progress_);
}

void PortStatusBar::showProgress(int record, const QString& name) {
    if (!progress_)
        addProgressBar();
    progress_->setValue(record);
    progress_->setFormat(progressText(name, record));
    progress_->show();
}

void PortStatusBar::showLastWritten(const HistoryEntry& entry) {
    const QString tip =
        entry.path.isEmpty()
            ? QString()
            : tr("Last written to the BDX4: %1 on %2 (%3)")
                  .arg(entry.source, entry.written.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                       entry.device.isEmpty() ? entry.port : entry.device);
    port_->setToolTip(tip);
    link_->setToolTip(tip);
}

void PortStatusBar::hideProgress() {
    if (progress_)
        progress_->hide();
}

} // namespace bdx4

#include "PortStatusBar.moc"
