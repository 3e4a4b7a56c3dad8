#include "ui/VoltageWindow.h"

#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace bdx4 {

namespace {

/// The caption label of each column, left to right.
constexpr std::array<int, kVoltBands> kColumnLabelNumbers = {16, 17, 18, 19, 20, 21, 23,
                                                             24, 22, 27, 25, 26, 28};

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& at) {
    // Enter confirms a typed voltage; it presses a button only when that button has the focus.
    auto* b = new CommandButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(at);
    return b;
}

} // namespace

QString VoltageWindow::caption(int table) {
    return QStringLiteral("Analog Voltage Table AN%1").arg(table + 1);
}

QString VoltageWindow::rangeText(int table) {
    return QStringLiteral("Analog Voltage AN%1 range is 0 to %2 volts.")
        .arg(table + 1)
        .arg(kFullScaleVolts[table]);
}

QColor VoltageWindow::background(int table) {
    switch (table) {
    case 0:
        return look::rgb(133, 159, 192);
    case 1:
        return look::rgb(122, 163, 105);
    default:
        return look::rgb(225, 225, 142);
    }
}

VoltageWindow::VoltageWindow(int table, Voltages& volts, MessageBoxes& boxes,
                             const QString& storeFolder, QWidget* owner)
    : QDialog(owner), table_(table) {
    setObjectName(QStringLiteral("BDX4_Band_Voltage_AN%1").arg(table + 1));
    setWindowTitle(caption(table));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, background(table));
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(8070, 4965));

    auto* range = new QLabel(rangeText(table), this);
    range->setObjectName(QStringLiteral("Label29"));
    range->setGeometry(tw.rect(1680, 120, 3975, 255));

    const QString tip =
        QStringLiteral("Either type in the voltage here, or use the slider control below.");
    for (int i = 0; i < kVoltBands; ++i) {
        const int left = 120 + 600 * i;
        auto* label = new QLabel(QLatin1String(kVoltBandCaptions[i]), this);
        label->setObjectName(QStringLiteral("Label%1").arg(kColumnLabelNumbers[i]));
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
        label->setWordWrap(true);
        label->setGeometry(i == 0 ? tw.rect(left, 540, 500, 375) : tw.rect(left, 720, 500, 255));

        auto* text = new QLineEdit(QStringLiteral("0.00"), this);
        text->setObjectName(QStringLiteral("BandVolts_%1").arg(i));
        text->setToolTip(tip);
        text->setAlignment(Qt::AlignCenter);
        text->setGeometry(tw.rect(left, 960, 500, 315));
        // Screen readers name each column's controls by table and band, as the grid's boxes are.
        const QString column =
            QStringLiteral("AN%1 %2").arg(table + 1).arg(QLatin1String(kVoltBandCaptions[i]));
        text->setAccessibleName(column + QStringLiteral(" volts"));
        texts_[i] = text;

        auto* slider = new LevelSlider(this);
        slider->setObjectName(QStringLiteral("BVScroll_%1").arg(i));
        slider->setGeometry(tw.rect(360 + 600 * i, 1440, 200, 2775));
        slider->setAccessibleName(column + QStringLiteral(" level"));
        sliders_[i] = slider;
    }

    auto* help = button(this, "cmd_Help", QStringLiteral("Help"), tw.rect(120, 4440, 1215, 375));
    auto* defaults =
        button(this, "cmd_Defaults", QStringLiteral("Defaults"), tw.rect(1800, 4440, 1215, 375));
    auto* save = button(this, "cmdSave", QStringLiteral("Save"),
                        tw.rect(table == 0 ? 4800 : 4920, 4440, 1215, 375));
    auto* closeButton =
        button(this, "cmdClose", QStringLiteral("Close"), tw.rect(6600, 4440, 1215, 375));

    // Tab order: Close, the text boxes, Save, the sliders, Help, Defaults.
    QWidget* previous = closeButton;
    for (QLineEdit* text : texts_) {
        setTabOrder(previous, text);
        previous = text;
    }
    setTabOrder(previous, save);
    previous = save;
    for (LevelSlider* slider : sliders_) {
        setTabOrder(previous, slider);
        previous = slider;
    }
    setTabOrder(previous, help);
    setTabOrder(help, defaults);

    editor_ = std::make_unique<VoltageEditor>(table, volts, boxes,
                                              static_cast<VoltageColumns&>(*this), storeFolder);
    for (int i = 0; i < kVoltBands; ++i) {
        // valueChanged comes both for a change and while the thumb is dragged.
        connect(sliders_[i], &LevelSlider::levelChanged, this,
                [this, i](int) { editor_->BVScroll_Change(i); });
        connect(texts_[i], &QLineEdit::editingFinished, this,
                [this, i] { editor_->BandVolts_Confirm(i, texts_[i]->text()); });
    }
    connect(help, &QPushButton::clicked, this, &VoltageWindow::showHelp);
    connect(defaults, &QPushButton::clicked, this, [this] { editor_->cmd_Defaults_Click(); });
    connect(save, &QPushButton::clicked, this, [this] { editor_->cmdSave_Click(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    editor_->Form_Load();
    closeButton->setFocus();
}

VoltageWindow::~VoltageWindow() {
    // The editor goes before the child widgets; a text box that loses the focus while it is
    // destroyed must not reach it.
    for (QLineEdit* text : texts_)
        text->disconnect(this);
    for (LevelSlider* slider : sliders_)
        slider->disconnect(this);
}

int VoltageWindow::sliderValue(int band) const {
    return sliders_[band]->level();
}

void VoltageWindow::setSliderValue(int band, int level) {
    sliders_[band]->setLevel(level);
}

void VoltageWindow::setText(int band, const QString& text) {
    texts_[band]->setText(text);
    texts_[band]->setCursorPosition(0);
}

void VoltageWindow::reject() {
    if (editor_->Form_Unload())
        QDialog::reject();
}

void VoltageWindow::showHelp() {
    VoltageHelpWindow help(table_, this);
    help.exec();
}

QStringList VoltageHelpWindow::texts(int table) {
    const QString name = VoltageEditor::TableName(table);
    static const char* const pins[] = {"9", "7", "4"};
    return {
        QStringLiteral("Setting up Analog Band Voltages..."),
        QStringLiteral("Consult the manufacturer of your transceiver for the Band Voltage table.  "
                       "Alternatively, you could measure the voltages with a DMM."),
        QStringLiteral("Analog Voltage table %1 can range in value from 0 to %2 Volts.")
            .arg(name)
            .arg(kFullScaleVolts[table]),
        QStringLiteral("If a Band for your transceiver doesn't list a voltage, set the control "
                       "to 0."),
        QStringLiteral("Voltage input for %1 is pin %2 of J1/J2.")
            .arg(name, QLatin1String(pins[table])),
    };
}

VoltageHelpWindow::VoltageHelpWindow(int table, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("BDX4_BV_AN%1_Help").arg(table + 1));
    setWindowTitle(QStringLiteral("BDX4 AN%1 Help ").arg(table + 1));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, VoltageWindow::background(table));
    const Twips tw = Twips::of(this);
    static const int heights[] = {3465, 3600, 3720};
    setFixedSize(tw.size(5505, heights[table]));

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Picture1"));
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(tw.px(480)));
    picture->setGeometry(tw.rect(240, 120, 480, 480));

    auto* ok = new CommandButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(tw.rect(4200, 120, 1215, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    // Object names of the five lines; the range and pin lines are named after their table.
    const QString rangeName =
        table == 1 ? QStringLiteral("lblTipText3") : QStringLiteral("lblTipText2");
    const QStringList names = {QStringLiteral("Label1"), QStringLiteral("lblTipText1"), rangeName,
                               QStringLiteral("lblTipText4"),
                               QStringLiteral("Label%1").arg(table + 2)};
    struct Place {
        int top, height;
    };
    const Place places[] = {{720, 255}, {1080, 615}, {1800, 435}, {2340, 435}, {2880, 255}};
    const QStringList lines = texts(table);
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines[i], this);
        label->setObjectName(names[i]);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(tw.rect(240, places[i].top, 5025, places[i].height));
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
}

} // namespace bdx4
