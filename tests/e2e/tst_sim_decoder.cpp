// The simulated box's record decoder and its side of the conversation, without a terminal.

#include "BoxSession.h"
#include "ConfigReport.h"
#include "RecordDecoder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace bdx4sim;

Q_DECLARE_METATYPE(bdx4sim::RecordFault)

namespace {

// Records as the program sends them for an empty grid in the default-table mode with every
// voltage band at level 0.
const QByteArray kHfEmpty =
    ":200040000000000000000000000000000000000000000000000000000000000000000000A0";
const QByteArray kVhfEmpty = ":100060000000000000000000000000000000000090";
const QByteArray kAccDefault = ":100070000020406080A0C0E000204080FFFFFFFF24";
const QByteArray kAn1Empty = ":2000A000" + QByteArray(64, 'F') + "60";
const QByteArray kAn2Empty = ":2000C000" + QByteArray(64, 'F') + "40";
const QByteArray kAn3Empty = ":2000E000" + QByteArray(64, 'F') + "20";
const QByteArray kEnd = ":00000001FF";

// A data record with the checksum worked out, for tables too long to write by hand.
QByteArray record(int address, const QByteArray& data, int type = 0) {
    QByteArray bytes;
    bytes.append(char(data.size()));
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(type));
    bytes.append(data);
    int sum = 0;
    for (char c : bytes)
        sum += std::uint8_t(c);
    bytes.append(char((256 - sum % 256) % 256));
    return ':' + bytes.toHex().toUpper();
}

QByteArray crlf(const QByteArray& line) {
    return line + "\r\n";
}

QByteArray acksOf(const QList<Answer>& answers) {
    QByteArray out;
    for (const Answer& a : answers)
        out += a.bytes;
    return out;
}

} // namespace

class TestSimDecoder : public QObject {
    Q_OBJECT
private slots:
    void decodesWorkedRecords();
    void rejectsMalformedLines_data();
    void rejectsMalformedLines();
    void hfSlotsFillRowsWith60mAfter10m();
    void vhfAccAndAnBlocksLandInPlace();
    void recordsThatFitNoBlockAreNotStored();
    void versionReplyCarriesFirmwareInCharacters10To13();
    void firmwareThatWouldCutTheReplyIsRefused();
    void queryIsAnsweredOnlyWhenComplete();
    void silentBoxAnswersNothing();
    void downloadIsAcknowledgedRecordByRecord();
    void badRecordsGetNoAcknowledgement();
    void ackLimitCountsPerDownload();
    void hangupComesBeforeTheNextRecordIsAnswered();
    void burstNoiseHoldsNoDelimiter();
    void programComingBackMidDownloadIsServed();
    void oddRepliesAreSentAsAsked();
    void hangupAtQueryGoesBeforeAnswering();
    void floodComesOnceBeforeTheFirstReply();
    void overlongLineIsBoundedAndTheNextRecordStillCounts();
    void reportCarriesDecodedConfiguration();
    void reportFileIsWrittenWholeOrNotAtAll();
};

void TestSimDecoder::decodesWorkedRecords() {
    // Only 160M drives output "160" and only 20M drives output "20".
    const IntelHexRecord hf =
        decodeRecord(":2000400000000100000000000000000200000000000000000000000000000000000000009D");
    QVERIFY(hf.ok());
    QCOMPARE(hf.count, 32);
    QCOMPARE(hf.address, 0x40);
    QCOMPARE(hf.type, 0);
    QCOMPARE(hf.checksum, 0x9D);
    QCOMPARE(hf.data.size(), 32);
    QCOMPARE(std::uint8_t(hf.data[2]), 0x01);
    QCOMPARE(std::uint8_t(hf.data[11]), 0x02);

    // Bytes summing to a multiple of 256 give the checksum 00.
    const IntelHexRecord vhf = decodeRecord(":100060000000900000000000000000000000000000");
    QVERIFY(vhf.ok());
    QCOMPARE(vhf.checksum, 0);

    const IntelHexRecord end = decodeRecord(kEnd);
    QVERIFY(end.ok());
    QCOMPARE(end.type, 1);
    QCOMPARE(end.count, 0);

    QVERIFY(decodeRecord(kAn3Empty).ok());
    QVERIFY(decodeRecord(QByteArray(kAccDefault).toLower()).ok());
}

void TestSimDecoder::rejectsMalformedLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<RecordFault>("fault");
    QTest::newRow("empty") << QByteArray() << RecordFault::NoStartCode;
    QTest::newRow("no colon") << QByteArray("00000001FF") << RecordFault::NoStartCode;
    QTest::newRow("quoted as in an export")
        << QByteArray("\":00000001FF\"") << RecordFault::NoStartCode;
    QTest::newRow("lower-case g") << QByteArray(":0000000g1FF") << RecordFault::BadDigit;
    QTest::newRow("CR inside") << QByteArray(":00000001FF\r") << RecordFault::BadDigit;
    QTest::newRow("odd digits") << QByteArray(":00000001F") << RecordFault::OddLength;
    QTest::newRow("four bytes") << QByteArray(":00000001") << RecordFault::TooShort;
    QTest::newRow("count too high") << QByteArray(":01000001FE") << RecordFault::CountMismatch;
    QTest::newRow("one data byte short")
        << kHfEmpty.left(kHfEmpty.size() - 4) + "A0" << RecordFault::CountMismatch;
    QTest::newRow("checksum off by one") << QByteArray(":00000001FE") << RecordFault::BadChecksum;
    QByteArray flipped = kAccDefault;
    flipped[12] = '1'; // one data digit changed, checksum left as it was
    QTest::newRow("data changed") << flipped << RecordFault::BadChecksum;
    QTest::newRow("beyond any record") << ":" + QByteArray(600, '0') << RecordFault::TooLong;
}

void TestSimDecoder::rejectsMalformedLines() {
    QFETCH(QByteArray, line);
    QFETCH(RecordFault, fault);
    QCOMPARE(decodeRecord(line).fault, fault);
    BoxConfig config;
    QCOMPARE(storeRecord(config, decodeRecord(line)), Placement::UnknownType);
    QCOMPARE(config.received, (std::array<bool, kDataBlocks>{}));
}

void TestSimDecoder::hfSlotsFillRowsWith60mAfter10m() {
    // Slot s carries (s, 0x80 + s); the spare slots 0 and 15 carry bytes that must go nowhere.
    QByteArray data;
    for (int slot = 0; slot < 16; ++slot) {
        data.append(char(slot == 15 ? 0xEE : slot));
        data.append(char(0x80 + slot));
    }
    BoxConfig config;
    QCOMPARE(storeRecord(config, decodeRecord(record(0x40, data))), Placement::Stored);
    // Row -> slot: 160M 1, 80M 2, 60M 10, 40M 3 ... 10M 9, 6M 11, XV1-XV3 12-14.
    const int slotOfRow[14] = {1, 2, 10, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14};
    for (int row = 0; row < 14; ++row) {
        QCOMPARE(int(config.bandRows[row][0]), slotOfRow[row]);
        QCOMPARE(int(config.bandRows[row][1]), 0x80 + slotOfRow[row]);
    }
    for (int row = 14; row < kBandRows; ++row)
        QCOMPARE(config.bandRows[row], (std::array<std::uint8_t, 2>{0, 0}));
    QVERIFY(config.received[0]);
    QVERIFY(!config.received[1]);
}

void TestSimDecoder::vhfAccAndAnBlocksLandInPlace() {
    BoxConfig config;
    QByteArray vhf(16, '\0');
    for (int slot = 1; slot < 8; ++slot) {
        vhf[2 * slot] = char(0x10 * slot);
        vhf[2 * slot + 1] = char(slot);
    }
    QCOMPARE(storeRecord(config, decodeRecord(record(0x60, vhf))), Placement::Stored);
    QCOMPARE(int(config.bandRows[14][0]), 0x10); // XVTR1 from slot 1
    QCOMPARE(int(config.bandRows[20][0]), 0x70); // XVTR7 from slot 7
    QCOMPARE(int(config.bandRows[20][1]), 7);

    QCOMPARE(storeRecord(config, decodeRecord(kAccDefault)), Placement::Stored);
    const std::array<std::uint8_t, 16> acc = {0x00, 0x20, 0x40, 0x60, 0x80, 0xA0, 0xC0, 0xE0,
                                              0x00, 0x20, 0x40, 0x80, 0xFF, 0xFF, 0xFF, 0xFF};
    QCOMPARE(config.accessory, acc);

    // The AN1 default table: (31,4) (51,12) (64,9) (90,7) (115,5) (141,3) (166,2) (254,1),
    // five empty pairs, then padding.
    const QByteArray an1 = ":2000A0001F04330C40095A0773058D03A602FE01" + QByteArray(32, 'F') + "95";
    QCOMPARE(storeRecord(config, decodeRecord(an1)), Placement::Stored);
    QCOMPARE(config.an[0][0], (std::array<std::uint8_t, 2>{31, 4}));
    QCOMPARE(config.an[0][7], (std::array<std::uint8_t, 2>{254, 1}));
    QCOMPARE(config.an[0][12], (std::array<std::uint8_t, 2>{255, 255}));
    QCOMPARE(storeRecord(config, decodeRecord(kAn2Empty)), Placement::Stored);
    QCOMPARE(storeRecord(config, decodeRecord(kAn3Empty)), Placement::Stored);
    QCOMPARE(config.an[2][0], (std::array<std::uint8_t, 2>{255, 255}));

    QVERIFY(!config.complete());
    QCOMPARE(storeRecord(config, decodeRecord(kHfEmpty)), Placement::Stored);
    QVERIFY(!config.complete()); // no end record yet
    QCOMPARE(storeRecord(config, decodeRecord(kEnd)), Placement::EndOfFile);
    QVERIFY(config.complete());
}

void TestSimDecoder::recordsThatFitNoBlockAreNotStored() {
    BoxConfig config;
    QCOMPARE(storeRecord(config, decodeRecord(record(0x50, QByteArray(16, '\1')))),
             Placement::UnknownAddress);
    // A 16-byte record at the HF address would leave half the rows unset.
    QCOMPARE(storeRecord(config, decodeRecord(record(0x40, QByteArray(16, '\1')))),
             Placement::WrongCount);
    QCOMPARE(storeRecord(config, decodeRecord(record(0x40, QByteArray(32, '\1'), 2))),
             Placement::UnknownType);
    QCOMPARE(config.bandRows[0], (std::array<std::uint8_t, 2>{0, 0}));
    QCOMPARE(config.received, (std::array<bool, kDataBlocks>{}));
    QVERIFY(!config.ended);
}

void TestSimDecoder::versionReplyCarriesFirmwareInCharacters10To13() {
    const QByteArray reply = BoxSession::versionReply("3.05");
    QCOMPARE(reply.size(), 14);
    QVERIFY(reply.startsWith("BDV"));
    QVERIFY(reply.toUpper().contains("BDX4"));
    QCOMPARE(reply.mid(9, 4), QByteArray("3.05"));
    QVERIFY(reply.endsWith(';'));
    QCOMPARE(reply.count(';'), 1); // one segment on the program's side
    QVERIFY(!reply.contains('G'));
}

void TestSimDecoder::firmwareThatWouldCutTheReplyIsRefused() {
    QVERIFY(BoxSession::validFirmware("2.17"));
    QVERIFY(BoxSession::validFirmware("v 1g"));
    QVERIFY(!BoxSession::validFirmware("2.1"));
    QVERIFY(!BoxSession::validFirmware("2.170"));
    QVERIFY(!BoxSession::validFirmware("2;17"));
    QVERIFY(!BoxSession::validFirmware("G217"));
    QVERIFY(!BoxSession::validFirmware(QByteArray("2\n17")));
}

void TestSimDecoder::queryIsAnsweredOnlyWhenComplete() {
    SessionOptions options;
    options.firmware = "4.20";
    BoxSession box(options);
    QVERIFY(box.receive(";").isEmpty()); // the lone separator before each query
    QVERIFY(box.receive(";BD00;BD7").isEmpty());
    QList<Answer> answers = box.receive("3;BDV;");
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers[0].bytes, QByteArray("BDV:BDX4:4.20;"));
    QVERIFY(!answers[0].acknowledgement);
    // A retry sends ";" and the query back to back.
    QCOMPARE(acksOf(box.receive(";;BD00;BD73;BDV;")), QByteArray("BDV:BDX4:4.20;"));
    QVERIFY(box.receive(";bd00;bd73;bdv;").isEmpty());
    QCOMPARE(box.versionQueries(), 2);
    QVERIFY(!box.inDownload());
}

void TestSimDecoder::silentBoxAnswersNothing() {
    SessionOptions options;
    options.silent = true;
    BoxSession box(options);
    QVERIFY(box.receive(";BD00;BD73;BDV;").isEmpty());
    QCOMPARE(box.versionQueries(), 1);
    QVERIFY(box.receive(";BD00;BD73;BDE;" + crlf(kHfEmpty) + crlf(kEnd)).isEmpty());
    QCOMPARE(box.download().records, 2);
    QCOMPARE(box.download().acknowledged, 0);
    QCOMPARE(box.completedDownloads(), 1); // the line itself still arrived
}

void TestSimDecoder::downloadIsAcknowledgedRecordByRecord() {
    BoxSession box;
    int ended = 0;
    box.setDownloadEnded([&](const Download& d) {
        ++ended;
        QVERIFY(d.config.complete());
    });
    QVERIFY(box.receive(";BD00;BD73;BDE;").isEmpty()); // no answer to the command itself
    QVERIFY(box.inDownload());
    QByteArray wire = ";BD00;BD73;BDE;";
    const QList<QByteArray> records = {kHfEmpty,  kVhfEmpty, kAccDefault, kAn1Empty,
                                       kAn2Empty, kAn3Empty, kEnd};
    for (const QByteArray& r : records) {
        // Split each line so that the CR and the LF arrive apart.
        const QByteArray line = crlf(r);
        QVERIFY(box.receive(line.left(line.size() - 1)).isEmpty());
        const QList<Answer> answers = box.receive(line.right(1));
        QCOMPARE(answers.size(), 1);
        QCOMPARE(answers[0].bytes, QByteArray("G"));
        QVERIFY(answers[0].acknowledgement);
        wire += line;
    }
    QCOMPARE(ended, 1);
    QVERIFY(!box.inDownload());
    const Download& d = box.download();
    QCOMPARE(d.raw, wire);
    QCOMPARE(d.lines.size(), 8);
    QCOMPARE(d.lines[0].text, QByteArray(";BD00;BD73;BDE;"));
    QCOMPARE(d.lines[7].text, kEnd);
    QCOMPARE(d.lines[7].placement, Placement::EndOfFile);
    QCOMPARE(d.acknowledged, 7);
    QCOMPARE(d.rejected, 0);
    // Back in command mode: the query is answered again.
    QCOMPARE(box.receive(";BD00;BD73;BDV;").size(), 1);
}

void TestSimDecoder::badRecordsGetNoAcknowledgement() {
    BoxSession box;
    box.receive(";BD00;BD73;BDE;");
    QByteArray bad = kVhfEmpty;
    bad.chop(2);
    bad += "91";
    QVERIFY(box.receive(crlf(bad)).isEmpty());
    QVERIFY(box.receive(crlf("hello")).isEmpty());
    QCOMPARE(box.receive(crlf(kVhfEmpty)).size(), 1);
    QCOMPARE(box.download().rejected, 2);
    QCOMPARE(box.download().lines[1].fault, RecordFault::BadChecksum);
    QCOMPARE(box.download().lines[2].fault, RecordFault::NoStartCode);
    QVERIFY(box.download().config.received[1]);
}

void TestSimDecoder::ackLimitCountsPerDownload() {
    SessionOptions options;
    options.ackLimit = 3;
    BoxSession box(options);
    for (int round = 0; round < 2; ++round) {
        box.receive(";BD00;BD73;BDE;");
        QByteArray acks;
        for (const QByteArray& r : {kHfEmpty, kVhfEmpty, kAccDefault, kAn1Empty, kEnd})
            acks += acksOf(box.receive(crlf(r)));
        QCOMPARE(acks, QByteArray("GGG"));
        QVERIFY(box.download().lines[4].fault == RecordFault::None);
        QVERIFY(!box.download().lines[4].acknowledged);
        QVERIFY(box.download().config.received[3]); // stored all the same
    }
    QCOMPARE(box.completedDownloads(), 2);
}

void TestSimDecoder::hangupComesBeforeTheNextRecordIsAnswered() {
    SessionOptions options;
    options.hangupAfter = 3;
    BoxSession box(options);
    box.receive(";BD00;BD73;BDE;");
    const QByteArray rest =
        crlf(kHfEmpty) + crlf(kVhfEmpty) + crlf(kAccDefault) + crlf(kAn1Empty) + crlf(kAn2Empty);
    QCOMPARE(acksOf(box.receive(rest)), QByteArray("GGG"));
    QVERIFY(box.hangupDue());
    QCOMPARE(box.download().records, 4); // the AN2 line behind it was not taken
    QVERIFY(!box.download().config.received[3]);
    QVERIFY(box.receive(";BD00;BD73;BDV;").isEmpty());
}

void TestSimDecoder::burstNoiseHoldsNoDelimiter() {
    SessionOptions options;
    options.burst = 40;
    BoxSession box(options);
    const QList<Answer> version = box.receive(";BD00;BD73;BDV;");
    QCOMPARE(version.size(), 1);
    QVERIFY(version[0].bytes.startsWith("BDV:BDX4:2.17;"));
    QCOMPARE(version[0].bytes.size(), 14 + 40);
    box.receive(";BD00;BD73;BDE;");
    const QList<Answer> ack = box.receive(crlf(kHfEmpty));
    QCOMPARE(ack.size(), 1);
    QCOMPARE(ack[0].bytes.size(), 41);
    QCOMPARE(ack[0].bytes.front(), 'G');
    for (const QByteArray& noise : {version[0].bytes.mid(14), ack[0].bytes.mid(1)}) {
        QVERIFY(!noise.contains(';'));
        QVERIFY(!noise.contains('G'));
        QVERIFY(!noise.contains('\0'));
    }
}

void TestSimDecoder::programComingBackMidDownloadIsServed() {
    BoxSession box;
    box.receive(";BD00;BD73;BDE;" + crlf(kHfEmpty) + kVhfEmpty.left(10));
    // The program was closed mid-download and searches for the box again.
    QCOMPARE(acksOf(box.receive(";;BD00;BD73;BDV;")), QByteArray("BDV:BDX4:2.17;"));
    QVERIFY(!box.inDownload());
    // A new download mid-way restarts from its command.
    box.receive(";BD00;BD73;BDE;" + crlf(kHfEmpty) + ";BD00;BD73;BDE;");
    QVERIFY(box.inDownload());
    QCOMPARE(box.download().records, 0);
    QCOMPARE(box.download().raw, QByteArray(";BD00;BD73;BDE;"));
    // A half line is dropped when the line is reset.
    box.receive(kVhfEmpty.left(20));
    box.lineReset();
    QVERIFY(!box.inDownload());
    QCOMPARE(box.receive(";BD00;BD73;BDV;").size(), 1);
}

void TestSimDecoder::oddRepliesAreSentAsAsked() {
    SessionOptions options;
    options.reply = "XYZ:BDX4:2.17;";
    options.replies = 2;
    options.burst = 3;
    BoxSession box(options);
    const QList<Answer> answers = box.receive(";BD00;BD73;BDV;");
    QCOMPARE(answers.size(), 2);
    QCOMPARE(answers[0].bytes, QByteArray("XYZ:BDX4:2.17;012"));
    QCOMPARE(answers[1].bytes, QByteArray("XYZ:BDX4:2.17;345"));
    QVERIFY(!answers[0].acknowledgement && !answers[0].flood);
    QCOMPARE(box.versionQueries(), 1);
    // Downloads are served as before.
    box.receive(";BD00;BD73;BDE;");
    QCOMPARE(box.receive(crlf(kHfEmpty)).size(), 1);
}

void TestSimDecoder::hangupAtQueryGoesBeforeAnswering() {
    SessionOptions options;
    options.hangupAtQuery = 1;
    BoxSession box(options);
    QCOMPARE(box.receive(";BD00;BD73;BDV;").size(), 1);
    QVERIFY(!box.hangupDue());
    // The second query, even mid-download, is not answered and nothing after it is taken.
    box.receive(";BD00;BD73;BDE;");
    QVERIFY(box.receive(crlf(kHfEmpty).left(20) + ";BD00;BD73;BDV;" + crlf(kHfEmpty)).isEmpty());
    QVERIFY(box.hangupDue());
    QCOMPARE(box.versionQueries(), 1);

    options.hangupAtQuery = 0;
    BoxSession first(options);
    QVERIFY(first.receive(";").isEmpty()); // the lone separator is no query
    QVERIFY(!first.hangupDue());
    QVERIFY(first.receive(";BD00;BD73;BDV;").isEmpty());
    QVERIFY(first.hangupDue());
}

void TestSimDecoder::floodComesOnceBeforeTheFirstReply() {
    SessionOptions options;
    options.flood = 100000;
    BoxSession box(options);
    QList<Answer> answers = box.receive(";BD00;BD73;BDV;");
    QCOMPARE(answers.size(), 2);
    QVERIFY(answers[0].flood);
    QCOMPARE(answers[0].bytes.size(), 100000);
    QVERIFY(!answers[0].bytes.contains(';'));
    QVERIFY(!answers[0].bytes.contains('G'));
    QCOMPARE(answers[1].bytes, QByteArray("BDV:BDX4:2.17;"));
    answers = box.receive(";BD00;BD73;BDV;");
    QCOMPARE(answers.size(), 1);
    QCOMPARE(answers[0].bytes, QByteArray("BDV:BDX4:2.17;"));
}

void TestSimDecoder::overlongLineIsBoundedAndTheNextRecordStillCounts() {
    BoxSession box;
    box.receive(";BD00;BD73;BDE;");
    const QByteArray junk(200000, 'A');
    QVERIFY(box.receive(junk).isEmpty());
    QCOMPARE(box.receive(crlf(kHfEmpty)).size(), 0); // ends the junk line, not a record
    QCOMPARE(box.receive(crlf(kHfEmpty)).size(), 1);
    const Download& d = box.download();
    QCOMPARE(d.lines[1].fault, RecordFault::TooLong);
    QVERIFY(d.lines[1].text.size() <= 80);
    QVERIFY(d.raw.size() <= BoxSession::kMaxRaw);
    QVERIFY(d.rawTruncated);
    QCOMPARE(d.rejected, 1);
    QVERIFY(d.config.received[0]);
}

void TestSimDecoder::reportCarriesDecodedConfiguration() {
    BoxSession box;
    QByteArray hf(32, '\0');
    hf[20] = char(0x5A); // slot 10 byte 0: the 60M row
    box.receive(";BD00;BD73;BDE;" + crlf(record(0x40, hf)) +
                crlf(":2000A00033058001" + QByteArray(56, 'F') + "A3") + crlf(kEnd));
    const QJsonObject json =
        QJsonDocument::fromJson(downloadJson(box.download(), "2.17", box.completedDownloads()))
            .object();
    QCOMPARE(json[QStringLiteral("firmware")].toString(), QStringLiteral("2.17"));
    QCOMPARE(json[QStringLiteral("complete")].toBool(), false);
    QCOMPARE(json[QStringLiteral("acknowledged")].toInt(), 3);
    const QJsonObject row60 = json[QStringLiteral("bandRows")].toArray()[2].toObject();
    QCOMPARE(row60[QStringLiteral("band")].toString(), QStringLiteral("60M"));
    QCOMPARE(row60[QStringLiteral("bytes")].toArray()[0].toInt(), 0x5A);
    const QJsonArray an1 = json[QStringLiteral("an")].toObject()[QStringLiteral("AN1")].toArray();
    QCOMPARE(an1.size(), 13);
    QCOMPARE(an1[1].toArray()[0].toInt(), 0x80);
    QCOMPARE(an1[1].toArray()[1].toInt(), 1);
    QVERIFY(json[QStringLiteral("received")].toObject()[QStringLiteral("AN1")].toBool());
    QVERIFY(!json[QStringLiteral("received")].toObject()[QStringLiteral("VHF")].toBool());
    QCOMPARE(json[QStringLiteral("lines")].toArray().size(), 4);
    QCOMPARE(json[QStringLiteral("raw")].toString().toLatin1(), box.download().raw);
    QVERIFY(json[QStringLiteral("raw")].toString().endsWith(QStringLiteral(":00000001FF\r\n")));

    const QString text = downloadText(box.download(), 1);
    QVERIFY(text.contains(QStringLiteral("incomplete")));
    QVERIFY(text.contains(QStringLiteral("VHF block missing")));
    QVERIFY(text.contains(QStringLiteral("60M    5A 00")));
}

void TestSimDecoder::reportFileIsWrittenWholeOrNotAtAll() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("box.json"));
    QCOMPARE(writeFileAtomically(path, "{\"a\":1}\n"), QString());
    QCOMPARE(writeFileAtomically(path, "{\"a\":2}\n"), QString());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("{\"a\":2}\n"));
    QVERIFY(!writeFileAtomically(dir.filePath(QStringLiteral("no/such/box.json")), "x").isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("box.json")});
}

QTEST_GUILESS_MAIN(TestSimDecoder)
#include "tst_sim_decoder.moc"
