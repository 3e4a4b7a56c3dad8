#include "ui/MainCanvas.h"

#include "model/BandMaps.h"
#include "ui/BandMapGrid.h"
#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace bdx4 {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
// Green and red dark enough to read on the status box (5.5:1 and 6.5:1 on white).
const QColor kPassed(0x00, 0x7A, 0x00);
const QColor kFailed(0xC0, 0x00, 0x00);
const int kMapLefts[] = {2160, 4200, 6120};

QLabel* gridLabel(QWidget* parent, const QString& text, const QRect& at, Qt::Alignment align,
                  const QColor& color) {
    auto* label = new QLabel(text, parent);
    label->setFont(look::gridLabelFont());
    label->setAlignment(align | Qt::AlignVCenter);
    label->setGeometry(at);
    look::setTextColor(label, color);
    return label;
}

} // namespace

MainCanvas::MainCanvas(const BandMaps& maps, QWidget* parent) : QWidget(parent) {
    look::setBackground(this, QColor(224, 224, 224));
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(9630, 8010));
    addCaptions();
    for (int m = 0; m < kMaps; ++m) {
        labels_[m] = new QLabel(tr("MAP%1 Displayed").arg(m + 1), this);
        labels_[m]->setGeometry(tw.rect(kMapLefts[m], 6600, 1305, 255));
        look::setTextColor(labels_[m], kRed);
        labels_[m]->hide();
    }
    grid_ = new BandMapGrid(maps, this, tw);
    status_ = new QLineEdit(this);
    status_->setGeometry(tw.rect(7920, 6480, 1575, 285));
    status_->setReadOnly(true);
    status_->setFocusPolicy(Qt::NoFocus);
    status_->setAccessibleName(tr("Status"));
    status_->hide(); // a download shows it
    cancel_ = new CommandButton(tr("Cancel"), this);
    cancel_->setGeometry(tw.rect(8760, 6480, 735, 285));
    cancel_->setToolTip(tr("Stop the download; the box is told that it is over"));
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &MainCanvas::cancelClicked);
    addButtons();
    setTabOrderByPlace();
    connect(&maps, &BandMaps::labelledMapChanged, this, &MainCanvas::showLabelledMap);
}

void MainCanvas::addCaptions() {
    const Twips tw = Twips::of(this);
    for (int c = 0; c < kOutputs; ++c) {
        outputCaptions_[c] =
            gridLabel(this, QLatin1String(kOutputCaptions[c]),
                      tw.rect(1200 + 480 * c, 480, 372, 255), Qt::AlignHCenter, kRed);
        outputCaptions_[c]->installEventFilter(this); // a double click names the output
    }
    for (int r = 0; r < kBandRows; ++r) {
        int left = 600, width = 372;
        if (r == 0) {
            left = 480, width = 492;
        } else if (r == 10) {
            width = 375;
        } else if (r >= 11 && r < kFirstXvtrRow) {
            left = 480, width = 495;
        } else if (r >= kFirstXvtrRow) {
            left = 240, width = 735;
        }
        gridLabel(this, QLatin1String(kRowCaptions[r]),
                  tw.rect(left, BandMapGrid::rowTopTwips(r), width, 255), Qt::AlignRight, kNavy);
    }
    gridLabel(this, tr("BDX4 Control Outputs"), tw.rect(3600, 120, 2052, 255), Qt::AlignHCenter,
              kRed);
    gridLabel(this, tr("Transceiver"), tw.rect(0, 240, 1095, 255), Qt::AlignHCenter, kNavy);
    gridLabel(this, tr("Band"), tw.rect(360, 480, 852, 255), Qt::AlignHCenter, kNavy);
    // As printed on the board, in every language.
    const QString jumperTexts[] = {QStringLiteral("W5 OUT"), QStringLiteral("W5 IN")};
    const int jumperTops[] = {3480, 4800};
    for (int i = 0; i < 2; ++i) {
        auto* jumper = new QLabel(jumperTexts[i], this);
        jumper->setFont(look::jumperFont());
        jumper->setAlignment(Qt::AlignCenter);
        jumper->setWordWrap(true);
        jumper->setGeometry(tw.rect(9000, jumperTops[i], 615, 735));
    }
}

void MainCanvas::addButtons() {
    clear_ = addButton(tr("Clear"), tr("Clear all the checkboxes above"), 240, 6960);
    defaults_ =
        addButton(tr("Defaults"),
                  tr("Set the checkboxes above to the standard default arrangement"), 240, 7440);
    for (int m = 0; m < kMaps; ++m) {
        display_[m] = addButton(tr("Display MAP%1").arg(m + 1), QString(), kMapLefts[m], 6960);
        save_[m] = addButton(tr("Save as MAP%1").arg(m + 1), QString(), kMapLefts[m], 7440);
        connect(display_[m], &QPushButton::clicked, this, [this, m] { emit displayClicked(m); });
        connect(save_[m], &QPushButton::clicked, this, [this, m] { emit saveClicked(m); });
    }
    write_ = addButton(tr("Write To BDX4"), tr("Write the checkbox arrangement above to the BDX4"),
                       8040, 6960);
    quit_ = addButton(tr("Quit"), tr("Exit this program"), 8040, 7440);
    connect(clear_, &QPushButton::clicked, this, &MainCanvas::clearClicked);
    connect(defaults_, &QPushButton::clicked, this, &MainCanvas::defaultsClicked);
    connect(write_, &QPushButton::clicked, this, &MainCanvas::writeClicked);
    connect(quit_, &QPushButton::clicked, this, &MainCanvas::quitClicked);
}

QPushButton* MainCanvas::addButton(const QString& text, const QString& tip, int left, int top) {
    auto* button = new CommandButton(text, this);
    button->setToolTip(tip);
    button->setGeometry(Twips::of(this).rect(left, top, 1300, 372));
    return button;
}

void MainCanvas::setTabOrderByPlace() {
    // The grid is one stop; the rest as they stand, left to right and top to bottom.
    QList<QWidget*> order;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            order << grid_->box(r, c);
    order << cancel_ << clear_ << display_[0] << display_[1] << display_[2] << write_ << defaults_
          << save_[0] << save_[1] << save_[2] << quit_;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void MainCanvas::paintEvent(QPaintEvent*) {
    const Twips tw = Twips::of(this);
    QPainter p(this);
    p.fillRect(tw.rect(240, 3480, 9375, 735), QColor(128, 255, 128));  // XV1-XV3, "W5 OUT"
    p.fillRect(tw.rect(240, 4440, 9375, 1695), QColor(128, 255, 255)); // XVTR rows, "W5 IN"
    auto line = [&](int x1, int y1, int x2, int y2, int width) {
        p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(tw.point(x1, y1), tw.point(x2, y2));
    };
    line(1080, 720, 8880, 720, 2);
    line(1080, 720, 1080, 6240, 2);
    line(1080, 6240, 8880, 6240, 1);
    line(8880, 720, 8880, 6240, 1);
    line(1080, 4320, 8880, 4320, 1); // between "XV3" and "XVTR1"
}

void MainCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
        clearStatus();
    QWidget::mousePressEvent(event);
}

bool MainCanvas::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        const auto at = std::find(outputCaptions_.begin(), outputCaptions_.end(), watched);
        if (at != outputCaptions_.end()) {
            emit nameRequested(int(at - outputCaptions_.begin()));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainCanvas::showNames(const OutputNames& names) {
    for (int c = 0; c < kOutputs; ++c)
        outputCaptions_[c]->setToolTip(names.name(c));
    grid_->showNames(names);
}

void MainCanvas::showLabelledMap(int map) {
    for (int m = 0; m < kMaps; ++m)
        labels_[m]->setVisible(m == map);
}

void MainCanvas::setStatus(const QString& text, const QColor& color) {
    status_->setText(text);
    look::setTextColor(status_, color);
}

void MainCanvas::beginStatus() {
    status_->show();
    setStatus(QString(), Qt::black);
}

void MainCanvas::emptyStatus() {
    status_->clear();
}

void MainCanvas::showProgressText(const QString& text) {
    setStatus(text, Qt::black);
}

void MainCanvas::showSendResult(bool passed) {
    status_->show();
    if (passed)
        setStatus(tr("Last Send Passed!"), kPassed);
    else
        setStatus(tr("Last Send Failed!"), kFailed);
}

void MainCanvas::clearStatus() {
    setStatus(QString(), Qt::black);
    status_->hide();
}

void MainCanvas::enableCommands(bool ready, bool busy, bool downloading) {
    const bool writable = ready && !busy;
    // A command that greys the focused Write button leaves the focus where the user can go on:
    // on Cancel while a download runs, else in the grid; never on the next button (Defaults).
    // (The window's focus widget, not hasFocus(): a message box may be in front meanwhile.)
    QWidget* focused = window()->focusWidget();
    if (!writable && focused == write_) {
        focusBackToWrite_ = true;
        cancel_->setVisible(downloading);
        if (downloading)
            cancel_->setFocus(Qt::OtherFocusReason);
        else
            grid_->currentBox()->setFocus(Qt::OtherFocusReason);
    }
    grid_->setEnabled(ready);
    for (QPushButton* button : {clear_, defaults_})
        button->setEnabled(ready);
    for (int m = 0; m < kMaps; ++m) {
        display_[m]->setEnabled(ready);
        save_[m]->setEnabled(ready);
    }
    write_->setEnabled(writable);
    focused = window()->focusWidget();
    if (writable && std::exchange(focusBackToWrite_, false) &&
        (!focused || focused == cancel_ || focused == grid_->currentBox()))
        write_->setFocus(Qt::OtherFocusReason);
    cancel_->setVisible(downloading);
}

void MainCanvas::focusGrid() {
    window()->setAttribute(Qt::WA_KeyboardFocusChange); // and show where it is
    grid_->currentBox()->setFocus(Qt::OtherFocusReason);
}

} // namespace bdx4
