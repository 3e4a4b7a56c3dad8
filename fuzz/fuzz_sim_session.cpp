// bdx4-sim's record decoder and its side of the conversation (BoxSession) fed any bytes, in
// any chunks, under any of the box's options.
//
// What must hold: a line the decoder takes as a record is exactly the Intel HEX encoding of
// what it decoded (count, address, type, data and a checksum that makes the bytes sum to zero),
// and a record encoded from any fields decodes back to them; the box's memory stays bounded
// (raw bytes and lines); it never acknowledges more records than it received, nor answers
// after it has gone away or when it is silent; every answer is a "G", a version reply or the
// flood, each with only noise after it that holds no ";" or "G".

#include "FuzzCheck.h"

#include "BoxSession.h"
#include "RecordDecoder.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

using namespace bdx4sim;

namespace {

QByteArray encode(int count, int address, int type, const QByteArray& data, bool fixChecksum,
                  int checksum) {
    QByteArray bytes;
    bytes.append(char(count));
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(type));
    bytes.append(data);
    int sum = 0;
    for (const char c : bytes)
        sum += std::uint8_t(c);
    bytes.append(char(fixChecksum ? (256 - sum % 256) % 256 : checksum));
    return ':' + bytes.toHex().toUpper();
}

void checkDecoder(const QByteArray& line) {
    const HexRecord r = decodeRecord(line);
    if (!r.ok())
        return;
    FUZZ_CHECK(r.count == r.data.size());
    FUZZ_CHECK(line.size() == 11 + 2 * r.count);
    FUZZ_CHECK(encode(r.count, r.address, r.type, r.data, false, r.checksum) == line.toUpper());
    FUZZ_CHECK(encode(r.count, r.address, r.type, r.data, true, 0) == line.toUpper());
    BoxConfig config;
    const Placement placed = storeRecord(config, r);
    if (placed == Placement::Stored) {
        const int block = blockAtAddress(r.address);
        FUZZ_CHECK(block >= 0 && config.received[block]);
    }
    FUZZ_CHECK((placed == Placement::EndOfFile) == (r.type == 1));
}

void checkEncodedRecord(FuzzedDataProvider& in) {
    const int count = in.ConsumeIntegralInRange<int>(0, 255);
    const int address = in.ConsumeIntegralInRange<int>(0, 0xFFFF);
    const int type = in.ConsumeIntegralInRange<int>(0, 255);
    const std::string bytes = in.ConsumeBytesAsString(std::size_t(count));
    QByteArray data(bytes.data(), qsizetype(bytes.size()));
    data.resize(count, '\0');
    const HexRecord r = decodeRecord(encode(count, address, type, data, true, 0));
    FUZZ_CHECK(r.ok() && r.count == count && r.address == address && r.type == type &&
               r.data == data);
    QByteArray lower = encode(count, address, type, data, true, 0).toLower();
    FUZZ_CHECK(decodeRecord(lower).ok());
}

bool onlyNoise(const QByteArray& bytes) {
    for (const char c : bytes)
        if (c == ';' || c == 'G' || c == '\0')
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);

    SessionOptions options;
    options.silent = in.ConsumeIntegralInRange<int>(0, 7) == 0;
    options.ackLimit = in.ConsumeIntegralInRange<int>(-1, 7);
    options.hangupAfter = in.ConsumeIntegralInRange<int>(-1, 9) - (in.ConsumeBool() ? 0 : 20);
    options.hangupAtQuery = in.ConsumeIntegralInRange<int>(-1, 3) - (in.ConsumeBool() ? 0 : 20);
    if (options.hangupAfter < -1)
        options.hangupAfter = -1;
    if (options.hangupAtQuery < -1)
        options.hangupAtQuery = -1;
    options.burst = in.ConsumeIntegralInRange<int>(0, 6);
    options.replies = in.ConsumeIntegralInRange<int>(1, 3);
    options.flood =
        in.ConsumeIntegralInRange<int>(0, 3) == 0 ? in.ConsumeIntegralInRange<int>(1, 300) : 0;
    if (in.ConsumeIntegralInRange<int>(0, 3) == 0) {
        const std::string reply = in.ConsumeRandomLengthString(20);
        options.reply = QByteArray(reply.data(), qsizetype(reply.size()));
    }
    checkEncodedRecord(in);

    BoxSession box(options);
    int ended = 0;
    box.setDownloadEnded([&ended](const Download& d) {
        ++ended;
        FUZZ_CHECK(d.config.ended);
    });
    const QByteArray reply =
        options.reply.isEmpty() ? BoxSession::versionReply(options.firmware) : options.reply;

    QByteArray stream;
    while (in.remaining_bytes() > 0) {
        const std::uint8_t how = in.ConsumeIntegral<std::uint8_t>();
        if (how == 0xFF) {
            box.lineReset();
            continue;
        }
        const std::string chunk = in.ConsumeRandomLengthString(600);
        const QByteArray bytes(chunk.data(), qsizetype(chunk.size()));
        stream += bytes;

        const bool goneBefore = box.hangupDue();
        const int recordsBefore = box.download().records;
        const int acknowledgedBefore = box.download().acknowledged;
        const int downloadsBefore = box.completedDownloads();
        const QList<Answer> answers = box.receive(bytes);

        const Download& d = box.download();
        FUZZ_CHECK(d.raw.size() <= BoxSession::kMaxRaw);
        FUZZ_CHECK(d.lines.size() <= BoxSession::kMaxLines);
        FUZZ_CHECK(d.acknowledged <= d.records && d.rejected <= d.records);
        if (options.ackLimit >= 0)
            FUZZ_CHECK(d.acknowledged <= options.ackLimit);
        if (goneBefore || options.silent)
            FUZZ_CHECK(answers.isEmpty());
        int acks = 0;
        for (const Answer& a : answers) {
            if (a.flood) {
                FUZZ_CHECK(a.bytes.size() == options.flood && onlyNoise(a.bytes));
            } else if (a.acknowledgement) {
                ++acks;
                FUZZ_CHECK(a.bytes.size() == 1 + options.burst && a.bytes.front() == 'G' &&
                           onlyNoise(a.bytes.mid(1)));
            } else {
                FUZZ_CHECK(a.bytes.size() == reply.size() + options.burst &&
                           a.bytes.startsWith(reply) && onlyNoise(a.bytes.mid(reply.size())));
            }
        }
        // Within one download every "G" stands for a record acknowledged.
        if (box.completedDownloads() == downloadsBefore && d.records >= recordsBefore &&
            d.acknowledged >= acknowledgedBefore)
            FUZZ_CHECK(acks >= d.acknowledged - acknowledgedBefore);
        FUZZ_CHECK(box.versionQueries() <= stream.count(BoxSession::kVersionQuery));
        FUZZ_CHECK(box.completedDownloads() == ended);
    }

    for (const QByteArray& line : stream.split('\n')) {
        checkDecoder(line);
        if (line.endsWith('\r'))
            checkDecoder(line.chopped(1));
    }
    return 0;
}
