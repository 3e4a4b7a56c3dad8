#include "ui/MainWindow.h"

#include "platform/EventLoopClock.h"
#include "platform/QtSerialLine.h"
#include "ui/CommandButton.h"
#include "ui/HelpWindow.h"
#include "ui/SaveFileDialog.h"
#include "ui/Twips.h"
#include "ui/UiLook.h"
#include "ui/VoltageWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace bdx4 {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

/// The client area under the menu bar: the grid's frame and shading are drawn on it, and a
/// click on it (not on a control) is a click on the window's background.
class GridCanvas : public QWidget {
public:
    GridCanvas(QWidget* parent, std::function<void()> backgroundClick)
        : QWidget(parent), backgroundClick_(std::move(backgroundClick)) {}

protected:
    void paintEvent(QPaintEvent*) override {
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
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && !childAt(event->position().toPoint()))
            backgroundClick_();
        QWidget::mousePressEvent(event);
    }

private:
    std::function<void()> backgroundClick_;
};

QLabel* gridLabel(QWidget* parent, const QString& name, const QString& text, const QRect& at,
                  Qt::Alignment align, const QColor& color) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(look::gridLabelFont());
    label->setAlignment(align | Qt::AlignVCenter);
    label->setGeometry(at);
    look::setTextColor(label, color);
    return label;
}

} // namespace

QString MainWindow::caption() {
    return QStringLiteral("Morvane BDX4 Configuration Utility, rev %1.%2.%3")
        .arg(BDX4_VERSION_MAJOR)
        .arg(BDX4_VERSION_MINOR)
        .arg(BDX4_VERSION_REVISION);
}

QString MainWindow::aboutText(const QString& programFolder) {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral(
               "BDX4 Configuration Utility, made by Morvane for the BDX4 band decoder.") +
           crlf + crlf +
           QStringLiteral("Version %1.%2.%3")
               .arg(BDX4_VERSION_MAJOR)
               .arg(BDX4_VERSION_MINOR)
               .arg(BDX4_VERSION_REVISION) +
           crlf + crlf + QStringLiteral("Program path = ") + programFolder + crlf;
}

MainWindow::MainWindow(const MainWindowParts& parts, QWidget* parent)
    : QMainWindow(parent), parts_(parts) {
    Q_ASSERT(parts_.settings);
    setObjectName(QStringLiteral("BDX4_Config"));
    setWindowTitle(caption());
    setFont(look::defaultFont());
    if (parts_.executableFolder.isEmpty())
        parts_.executableFolder = QCoreApplication::applicationDirPath();

    boxes_ = parts_.boxes;
    if (!boxes_) {
        ownBoxes_ = std::make_unique<QtMessageBoxes>(this);
        boxes_ = ownBoxes_.get();
    }
    line_ = parts_.line;
    if (!line_) {
        ownLine_ = std::make_unique<QtSerialLine>(*parts_.settings);
        line_ = ownLine_.get();
    }
    clock_ = parts_.clock;
    if (!clock_) {
        ownClock_ = std::make_unique<EventLoopClock>();
        clock_ = ownClock_.get();
        parts_.beginEnding = [clock = ownClock_.get()] { clock->beginEnding(); };
    }
    if (!parts_.endProcess) {
        parts_.endProcess = [] {
            // Everything that had to be kept is written; nothing of the interrupted command
            // may run on, so the process ends here rather than unwinding through it.
            std::fflush(nullptr);
            std::_Exit(0);
        };
    }

    buildCanvas();
    buildMenus();
    // A single fixed border: the client area as laid out, with the menu bar above it.
    setFixedSize(canvas_->width(), canvas_->height() + menuBar()->sizeHint().height());
    look::useLightPalette(this); // once the menu bar has laid out its overflow menu too
    seeking_ = std::make_unique<SeekingWindow>(this);

    maps_ = std::make_unique<BandMaps>(*grid_, *boxes_, marks_);
    link_ = std::make_unique<Link>(*line_, *boxes_, marks_, *clock_, *status_, *seeking_);
    mapStore_ = std::make_unique<MapStore>(*maps_, *boxes_, static_cast<MapCaptions&>(*this));
    PortActions port;
    port.OpenPort = [this] { link_->OpenPort(); };
    port.SeekBox = [this] { runSearch([this] { link_->SeekBox(); }); };
    port.ClosePort = [this] { link_->ClosePort(); };
    lifecycle_ = std::make_unique<Lifecycle>(
        *maps_, volts_, *mapStore_, link_->state(), *parts_.settings, marks_,
        static_cast<MapCaptions&>(*this), std::move(port), parts_.executableFolder);
    downloader_ = std::make_unique<Downloader>(*maps_, volts_, *link_, *status_, *boxes_, *clock_);
    downloader_->setRunningHandler([this](bool) { updateCommands(); });

    // Commands of the grid and buttons.
    connect(button(QStringLiteral("Clear_Array")), &QPushButton::clicked, this,
            [this] { maps_->Clear_Array_Click(); });
    connect(button(QStringLiteral("Defaults")), &QPushButton::clicked, this,
            [this] { maps_->Defaults_Click(); });
    for (int n = 1; n <= kMaps; ++n) {
        connect(button(QStringLiteral("Load_MAP%1").arg(n)), &QPushButton::clicked, this,
                [this, n] { mapStore_->Load_MAP_Click(n); });
        connect(button(QStringLiteral("Save_MAP%1").arg(n)), &QPushButton::clicked, this,
                [this, n] { mapStore_->Save_MAP_Click(n); });
    }
    connect(button(QStringLiteral("Dload_BDX4")), &QPushButton::clicked, this,
            [this] { downloader_->Dload_BDX4_Click(); });
    connect(button(QStringLiteral("cmd_Quit")), &QPushButton::clicked, this, &QWidget::close);

    lifecycle_->Form_Load();
    updateCommands();
}

MainWindow::~MainWindow() {
    seeking_.reset(); // its window belongs to this one
}

void MainWindow::buildCanvas() {
    auto* canvas = new GridCanvas(this, [this] { Form_Click(); });
    canvas_ = canvas;
    canvas->setObjectName(QStringLiteral("ClientArea"));
    look::setBackground(canvas, QColor(224, 224, 224));
    const Twips tw = Twips::of(this);
    canvas->setFixedSize(tw.size(9630, 8010));
    setCentralWidget(canvas);

    for (int c = 0; c < kOutputs; ++c)
        gridLabel(canvas, QStringLiteral("lblOutput_%1").arg(c), QLatin1String(kOutputCaptions[c]),
                  tw.rect(1200 + 480 * c, 480, 372, 255), Qt::AlignHCenter, kRed);
    for (int r = 0; r < kBandRows; ++r) {
        int left = 600, width = 372;
        if (r == 0) {
            left = 480, width = 492;
        } else if (r == 10) {
            width = 375;
        } else if (r >= 11 && r <= 13) {
            left = 480, width = 495;
        } else if (r >= 14) {
            left = 240, width = 735;
        }
        gridLabel(canvas, QStringLiteral("lblBand_%1").arg(r), QLatin1String(kRowCaptions[r]),
                  tw.rect(left, CheckGrid::rowTopTwips(r), width, 255), Qt::AlignRight, kNavy);
    }
    gridLabel(canvas, QStringLiteral("lblOutputs"), QStringLiteral("BDX4 Control Outputs"),
              tw.rect(3600, 120, 2052, 255), Qt::AlignHCenter, kRed);
    gridLabel(canvas, QStringLiteral("lblTransceiver"), QStringLiteral("Transceiver"),
              tw.rect(0, 240, 1095, 255), Qt::AlignHCenter, kNavy);
    gridLabel(canvas, QStringLiteral("lblBand"), QStringLiteral("Band"),
              tw.rect(360, 480, 852, 255), Qt::AlignHCenter, kNavy);
    const char* jumperNames[] = {"lblW5Out", "lblW5In"};
    const char* jumperTexts[] = {"W5 OUT", "W5 IN"};
    const int jumperTops[] = {3480, 4800};
    for (int i = 0; i < 2; ++i) {
        auto* jumper = new QLabel(QLatin1String(jumperTexts[i]), canvas);
        jumper->setObjectName(QLatin1String(jumperNames[i]));
        jumper->setFont(look::jumperFont());
        jumper->setAlignment(Qt::AlignCenter);
        jumper->setWordWrap(true);
        jumper->setGeometry(tw.rect(9000, jumperTops[i], 615, 735));
    }
    const int captionLefts[] = {2160, 4200, 6120};
    for (int m = 0; m < kMaps; ++m) {
        auto* label = new QLabel(QStringLiteral("MAP%1 Displayed").arg(m + 1), canvas);
        label->setObjectName(QStringLiteral("Map%1_capt").arg(m + 1));
        label->setGeometry(tw.rect(captionLefts[m], 6600, 1305, 255));
        look::setTextColor(label, kRed);
        captions_[m] = label;
    }

    grid_ = std::make_unique<CheckGrid>(canvas, tw);

    auto* status = new QLineEdit(canvas);
    status->setObjectName(QStringLiteral("debug_box"));
    status->setGeometry(tw.rect(7920, 6480, 1575, 285));
    status->setReadOnly(true);
    status->setFocusPolicy(Qt::NoFocus);
    status->hide(); // the download shows it
    status_ = std::make_unique<QtStatusBox>(status);

    addButton("Clear_Array", QStringLiteral("Clear"),
              QStringLiteral("Clear all the checkboxes above"), 240, 6960);
    addButton("Defaults", QStringLiteral("Defaults"),
              QStringLiteral("Set the checkboxes above to the standard default arrangement"), 240,
              7440);
    const int mapLefts[] = {2160, 4200, 6120};
    for (int m = 0; m < kMaps; ++m) {
        addButton(QStringLiteral("Load_MAP%1").arg(m + 1).toLatin1().constData(),
                  QStringLiteral("Display MAP%1").arg(m + 1), QString(), mapLefts[m], 6960);
        addButton(QStringLiteral("Save_MAP%1").arg(m + 1).toLatin1().constData(),
                  QStringLiteral("Save as MAP%1").arg(m + 1), QString(), mapLefts[m], 7440);
    }
    addButton("Dload_BDX4", QStringLiteral("Write To BDX4"),
              QStringLiteral("Write the checkbox arrangement above to the BDX4"), 8040, 6960);
    addButton("cmd_Quit", QStringLiteral("Quit"), QStringLiteral("Exit this program"), 8040, 7440);
}

QPushButton* MainWindow::addButton(const char* name, const QString& text, const QString& tip,
                                   int left, int top) {
    auto* b = new CommandButton(text, canvas_);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setGeometry(Twips::of(this).rect(left, top, 1300, 372));
    return b;
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    auto item = [this](QMenu* menu, const QString& name, const QString& text) {
        QAction* action = menu->addAction(text);
        action->setObjectName(name);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };

    QMenu* main = bar->addMenu(QStringLiteral("&Main"));
    main->setObjectName(QStringLiteral("MainMenu"));
    main->menuAction()->setObjectName(QStringLiteral("MainMenu"));
    connect(item(main, QStringLiteral("Test_BDX4"), QStringLiteral("Test for BDX4")),
            &QAction::triggered, this, [this] { runSearch([this] { link_->Test_BDX4_Click(); }); });
    separator(main, "MenuSpace2");
    connect(
        item(main, QStringLiteral("WriteBandmapToFile"), QStringLiteral("Write Bandmap to File")),
        &QAction::triggered, this, &MainWindow::WriteBandmapToFile_Click);
    separator(main, "MenuSpace3");
    connect(item(main, QStringLiteral("comExit"), QStringLiteral("Exit")), &QAction::triggered,
            this, &QWidget::close);

    QMenu* acn = bar->addMenu(QStringLiteral("Use ACn"));
    acn->setObjectName(QStringLiteral("MenuBar_Use_ACn"));
    acn->menuAction()->setObjectName(QStringLiteral("MenuBar_Use_ACn"));
    for (const bool yes : {true, false}) {
        const QString name =
            yes ? QStringLiteral("cmd_UseACC_Yes") : QStringLiteral("cmd_UseACC_No");
        QAction* a = item(acn, name,
                          yes ? QStringLiteral("Use AC1 - AC3 for Bandmap")
                              : QStringLiteral("Use AC1 - AC3 default table"));
        a->setCheckable(true);
        marks_.add(name, a);
        connect(a, &QAction::triggered, this, [this, yes] {
            if (yes)
                maps_->cmd_UseACC_Yes_Click();
            else
                maps_->cmd_UseACC_No_Click();
        });
    }

    for (int t = 0; t < 3; ++t) {
        QAction* analog = bar->addAction(QStringLiteral("Analog%1").arg(t + 1));
        analog->setObjectName(QStringLiteral("MenuBar_Analog_AN%1").arg(t + 1));
        connect(analog, &QAction::triggered, this, [this, t] { openVoltageWindow(t); });
    }

    QMenu* comm = bar->addMenu(QStringLiteral("COMM"));
    comm->setObjectName(QStringLiteral("COMM_Port"));
    comm->menuAction()->setObjectName(QStringLiteral("COMM_Port"));
    comm->setToolTipsVisible(true);
    for (int i = kFirstComPort; i <= kLastComPort; ++i) {
        const QString name = QStringLiteral("Use_COM_%1").arg(i);
        QAction* a = item(comm, name, QStringLiteral("COM%1").arg(i));
        a->setCheckable(true);
        a->setToolTip(line_->deviceName(i));
        marks_.add(name, a);
        connect(a, &QAction::triggered, this, [this, i] { link_->Use_COM_Click(i); });
    }
    separator(comm, "ConfigMenuBrk6");
    const char* speeds[] = {"  4800 BAUD", "  9600 BAUD", "19200 BAUD", "38400 BAUD"};
    for (int i = 1; i <= 4; ++i) {
        const QString name = QStringLiteral("ConfigMenu_RS232_%1").arg(i);
        QAction* a = item(comm, name, QLatin1String(speeds[i - 1]));
        a->setCheckable(true);
        marks_.add(name, a);
        connect(a, &QAction::triggered, this, [this, i] { link_->ConfigMenu_RS232_Click(i); });
    }
    // The device each port number reaches, read when the menu opens (adapters come and go).
    connect(comm, &QMenu::aboutToShow, this, [this] {
        for (int i = kFirstComPort; i <= kLastComPort; ++i)
            menuItem(QStringLiteral("Use_COM_%1").arg(i))->setToolTip(line_->deviceName(i));
    });

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("HelpMenu"));
    help->menuAction()->setObjectName(QStringLiteral("HelpMenu"));
    connect(item(help, QStringLiteral("OpenHelpForm"), QStringLiteral("Using")),
            &QAction::triggered, this, &MainWindow::OpenHelpForm_Click);
    connect(item(help, QStringLiteral("HelpAboutMenu"), QStringLiteral("About")),
            &QAction::triggered, this, &MainWindow::HelpAboutMenu_Click);
}

QAction* MainWindow::menuItem(const QString& name) const {
    return menuBar()->findChild<QAction*>(name);
}

QPushButton* MainWindow::button(const QString& name) const {
    return canvas_->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

void MainWindow::showOnly(int map) {
    for (int m = 0; m < kMaps; ++m)
        captions_[m]->setVisible(m == map);
}

void MainWindow::updateCommands() {
    const bool ready = maps_ && maps_->state().StartupDone && !closing_;
    const bool busy = (downloader_ && downloader_->downloadRunning()) || searching_;
    for (int r = 0; r < kBandRows; ++r)
        for (int c = 0; c < kOutputs; ++c)
            grid_->box(r, c)->setEnabled(ready);
    for (QPushButton* b : canvas_->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        b->setEnabled(ready);
    button(QStringLiteral("cmd_Quit"))->setEnabled(true);
    button(QStringLiteral("Dload_BDX4"))->setEnabled(ready && !busy);
    for (const char* name : {"MenuBar_Use_ACn", "MenuBar_Analog_AN1", "MenuBar_Analog_AN2",
                             "MenuBar_Analog_AN3", "COMM_Port", "HelpMenu"})
        menuItem(QLatin1String(name))->setEnabled(ready);
    menuItem(QStringLiteral("Test_BDX4"))->setEnabled(ready && !busy);
    menuItem(QStringLiteral("WriteBandmapToFile"))->setEnabled(ready && !busy);
    menuItem(QStringLiteral("comExit"))->setEnabled(true);
}

void MainWindow::runSearch(const std::function<void()>& search) {
    // While the box is looked for, no download may start on the same line (and no second
    // search; the link ignores one anyway).
    const bool outer = !searching_;
    searching_ = true;
    updateCommands();
    search();
    if (outer) {
        searching_ = false;
        if (!clock_->ending())
            updateCommands();
    }
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !closing_)
        Form_Activate();
    return QMainWindow::event(event);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!startupQueued_) {
        startupQueued_ = true;
        // Centred on the screen the first time it shows.
        if (const QScreen* screen = this->screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        // Some platforms and window managers never activate a new window; the start-up runs
        // anyway, on whichever comes first.
        QTimer::singleShot(0, this, [this] {
            if (!closing_)
                Form_Activate();
        });
    }
}

void MainWindow::Form_Activate() {
    if (lifecycle_->FirstActivationDone())
        return;
    lifecycle_->Form_Activate();
    if (!clock_->ending() && !closing_)
        updateCommands();
}

void MainWindow::Form_Click() {
    status_->setText(QString());
    status_->setTextColor(StatusColor::Black);
    status_->setVisible(false);
}

void MainWindow::HelpAboutMenu_Click() {
    MessageRequest box;
    box.title = QStringLiteral("About the BDX4 program...");
    box.text = aboutText(QDir::toNativeSeparators(parts_.executableFolder));
    boxes_->show(box);
}

void MainWindow::OpenHelpForm_Click() {
    HelpWindow help(this);
    if (const QScreen* screen = this->screen()) {
        QRect frame = help.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        help.move(frame.topLeft());
    }
    help.exec();
}

void MainWindow::openVoltageWindow(int table) {
    VoltageWindow window(table, volts_, *boxes_, lifecycle_->StoreFolder(), this);
    window.exec();
}

void MainWindow::WriteBandmapToFile_Click() {
    downloader_->WriteBandmapToFile_Click([this] {
        QString result = downloader_->exportState().SaveFileAsResult;
        SaveFileDialog dialog(lifecycle_->AppPath(), *parts_.settings, *boxes_, result, this);
        dialog.exec();
        return result;
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing cannot be refused; a second close while the first is under way only agrees.
    event->accept();
    if (closing_)
        return;
    closing_ = true;
    updateCommands();
    lifecycle_->Form_Unload();
    parts_.settings->sync();
    // Inside a wait or a dialog the interrupted command would run on after its loop returned;
    // the process ends instead. From the main loop it simply returns, and main() ends.
    const bool nested = QThread::currentThread()->loopLevel() > 1;
    if (parts_.beginEnding)
        parts_.beginEnding();
    if (nested)
        parts_.endProcess();
}

} // namespace bdx4
