#pragma once

#include "platform/Clock.h"
#include "platform/MenuMarks.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgressWindow.h"
#include "platform/SerialLine.h"
#include "platform/StatusBox.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <deque>
#include <functional>

namespace bdx4 {

/// The question that makes the box tell its product name and firmware version.
inline const QString kVersionQuery = QStringLiteral(";BD00;BD73;BDV;");
/// Received text that never meets a ";" or "G" is kept only up to this many characters (the
/// newest); no reply of the box comes near it.
constexpr int kRxLimit = 4096;
/// Speed texts of the COMM menu's items 1-4.
constexpr std::array<const char*, 4> kMenuBaudRates = {"4800", "9600", "19200", "38400"};
/// Port numbers of the COMM menu.
constexpr int kFirstComPort = 1;
constexpr int kLastComPort = 16;

/// The text of the box shown when the search hears no valid version reply.
QString seekFailedText();

/// What the link is about to do on the line; a trace of the conversation starts its parts here.
enum class LinkActivity {
    OpeningPort, ///< OpenPort begins (the start of "Test for BDX4" and of the start-up's search)
    SeekingBox,  ///< SeekBox begins
};

/// The device link's state: the port choice and what the box has said.
struct LinkState {
    int ComPort = 1;                           ///< port to open, 1-16
    int StartComPort = 1;                      ///< the port as loaded at start-up; the fallback
    QString BaudRate = QStringLiteral("4800"); ///< speed text, used unchanged in the settings text
    bool PortReady = false;                    ///< the last open-and-configure went through
    bool AckSeen = false;                      ///< a "G" arrived since the download last cleared it
    QString OutString;                         ///< the last text the query or the download sent
    QByteArray RxBuffer;                       ///< received text after the last delimiter
    QByteArray RxCopy;                         ///< RxBuffer as it stood after the last arrival
    QString ReplyCode;                         ///< first three characters of the last reply segment
    QString FirmwareRev;                       ///< firmware version of the last valid version reply
    bool BoxConnected = false;                 ///< a valid version reply came in this search
    int SeekCount = 0;                         ///< retries of the box search, 0-11
};

/// The serial link to the box: the port and speed menus, opening the port, the receive handler, the
/// version query and the waits.
class Link {
public:
    /// Installs MSComm1_OnComm as the line's receive handler.
    Link(SerialLine& line, MessageBoxes& boxes, MenuMarks& marks, Clock& clock, StatusBox& status,
         ProgressWindow& progress);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    LinkState& state() { return s_; }
    const LinkState& state() const { return s_; }
    SerialLine& line() { return line_; }
    Clock& clock() { return clock_; }

    /// A port item of the COMM menu (1-16): moves the check mark and sets ComPort. The open port is
    /// not touched; the choice counts from the next OpenPort.
    void Use_COM_Click(int index);
    /// A speed item of the COMM menu (1-4): moves the check mark and sets BaudRate.
    void ConfigMenu_RS232_Click(int index);
    /// (Re)opens the line on ComPort at BaudRate, 8N1; sets PortReady when every step went through,
    /// otherwise shows the "Error Opening COM" box.
    void ConfigurePort();
    /// ConfigurePort with one fallback to StartComPort; the outcome is left in PortReady.
    void OpenPort();
    /// Closes the port if it is open (at shut-down).
    void ClosePort();

    /// The receive handler: gathers input, notes acknowledgements and parses reply segments. Safe
    /// to enter again from a box that one of its segments opened.
    void MSComm1_OnComm();
    /// Looks at one reply segment (with its ";"); recognises the version reply while the version
    /// query is outstanding.
    void ParseReply(const QString& segment);
    /// Asks for the box's version, with retries and the "Seeking BDX4" window; the outcome is left
    /// in BoxConnected and FirmwareRev. A search started while one runs is ignored.
    void SeekBox();
    /// "Test for BDX4": OpenPort, then SeekBox when the port opened.
    void Test_BDX4_Click();
    /// True while SeekBox runs (the window may disable "Test for BDX4").
    bool seekRunning() const { return seeking_; }

    using ActivityHandler = std::function<void(LinkActivity)>;
    /// Told when OpenPort or SeekBox begins, before anything goes over the line.
    void setActivityHandler(ActivityHandler handler) { activity_ = std::move(handler); }

    /// Waits at least `ms` milliseconds with events running; false when the program is ending.
    bool DelayMs(qint64 ms);
    /// Multiplies `units` by 300 in place and waits that many milliseconds.
    bool DelayUnits(int& units);
    /// Up to three 300 ms steps, stopping after the first step that ends with AckSeen; returns
    /// AckSeen. When the program is ending it returns at once (check `ending()`).
    bool WaitForAck();
    /// The program has begun to end: every operation stops without further writes or boxes.
    bool ending() const { return clock_.ending(); }

    /// The port as the user knows it, with its device where that differs: "COM1 (/dev/ttyUSB0)".
    QString portDescription() const;
    /// Sends the text to the port as Latin-1 bytes.
    Failure send(const QString& text);

private:
    bool pauseUnits(int units);
    void tellActivity(LinkActivity activity) {
        if (activity_)
            activity_(activity);
    }

    SerialLine& line_;
    MessageBoxes& boxes_;
    MenuMarks& marks_;
    Clock& clock_;
    StatusBox& status_;
    ProgressWindow& progress_;
    LinkState s_;
    /// Segments cut out of RxBuffer and not yet parsed, oldest first. A firmware box opened by one
    /// segment lets the handler run again; that run carries on with this same queue, so every
    /// segment is parsed once and in the order it arrived.
    std::deque<QByteArray> pendingSegments_;
    bool seeking_ = false;
    ActivityHandler activity_;
};

} // namespace bdx4
