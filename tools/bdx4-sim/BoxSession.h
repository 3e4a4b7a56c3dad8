#pragma once

#include "RecordDecoder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>

namespace bdx4sim {

/// How the simulated box behaves.
struct SessionOptions {
    /// Four characters of firmware version, sent in the version reply.
    QByteArray firmware = QByteArrayLiteral("2.17");
    /// Answer nothing at all: no version reply, no "G".
    bool silent = false;
    /// Acknowledge at most this many records of each download; -1: all of them.
    int ackLimit = -1;
    /// Go away (close the line) when this record of a download arrives, before answering it;
    /// -1: never.
    int hangupAfter = -1;
    /// Bytes of noise (digits and a-f, never ";" or "G") sent after every answer.
    int burst = 0;
    /// Sent in place of the version reply when not empty: any text, e.g. a malformed reply.
    QByteArray reply;
    /// Version replies sent for each query.
    int replies = 1;
    /// Answer this many version queries, then go away (close the line) when the next one
    /// arrives, before answering it; -1: never.
    int hangupAtQuery = -1;
    /// Bytes of noise (as `burst`) sent once, before the reply to the first version query.
    qsizetype flood = 0;
};

/// One line the box received in download mode (the download command counts as the first).
struct ReceivedLine {
    QByteArray text; ///< without its line end
    RecordFault fault = RecordFault::None;
    Placement placement = Placement::UnknownType;
    bool acknowledged = false;
};

/// What one download brought.
struct Download {
    /// The download command and everything received after it, exactly as it came.
    QByteArray raw;
    /// Set when `raw` reached its bound and later bytes were not kept.
    bool rawTruncated = false;
    /// The command, then each line received, without line ends (at most kMaxLines kept).
    QList<ReceivedLine> lines;
    BoxConfig config;
    int records = 0;      ///< lines received after the command
    int acknowledged = 0; ///< of them answered with "G"
    int rejected = 0;     ///< of them not well-formed records
};

/// Something the box sends.
struct Answer {
    QByteArray bytes;
    bool acknowledgement = false; ///< a "G" (possibly with noise after it)
    bool flood = false;           ///< the one long run of noise that `flood` asks for
};

/// The box's side of the conversation, without any input or output of its own: bytes from
/// the program go in, the box's answers come out. Outside download mode it listens for the
/// version query and the download command; in download mode it takes CR LF lines, checks
/// each as an Intel HEX record and answers a good one with "G".
class BoxSession {
public:
    static constexpr int kMaxRaw = 64 * 1024;
    static constexpr int kMaxLines = 256;
    static inline const QByteArray kVersionQuery = QByteArrayLiteral(";BD00;BD73;BDV;");
    static inline const QByteArray kDownloadCommand = QByteArrayLiteral(";BD00;BD73;BDE;");

    explicit BoxSession(SessionOptions options = {});

    /// The 14-character version reply for a four-character firmware version.
    static QByteArray versionReply(const QByteArray& firmware);
    /// Whether the text can stand as the firmware version: four printable characters, none
    /// of them a delimiter (";") or an acknowledgement ("G"), which would cut the reply short.
    static bool validFirmware(const QByteArray& firmware);

    /// Takes bytes from the program and returns the box's answers, in order. After the box
    /// has gone away (`hangupDue`), nothing more is taken.
    QList<Answer> receive(QByteArrayView bytes);

    /// The program closed the line: half-received text is forgotten and download mode left.
    void lineReset();

    /// Called each time a download's end record has been stored.
    void setDownloadEnded(std::function<void(const Download&)> handler) {
        downloadEnded_ = std::move(handler);
    }

    bool inDownload() const { return inDownload_; }
    /// The box has gone away at the record `hangupAfter` or the query `hangupAtQuery` names.
    bool hangupDue() const { return hangupDue_; }
    /// The download under way, or the last one.
    const Download& download() const { return download_; }
    int completedDownloads() const { return completed_; }
    int versionQueries() const { return versionQueries_; }
    const SessionOptions& options() const { return options_; }

private:
    void takeCommandByte(char c, QList<Answer>& answers);
    void takeDownloadByte(char c, QList<Answer>& answers);
    void takeLine(const QByteArray& line, QList<Answer>& answers);
    void answerVersion(QList<Answer>& answers);
    void startDownload();
    void appendRaw(char c);
    void addLine(const ReceivedLine& line);
    QByteArray noise(qsizetype count);

    SessionOptions options_;
    std::function<void(const Download&)> downloadEnded_;
    QByteArray tail_;    // the last bytes outside download mode, enough to spot a command
    QByteArray pending_; // the line being received in download mode
    bool skipping_ = false;
    bool inDownload_ = false;
    bool hangupDue_ = false;
    bool flooded_ = false;
    Download download_;
    int completed_ = 0;
    int versionQueries_ = 0;
    unsigned noiseCounter_ = 0;
};

} // namespace bdx4sim
