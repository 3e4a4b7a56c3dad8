#include "ui/PortStatusBar.h"

#include "jobs/BoxConnection.h"
#include "model/ConfigImage.h"
#include "ui/UiLook.h"

#include <QLabel>
#include <QProgressBar>

namespace bdx4 {

namespace {

/// The six data records and the end record.
constexpr int kRecords = int(kSections.size()) + 1;

} // namespace

PortStatusBar::PortStatusBar(const BoxConnection& connection, QWidget* parent)
    : QStatusBar(parent), connection_(connection) {
    setSizeGripEnabled(false);
    port_ = new QLabel(this);
    port_->setAccessibleName(tr("Port"));
    link_ = new QLabel(this);
    link_->setAccessibleName(tr("Port state"));
    QFont bold = link_->font();
    bold.setBold(true);
    link_->setFont(bold);
    addWidget(port_);
    addWidget(link_, 1);
    look::useLightPalette(this);
    connect(&connection_, &BoxConnection::linkChanged, this, &PortStatusBar::showLink);
    showLink();
}

void PortStatusBar::showLink() {
    const int port = connection_.port();
    const QString device = connection_.deviceName(port);
    QStringList parts{portName(port)};
    if (!device.isEmpty() && device != parts.first())
        parts << device;
    parts << tr("%1 baud").arg(connection_.speed());
    port_->setText(parts.join(QStringLiteral(" \u00B7 ")));
    switch (connection_.linkState()) {
    case LinkState::NotOpen:
        link_->setText(tr("not open"));
        break;
    case LinkState::Open:
        link_->setText(tr("open"));
        break;
    case LinkState::BoxFound:
        link_->setText(tr("BDX4 firmware %1").arg(connection_.firmware()));
        break;
    case LinkState::Lost:
        link_->setText(tr("lost"));
        break;
    }
}

QString PortStatusBar::progressText(const QString& name, int record) const {
    return tr("%1 (%2 of %3)").arg(name).arg(record).arg(kRecords);
}

void PortStatusBar::addProgressBar() {
    // Made for the first download, not for every start.
    progress_ = new QProgressBar(this);
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

void PortStatusBar::hideProgress() {
    if (progress_)
        progress_->hide();
}

} // namespace bdx4
