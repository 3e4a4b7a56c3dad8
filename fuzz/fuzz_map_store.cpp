// The map store reader fed any bytes. What must hold: it never crashes and no item grows past
// its bound; "Empty" is taken only as the first item; cells are filled in store order and a
// cell not reached keeps what it held; and a store read whole writes back as it reads.

#include "FuzzCheck.h"

#include "io/MapStore.h"

#include <QBuffer>

using namespace bdx4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TextItemReader items(buffer);
    std::optional<QString> first;
    for (qsizetype count = 0; const std::optional<QString> item = items.next(); ++count) {
        FUZZ_CHECK(item->size() <= 4096 && !item->contains(QLatin1Char('\n')));
        FUZZ_CHECK(count <= bytes.size());
        if (count == 0)
            first = item;
    }

    // Memory holds 200 before the read: a cell the store gave 200 is told apart by a second
    // read over 201.
    MapStoreContent content, other;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r) {
            content.maps[m][r].fill(200);
            other.maps[m][r].fill(201);
        }
    buffer.seek(0);
    const StoreReading::Outcome outcome = readMapStore(buffer, content);
    buffer.seek(0);
    FUZZ_CHECK(readMapStore(buffer, other) == outcome);
    FUZZ_CHECK((outcome == StoreReading::Empty) == (first == QLatin1String("Empty")));
    bool reached = true;
    for (int m = 0; m < kMaps; ++m)
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c) {
                const bool read = content.maps[m][r][c] == other.maps[m][r][c];
                FUZZ_CHECK(reached || !read); // nothing read after the first cell not reached
                reached = reached && read;
            }
    if (outcome == StoreReading::Complete) {
        FUZZ_CHECK(reached);
        MapStoreContent again;
        QBuffer written;
        written.setData(mapStoreText(content));
        written.open(QIODevice::ReadOnly);
        FUZZ_CHECK(readMapStore(written, again) == StoreReading::Complete);
        FUZZ_CHECK(again.maps == content.maps && again.accForBandMap == content.accForBandMap);
    }
    return 0;
}
