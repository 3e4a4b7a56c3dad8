#pragma once

// The program's core wired to a bdx4-sim process over a real pseudo-terminal, as the
// end-to-end tests and the benchmarks drive it: the real serial line, clock and settings
// store, with recording stand-ins for the windows.

#include "SimProcess.h"
#include "bandmap/BandMaps.h"
#include "bandmap/MatrixGrid.h"
#include "image/Download.h"
#include "link/Link.h"
#include "platform/EventLoopClock.h"
#include "platform/QtSerialLine.h"
#include "platform/QtSettingsStore.h"
#include "voltages/Voltages.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

namespace bdx4::simrig {

/// The status box `debug_box`, remembering every text it showed.
class RecordingStatus : public StatusBox {
public:
    void setText(const QString& text) override {
        text_ = text;
        texts.append(text);
    }
    QString text() const override { return text_; }
    void setTextColor(StatusColor c) override { color = c; }
    void setVisible(bool v) override { visible = v; }

    QStringList texts;
    StatusColor color = StatusColor::Black;
    bool visible = false;

private:
    QString text_;
};

/// The "Seeking BDX4" window, reduced to what it was told.
class RecordingProgress : public ProgressWindow {
public:
    void open() override { ++opened; }
    void setValue(int v) override { value = v; }
    void close() override { ++closed; }
    int opened = 0;
    int closed = 0;
    int value = 0;
};

/// Message boxes answered with their default button and remembered. A box may stay open for a
/// while, as a user reads it: events run meanwhile, as in a modal dialog's own loop.
class RecordingBoxes : public MessageBoxes {
public:
    MsgAnswer show(const MessageRequest& request) override {
        shown.append(request);
        ++open_;
        maxOpen = std::max(maxOpen, open_);
        if (holdMs > 0) {
            QEventLoop loop;
            QTimer::singleShot(holdMs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
            loop.exec();
        }
        --open_;
        return request.defaultButton;
    }
    QList<MessageRequest> shown;
    /// How long each box stays open; 0: answered at once.
    int holdMs = 0;
    /// The most boxes that were open at the same time (more than one: opened from inside another).
    int maxOpen = 0;

private:
    int open_ = 0;
};

class PlainMarks : public MenuMarks {
public:
    void setChecked(const QString& item, bool checked) override { marks[item] = checked; }
    bool isChecked(const QString& item) const override { return marks.value(item); }
    QHash<QString, bool> marks;
};

/// The program's core on a real serial line. Port COM1 is the given device (the settings'
/// "Ports" section names it), at 9600 baud.
struct ProgramRig {
    explicit ProgramRig(const QString& device)
        : settings(QStringLiteral("bdx4config")), line(settings),
          link(line, boxes, marks, clock, status, progress), maps(grid, boxes, marks),
          downloader(maps, volts, link, status, boxes, clock) {
        settings.setValue(QStringLiteral("Ports"), QStringLiteral("COM1"), device);
        maps.FillOutputBitMask();
        volts.FillBandCode();
        link.state().ComPort = 1;
        link.state().StartComPort = 1;
        link.state().BaudRate = QStringLiteral("9600");
    }

    QtSettingsStore settings;
    QtSerialLine line;
    RecordingBoxes boxes;
    PlainMarks marks;
    EventLoopClock clock;
    RecordingStatus status;
    RecordingProgress progress;
    Link link;
    MatrixGrid grid;
    BandMaps maps;
    Voltages volts;
    Downloader downloader;
};

} // namespace bdx4::simrig
