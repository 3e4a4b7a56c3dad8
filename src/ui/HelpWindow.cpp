#include "ui/HelpWindow.h"

#include "model/VoltageTables.h"
#include "ui/CommandButton.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
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
    // The white frame scrolls down to what came after the six texts; the window is as much
    // wider as its scroll bar, so that the texts keep their width.
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setFixedSize(tw.size(6930, 4935) + QSize(scrollBar, 0));

    auto* frame = new QScrollArea(this);
    frame->setGeometry(tw.rect(120, 120, 6720, 4125).adjusted(0, 0, scrollBar, 0));
    frame->setFrameShape(QFrame::NoFrame);
    frame->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    frame->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* page = new QWidget;
    look::setBackground(page, Qt::white);
    const int bottom = addTexts(page);
    page->setFixedSize(tw.size(6720, 0).width(), bottom);
    frame->setWidget(page);

    auto* ok = new CommandButton(tr("Ok"), this);
    ok->setGeometry(tw.rect(5640, 4440, 1215, 375).translated(scrollBar, 0));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int HelpWindow::addTexts(QWidget* page) {
    const Twips tw = Twips::of(this);
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
           "row, then click on the \"Write To BDX4\" button on the right."),
        tr("Please consult the BDX4 Operating Instructions for further information on  how the "
           "jumpers in the BDX4 affect the ways you can use the Band Maps."),
    };
    // Tops within the frame; each text reaches down to the next one.
    const int tops[] = {120, 840, 1800, 2280, 2880, 3480, 4125};
    QList<QLabel*> labels;
    for (int i = 0; i < texts.size(); ++i)
        labels << wrappedLabel(texts[i], page,
                               tw.rect(60, tops[i], 6555, tops[i + 1] - tops[i] - 60));
    // Then what the program does beyond them, each text as high as it wraps.
    int top = tw.px(tops[texts.size()]);
    QLabel* heading = wrappedLabel(tr("Undo, questions, files, keys"), page, QRect());
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    for (QLabel* label : QList<QLabel*>{heading} + moreTexts(page)) {
        const int width = tw.px(6555);
        label->setGeometry(tw.px(60), top, width, label->heightForWidth(width));
        top = label->geometry().bottom() + tw.px(120);
        labels << label;
    }
    for (QLabel* label : labels) { // the system's window background and text colours
        label->setBackgroundRole(QPalette::Base);
        label->setForegroundRole(QPalette::Text);
        label->setAutoFillBackground(true);
    }
    return top;
}

QList<QLabel*> HelpWindow::moreTexts(QWidget* page) {
    const QStringList texts = {
        tr("Undo and redo: Edit > Undo (Ctrl+Z) takes back a change of the grid, of the ACn mode, "
           "a \"Save as MAPn\" (the maps' file is put back as it was) or an opened configuration "
           "file; Edit > Redo (Ctrl+Shift+Z or Ctrl+Y) does it again. In a voltage window Ctrl+Z "
           "takes back a slider move, a typed voltage or Defaults."),
        tr("Nothing is lost without a question: while a map is not saved, Clear, Defaults, "
           "\"Display MAPn\", Open and Quit ask first. Yes keeps the changes, No drops them, and "
           "Cancel (or Escape) leaves everything as it was."),
        tr("Main > Open Configuration File (Ctrl+O) reads a file that \"Write Bandmap to File\" "
           "wrote: its map comes onto the grid, and its voltage tables replace yours only when "
           "you say Yes. A damaged file is refused and changes nothing."),
        tr("Main > Print (Ctrl+P) prints the shown map, the ACn mode and the three voltage "
           "tables on one page; \"Print to file\" gives a PDF."),
        tr("The status bar at the bottom shows the port, its device and speed, and what is known "
           "of it: not open, open, the BDX4's firmware, or lost. During a download it shows which "
           "of the seven records is being sent."),
        tr("Keys: Tab moves between the grid and the buttons; in the grid the arrow keys, Home "
           "and End move, and Space ticks a box. Ctrl+S saves the map shown, F1 opens this help, "
           "Escape stops a download or a search for the BDX4. Every menu opens with Alt and its "
           "underlined letter."),
        tr("Voltage windows: Tab reaches each slider after the Save button; Up, Page Up and Home "
           "raise the voltage, Down, Page Down and End lower it, Left and Right step between "
           "bands. Ctrl+S saves the table."),
    };
    QList<QLabel*> labels;
    for (const QString& text : texts)
        labels << wrappedLabel(text, page, QRect());
    return labels;
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
