#include "ui/HelpWindow.h"

#include "model/VoltageTables.h"
#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QFrame>
#include <QLabel>
#include <QStyle>

namespace bdx4 {

namespace {

QLabel* wrappedLabel(const QString& text, QWidget* parent, const QRect& at) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(at);
    return label;
}

} // namespace

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("BDX4 Config Help"));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, look::rgb(67, 115, 239));
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(6930, 4935));

    auto* frame = new QFrame(this);
    frame->setGeometry(tw.rect(120, 120, 6720, 4125));
    look::setBackground(frame, Qt::white);

    const QStringList texts = {
        tr("The ACC pins may be used for accessory control from the Z7 or Z9's ACC menu or as "
           "band outputs. Use the pull-down menu \"Use ACn\" to set the correct mode for your "
           "use."),
        tr("The W5 jumper inside the BDX4 selects the bandmap used for transverters. When out "
           "(default) the HF-XVTR bandmap is used, allowing only XVTR1-XVTR3 selections. With W5 "
           "installed, the XVTR bandmap is used, allowing all XVTR inputs from the radio to make "
           "selections."),
        tr("Click on a checkbox to match the band on the left side to an output across the top "
           "row."),
        tr("Forms to set Band Analog Voltage tables (AN1, AN2, and AN3) are available from the "
           "top row of pull-down menus."),
        tr("When your maps are complete, save them using the \"Save As\" buttons on the bottom "
           "row, then click on the \"Send to BDX4\" button on the right."),
        tr("Please consult the BDX4 Operating Instructions for further information on  how the "
           "jumpers in the BDX4 affect the ways you can use the Band Maps."),
    };
    // Tops within the frame; each text reaches down to the next one.
    const int tops[] = {120, 840, 1800, 2280, 2880, 3480, 4125};
    for (int i = 0; i < texts.size(); ++i) {
        QLabel* label =
            wrappedLabel(texts[i], frame, tw.rect(60, tops[i], 6555, tops[i + 1] - tops[i] - 60));
        label->setBackgroundRole(QPalette::Base);
        label->setForegroundRole(QPalette::Text);
        label->setAutoFillBackground(true);
    }

    auto* ok = new CommandButton(tr("Ok"), this);
    ok->setGeometry(tw.rect(5640, 4440, 1215, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

VoltageHelpWindow::VoltageHelpWindow(int table, QWidget* owner) : QDialog(owner) {
    setWindowTitle(tr("BDX4 AN%1 Help ").arg(table + 1));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, look::voltageWindowBackground(table));
    const Twips tw = Twips::of(this);
    static const int heights[] = {3465, 3600, 3720};
    setFixedSize(tw.size(5505, heights[table]));

    auto* picture = new QLabel(this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(tw.px(480)));
    picture->setGeometry(tw.rect(240, 120, 480, 480));

    auto* ok = new CommandButton(tr("OK"), this);
    ok->setGeometry(tw.rect(4200, 120, 1215, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    static const char* const pins[] = {"9", "7", "4"};
    const QString name = QStringLiteral("AN%1").arg(table + 1);
    const QStringList texts = {
        tr("Setting up Analog Band Voltages..."),
        tr("Consult the manufacturer of your transceiver for the Band Voltage table.  "
           "Alternatively, you could measure the voltages with a DMM."),
        tr("Analog Voltage table %1 can range in value from 0 to %2 Volts.")
            .arg(name)
            .arg(kFullScaleVolts[table]),
        tr("If a Band for your transceiver doesn't list a voltage, set the control to 0."),
        tr("Voltage input for %1 is pin %2 of J1/J2.").arg(name, QLatin1String(pins[table])),
    };
    struct Place {
        int top, height;
    };
    const Place places[] = {{720, 255}, {1080, 615}, {1800, 435}, {2340, 435}, {2880, 255}};
    for (int i = 0; i < texts.size(); ++i) {
        QLabel* label =
            wrappedLabel(texts[i], this, tw.rect(240, places[i].top, 5025, places[i].height));
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
}

} // namespace bdx4
