// The receive handler (Link::MSComm1_OnComm) fed any byte stream in any chunks, with the
// firmware box feeding further chunks while it is open, so that the handler is entered again
// from inside itself; and the box search (SeekBox) answered by such a stream on a fake clock.
//
// What must hold, after every chunk: the kept text (RxBuffer) is the stream's tail after its
// last ";" or "G", at most 4 KiB of it; RxCopy is the kept text with the chunk just received,
// at most 4 KiB; AckSeen says whether a "G" came since it was last cleared. Every segment ending
// in ";" is parsed once, in order: while the version query is outstanding, each segment of 14
// characters that names the BDX4 shows one firmware box with its characters 10-13, and no
// other text shows a box. The search ends within its twelve queries and 4.2 seconds.

#include "FuzzCheck.h"

#include "link/Link.h"
#include "support/FakeClock.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeProgressWindow.h"
#include "support/FakeSerialLine.h"
#include "support/FakeStatusBox.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

using namespace bdx4;
using namespace bdx4::test;

namespace {

constexpr int kMaxNesting = 8;

struct Chunk {
    QByteArray bytes;
    bool clearAck = false; ///< the download clears AckSeen before this chunk comes
    int boxFeeds = 0;      ///< chunks a box opened by this chunk delivers while open
    qint64 delayMs = 0;    ///< search mode: time after the previous chunk
};

struct Rig {
    FakeClock clock;
    FakeSerialLine line{&clock};
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeStatusBox status;
    FakeProgressWindow progress;
    Link link{line, boxes, marks, clock, status, progress};
};

/// What the stream should have done, worked out from the whole stream at once.
struct Model {
    QByteArray tail; // text after the last delimiter, newest 4 KiB
    QByteArray copy; // RxCopy after the last chunk
    bool ack = false;
    QByteArray segment; // the segment being received, whole
    QStringList firmwareBoxes;
    QString replyCode;
    bool replyCodeKnown = true; // false after a segment too long to be kept whole
    bool queryOutstanding = false;

    void take(const QByteArray& chunk) {
        copy = (tail + chunk).right(kRxLimit);
        for (const char c : chunk) {
            if (c == 'G') {
                ack = true;
                segment.clear();
            } else if (c == ';') {
                segment += c;
                parse(segment);
                segment.clear();
            } else {
                segment += c;
            }
        }
        tail = segment.right(kRxLimit);
    }

    void parse(const QByteArray& whole) {
        const QString s = QString::fromLatin1(whole);
        replyCodeKnown = whole.size() <= kRxLimit;
        replyCode = s.left(3);
        if (!queryOutstanding)
            return;
        if (!s.contains(QLatin1String("BDX4"), Qt::CaseInsensitive)) {
            replyCode.clear();
            return;
        }
        if (s.size() == 14)
            firmwareBoxes << QStringLiteral("BDX4 Firmware = ") + s.mid(9, 4);
    }
};

class Feeder {
public:
    Feeder(Rig& rig, Model& model, std::deque<Chunk> chunks)
        : rig_(rig), model_(model), chunks_(std::move(chunks)) {
        rig_.boxes.onShow = [this](const MessageRequest& box) {
            if (box.title != QLatin1String("BDX4 Connected") || depth_ >= kMaxNesting)
                return;
            ++depth_;
            for (int i = 0; i < feedsOfLast_ && !chunks_.empty(); ++i)
                deliverNext();
            --depth_;
        };
    }

    bool done() const { return chunks_.empty(); }
    const Chunk& next() const { return chunks_.front(); }

    /// Delivers the next chunk and checks the handler's buffers after it.
    void deliverNext() {
        const Chunk chunk = chunks_.front();
        chunks_.pop_front();
        if (chunk.clearAck) {
            rig_.link.state().AckSeen = false;
            model_.ack = false;
        }
        feedsOfLast_ = chunk.boxFeeds;
        model_.take(chunk.bytes);
        rig_.line.deliver(chunk.bytes);
        check();
    }

    void check() const {
        const LinkState& s = rig_.link.state();
        FUZZ_CHECK(s.RxBuffer.size() <= kRxLimit);
        FUZZ_CHECK(s.RxCopy.size() <= kRxLimit);
        FUZZ_CHECK(s.RxBuffer == model_.tail);
        FUZZ_CHECK(s.RxCopy == model_.copy);
        FUZZ_CHECK(s.AckSeen == model_.ack);
    }

private:
    Rig& rig_;
    Model& model_;
    std::deque<Chunk> chunks_;
    int depth_ = 0;
    int feedsOfLast_ = 0;
};

std::deque<Chunk> takeChunks(FuzzedDataProvider& in) {
    std::deque<Chunk> chunks;
    while (in.remaining_bytes() > 0 && chunks.size() < 512) {
        Chunk chunk;
        const std::uint8_t flags = in.ConsumeIntegral<std::uint8_t>();
        chunk.clearAck = flags & 1;
        chunk.boxFeeds = (flags >> 1) & 3;
        // Now and then a chunk far beyond the bound.
        const std::size_t length = (flags & 0x80) ? in.ConsumeIntegralInRange<std::size_t>(0, 9000)
                                                  : in.ConsumeIntegralInRange<std::size_t>(0, 40);
        chunk.delayMs = in.ConsumeIntegralInRange<int>(0, 700);
        const std::string bytes = in.ConsumeBytesAsString(length);
        chunk.bytes = QByteArray(bytes.data(), qsizetype(bytes.size()));
        chunks.push_back(std::move(chunk));
    }
    return chunks;
}

void checkBoxes(const Rig& rig, const Model& model) {
    QStringList firmware;
    for (const MessageRequest& box : rig.boxes.shown) {
        if (box.title == QLatin1String("BDX4 Connected")) {
            FUZZ_CHECK(box.icon == MsgIcon::Information && box.buttons == MsgButtons::Ok);
            firmware << box.text;
        }
    }
    FUZZ_CHECK(firmware == model.firmwareBoxes);
    FUZZ_CHECK(rig.link.state().BoxConnected == !firmware.isEmpty());
    if (!firmware.isEmpty())
        FUZZ_CHECK(QStringLiteral("BDX4 Firmware = ") + rig.link.state().FirmwareRev ==
                   firmware.last());
}

/// The handler alone, with OutString as the query, the lone ";", the download or anything.
void receiveOnly(FuzzedDataProvider& in) {
    Rig rig;
    Model model;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        rig.link.state().OutString = kVersionQuery;
        break;
    case 1:
        rig.link.state().OutString = QStringLiteral(";");
        break;
    case 2:
        rig.link.state().OutString = QStringLiteral(";BD00;BD73;BDE;");
        break;
    default: {
        const std::string text = in.ConsumeRandomLengthString(20);
        rig.link.state().OutString = QString::fromLatin1(text.data(), qsizetype(text.size()));
    }
    }
    model.queryOutstanding = rig.link.state().OutString == kVersionQuery;

    Feeder feeder(rig, model, takeChunks(in));
    while (!feeder.done())
        feeder.deliverNext();

    FUZZ_CHECK(rig.boxes.shown.size() == model.firmwareBoxes.size());
    checkBoxes(rig, model);
    if (model.replyCodeKnown)
        FUZZ_CHECK(rig.link.state().ReplyCode == model.replyCode);
}

/// The box search, with the stream arriving at fuzzed times.
void search(FuzzedDataProvider& in) {
    Rig rig;
    Model model;
    rig.line.setCommPort(1);
    rig.line.setPortOpen(true);
    Feeder feeder(rig, model, takeChunks(in));
    // Replies to the lone ";" are not version replies; the query goes out 600 ms later.
    rig.line.onOutput = [&model](const QByteArray& text) {
        if (text == kVersionQuery.toLatin1())
            model.queryOutstanding = true;
    };
    std::function<void()> arrive = [&] {
        if (feeder.done())
            return;
        feeder.deliverNext();
        if (!feeder.done())
            rig.clock.after(feeder.next().delayMs, arrive);
    };
    if (!feeder.done())
        rig.clock.at(feeder.next().delayMs, arrive);

    rig.link.SeekBox();

    FUZZ_CHECK(!rig.link.seekRunning());
    FUZZ_CHECK(rig.progress.opened == 1 && rig.progress.closed == 1 && !rig.progress.isOpen);
    FUZZ_CHECK(rig.clock.nowMs() <= 600 + 12 * 300);
    FUZZ_CHECK(rig.link.state().SeekCount >= 0 && rig.link.state().SeekCount <= 11);
    const QList<QByteArray> written = rig.line.written();
    FUZZ_CHECK(written.size() >= 2 && written.size() % 2 == 0 && written.size() <= 24);
    for (qsizetype i = 0; i < written.size(); ++i)
        FUZZ_CHECK(written[i] == (i % 2 == 0 ? QByteArray(";") : kVersionQuery.toLatin1()));
    // The box says it found nothing exactly when no firmware box came.
    int errorBoxes = 0;
    for (const MessageRequest& box : rig.boxes.shown)
        errorBoxes += box.title == QLatin1String("Error connecting to a BDX4");
    FUZZ_CHECK(errorBoxes == (rig.link.state().BoxConnected ? 0 : 1));
    if (errorBoxes)
        FUZZ_CHECK(rig.boxes.shown.last().text == seekFailedText());
    checkBoxes(rig, model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool())
        search(in);
    else
        receiveOnly(in);
    return 0;
}
