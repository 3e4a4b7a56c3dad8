#include "ui/HelpWindow.h"

#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace bdx4 {

QStringList HelpWindow::texts() {
    return {
        QStringLiteral("The ACC pins may be used for accessory control from the Z7 or Z9's ACC "
                       "menu or as band outputs. Use the pull-down menu \"Use ACn\" to set the "
                       "correct mode for your use."),
        QStringLiteral("The W5 jumper inside the BDX4 selects the bandmap used for transverters. "
                       "When out (default) the HF-XVTR bandmap is used, allowing only XVTR1-XVTR3 "
                       "selections. With W5 installed, the XVTR bandmap is used, allowing all XVTR "
                       "inputs from the radio to make selections."),
        QStringLiteral("Click on a checkbox to match the band on the left side to an output across "
                       "the top row."),
        QStringLiteral("Forms to set Band Analog Voltage tables (AN1, AN2, and AN3) are available "
                       "from the top row of pull-down menus."),
        QStringLiteral(
            "When your maps are complete, save them using the \"Save As\" buttons on the "
            "bottom row, then click on the \"Send to BDX4\" button on the right."),
        QStringLiteral("Please consult the BDX4 Operating Instructions for further information on  "
                       "how the jumpers in the BDX4 affect the ways you can use the Band Maps."),
    };
}

HelpWindow::HelpWindow(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("frmBDX4Help"));
    setWindowTitle(QStringLiteral("BDX4 Config Help"));
    setFont(look::defaultFont());
    look::useLightPalette(this);
    look::setBackground(this, look::rgb(67, 115, 239));
    const Twips tw = Twips::of(this);
    setFixedSize(tw.size(6930, 4935));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(tw.rect(120, 120, 6720, 4125));
    look::setBackground(frame, Qt::white);

    // Tops within the frame; each label reaches down to the next one.
    const int tops[] = {120, 840, 1800, 2280, 2880, 3480, 4125};
    const QStringList lines = texts();
    for (int i = 0; i < lines.size(); ++i) {
        auto* label = new QLabel(lines[i], frame);
        label->setObjectName(QStringLiteral("lblHelpTextLine%1").arg(i + 1));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setBackgroundRole(QPalette::Base);
        label->setForegroundRole(QPalette::Text);
        label->setAutoFillBackground(true);
        label->setGeometry(tw.rect(60, tops[i], 6555, tops[i + 1] - tops[i] - 60));
    }

    auto* ok = new CommandButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setGeometry(tw.rect(5640, 4440, 1215, 375));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace bdx4
