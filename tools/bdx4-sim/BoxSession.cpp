#include "BoxSession.h"

namespace bdx4sim {

namespace {

// Longest line a record can need (":" and 255 data bytes plus five bytes of frame) and its CR.
constexpr int kMaxPending = 1 + 2 * (255 + 5) + 1;
// How much of an overlong line the log keeps.
constexpr int kLoggedPrefix = 80;

} // namespace

BoxSession::BoxSession(SessionOptions options) : options_(std::move(options)) {}

QByteArray BoxSession::versionReply(const QByteArray& firmware) {
    // "BDV", the product name between colons, the version in characters 10-13, ";": 14 in all.
    return QByteArrayLiteral("BDV:BDX4:") + firmware + ';';
}

bool BoxSession::validFirmware(const QByteArray& firmware) {
    if (firmware.size() != 4)
        return false;
    for (char c : firmware) {
        if (c < 0x20 || c > 0x7E || c == ';' || c == 'G')
            return false;
    }
    return true;
}

QList<Answer> BoxSession::receive(QByteArrayView bytes) {
    QList<Answer> answers;
    for (char c : bytes) {
        if (hangupDue_)
            break;
        if (inDownload_)
            takeDownloadByte(c, answers);
        else
            takeCommandByte(c, answers);
    }
    return answers;
}

void BoxSession::lineReset() {
    tail_.clear();
    pending_.clear();
    skipping_ = false;
    inDownload_ = false;
}

void BoxSession::takeCommandByte(char c, QList<Answer>& answers) {
    tail_.append(c);
    if (tail_.size() > kVersionQuery.size())
        tail_.remove(0, tail_.size() - kVersionQuery.size());
    if (c != ';')
        return;
    if (tail_ == kVersionQuery) {
        tail_.clear();
        answerVersion(answers);
    } else if (tail_ == kDownloadCommand) {
        tail_.clear();
        startDownload();
    }
}

void BoxSession::takeDownloadByte(char c, QList<Answer>& answers) {
    appendRaw(c);
    if (c == '\n') {
        if (skipping_) {
            skipping_ = false;
            return;
        }
        QByteArray line = pending_;
        pending_.clear();
        if (line.endsWith('\r'))
            line.chop(1);
        takeLine(line, answers);
        return;
    }
    if (skipping_)
        return;
    pending_.append(c);
    if (c == ';') {
        // No record holds a ";": a program that gave up on a download and came back with a
        // query or a new download is served as such.
        if (pending_.endsWith(kVersionQuery)) {
            lineReset();
            answerVersion(answers);
            return;
        }
        if (pending_.endsWith(kDownloadCommand)) {
            startDownload();
            return;
        }
    }
    if (pending_.size() > kMaxPending) {
        ReceivedLine line;
        line.text = pending_.left(kLoggedPrefix);
        line.fault = RecordFault::TooLong;
        ++download_.records;
        ++download_.rejected;
        addLine(line);
        pending_.clear();
        skipping_ = true;
    }
}

void BoxSession::takeLine(const QByteArray& text, QList<Answer>& answers) {
    ReceivedLine line;
    line.text = text;
    ++download_.records;
    if (options_.hangupAfter >= 0 && download_.records > options_.hangupAfter) {
        hangupDue_ = true;
        addLine(line);
        return;
    }
    const IntelHexRecord record = decodeRecord(text);
    line.fault = record.fault;
    if (record.ok())
        line.placement = storeRecord(download_.config, record);
    else
        ++download_.rejected;
    const bool ack = record.ok() && !options_.silent &&
                     (options_.ackLimit < 0 || download_.acknowledged < options_.ackLimit);
    if (ack) {
        ++download_.acknowledged;
        line.acknowledged = true;
        answers.append({QByteArrayLiteral("G") + noise(options_.burst), true});
    }
    addLine(line);
    if (record.ok() && record.type == 1) {
        inDownload_ = false;
        ++completed_;
        if (downloadEnded_)
            downloadEnded_(download_);
    }
}

void BoxSession::answerVersion(QList<Answer>& answers) {
    if (options_.hangupAtQuery >= 0 && versionQueries_ >= options_.hangupAtQuery) {
        hangupDue_ = true;
        return;
    }
    ++versionQueries_;
    if (options_.silent)
        return;
    if (options_.flood > 0 && !flooded_) {
        flooded_ = true;
        answers.append({noise(options_.flood), false, true});
    }
    const QByteArray reply =
        options_.reply.isEmpty() ? versionReply(options_.firmware) : options_.reply;
    for (int i = 0; i < options_.replies; ++i)
        answers.append({reply + noise(options_.burst), false});
}

void BoxSession::startDownload() {
    download_ = Download{};
    inDownload_ = true;
    pending_.clear();
    skipping_ = false;
    for (char c : kDownloadCommand)
        appendRaw(c);
    ReceivedLine command;
    command.text = kDownloadCommand;
    addLine(command);
}

void BoxSession::appendRaw(char c) {
    if (download_.raw.size() < kMaxRaw)
        download_.raw.append(c);
    else
        download_.rawTruncated = true;
}

void BoxSession::addLine(const ReceivedLine& line) {
    if (download_.lines.size() < kMaxLines)
        download_.lines.append(line);
}

QByteArray BoxSession::noise(qsizetype count) {
    static constexpr char kAlphabet[] = "0123456789abcdef";
    QByteArray bytes(count, '\0');
    for (char& c : bytes)
        c = kAlphabet[noiseCounter_++ % 16];
    return bytes;
}

} // namespace bdx4sim
