// What the box sends, taken by the box search on a fake clock; 0x00 ends a piece, the byte after
// it is the pause before the next in 20 ms. What must hold: no crash; no more than 4 KiB kept
// waiting; each report a 14-character reply naming the BDX4, shown one at a time; the search
// ends once, within twelve queries and 4.2 s (plus the replies' time).

#include "FuzzCheck.h"

#include "jobs/BoxSearch.h"
#include "support/Fakes.h"

using namespace bdx4;
using namespace bdx4::test;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FakeClock clock;
    FakeSerialLine line(clock);
    BoxConnection connection(line);
    connection.open();
    BoxSearch search(connection, clock);
    qint64 at = 0;
    for (std::size_t i = 0; i < size;) {
        QByteArray piece;
        while (i < size && data[i] != 0)
            piece.append(char(data[i++]));
        clock.after(at, [&line, piece] { line.receive(piece); });
        if (++i < size)
            at += 20 * qint64(data[i++]);
    }
    int reports = 0, ends = 0;
    bool open = false;
    QObject::connect(&search, &BoxSearch::firmwareReported, [&](const QString& firmware) {
        FUZZ_CHECK(firmware.size() == 4 && !open);
        ++reports;
        open = true;
        clock.after(5, [&] {
            open = false;
            search.acknowledgeFirmware();
        });
    });
    QObject::connect(&search, &BoxSearch::finished, [&](const SearchResult& result) {
        ++ends;
        FUZZ_CHECK((result.outcome == SearchResult::Found) == (reports > 0));
        FUZZ_CHECK(clock.nowMs() <= 4200 + 5 * reports);
    });
    search.start();
    clock.runUntilIdle(at + 5000);
    FUZZ_CHECK(ends == 1 && !search.isRunning());
    FUZZ_CHECK(line.writes.count(BoxSearch::kVersionQuery) <= 12);
    FUZZ_CHECK(connection.lastReceived().size() <= 4096);
    return 0;
}
