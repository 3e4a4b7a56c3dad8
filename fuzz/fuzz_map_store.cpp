// The map store reader fed any bytes. What must hold: no crash, no item past its bound; "Empty"
// only as the first item; a cell read or as it was; a store read in part names a line of the
// input and its fault, one read whole none, and writes back as it reads.

#include "FuzzCheck.h"

#include "io/MapStore.h"

#include <QBuffer>

using namespace bdx4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TextItemReader items(buffer);
    std::optional<QString> first = items.next();
    for (std::optional<QString> item = first; item; item = items.next())
        FUZZ_CHECK(item->size() <= 4096 && !item->contains(QLatin1Char('\n')));
    // Memory holds 200, or 201 in a second read: a cell the store gave 200 is told apart.
    MapStoreContent content, other;
    for (int i = 0; i < kMaps * kBandRows; ++i) {
        content.maps[i / kBandRows][i % kBandRows].fill(200);
        other.maps[i / kBandRows][i % kBandRows].fill(201);
    }
    buffer.seek(0);
    const StoreReading reading = readMapStoreItems(buffer, content);
    const StoreReading::Outcome outcome = reading.outcome;
    buffer.seek(0);
    const StoreReading again = readMapStoreItems(buffer, other);
    FUZZ_CHECK(again.outcome == outcome && again.line == reading.line &&
               again.description == reading.description);
    FUZZ_CHECK((outcome == StoreReading::Empty) == (first == QLatin1String("Empty")));
    FUZZ_CHECK((outcome == StoreReading::Incomplete) == !reading.description.isEmpty());
    FUZZ_CHECK((outcome == StoreReading::Incomplete) == (reading.line > 0));
    FUZZ_CHECK(reading.line <= bytes.count('\n') + bytes.count('\r') + 1);
    bool reached = true;
    for (int i = 0; i < kMaps * kBandRows * kOutputs; ++i) {
        const int m = i / (kBandRows * kOutputs), r = i / kOutputs % kBandRows, c = i % kOutputs;
        const bool read = content.maps[m][r][c] == other.maps[m][r][c];
        FUZZ_CHECK(read || (content.maps[m][r][c] == 200 && other.maps[m][r][c] == 201));
        reached = reached && read;
    }
    if (outcome == StoreReading::Complete) {
        FUZZ_CHECK(reached);
        MapStoreContent again;
        QByteArray text = mapStoreText(content);
        QBuffer written(&text);
        written.open(QIODevice::ReadOnly);
        FUZZ_CHECK(readMapStore(written, again) == StoreReading::Complete);
        FUZZ_CHECK(again.maps == content.maps && again.accForBandMap == content.accForBandMap);
    }
    return 0;
}
