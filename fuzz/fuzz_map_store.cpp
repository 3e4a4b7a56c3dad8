// The map store reader fed any bytes as "bdx4_cfg.ini".
//
// What must hold: the reader never crashes and no item grows past its 4 KiB bound; a store
// that cannot be read whole leaves the grid, the map labels and the ACn marks as they were
// (cells read before the failure stay in memory); a store read whole shows MAP1 or, after
// "Empty", the defaults; and whatever ends up in memory, the store written from it reads back
// equal.

#include "FuzzCheck.h"

#include "bandmap/MatrixGrid.h"
#include "store/MapStore.h"
#include "store/TextItems.h"
#include "support/FakeMapCaptions.h"
#include "support/FakeMenuMarks.h"
#include "support/FakeMessageBoxes.h"

#include <QBuffer>

#include <algorithm>
#include <cstdint>
#include <cstring>

using namespace bdx4;
using namespace bdx4::test;

namespace {

constexpr int kMaxItem = 4096;

struct Rig {
    MatrixGrid grid;
    FakeMessageBoxes boxes;
    FakeMenuMarks marks;
    FakeMapCaptions captions;
    BandMaps maps{grid, boxes, marks};
    MapStore store{maps, boxes, captions};

    Rig() { maps.FillOutputBitMask(); }
    BandMapState& s() { return maps.state(); }

    /// Reads the store into memory filled with `before`, the grid holding one marked cell.
    bool read(const QByteArray& bytes, std::uint8_t before) {
        for (auto& map : s().BandMapStore)
            for (auto& row : map)
                for (auto& cell : row)
                    cell = before;
        grid.setCell(3, 3, 1);
        s().MapChanged = false;
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        return store.ReadMapStore(buffer);
    }
    /// Whether the grid shows the map; a value above 2, which no check box can show, shows as
    /// grayed (2).
    bool gridShows(int map) const {
        for (int r = 0; r < kBandRows; ++r)
            for (int c = 0; c < kOutputs; ++c)
                if (grid.cell(r, c) != std::min<int>(maps.state().BandMapStore[map][r][c], 2))
                    return false;
        return true;
    }
};

void checkItems(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    TextItemReader in(buffer);
    qsizetype items = 0;
    while (const std::optional<QString> item = in.next()) {
        FUZZ_CHECK(item->size() <= kMaxItem);
        FUZZ_CHECK(!item->contains(QLatin1Char('\r')) && !item->contains(QLatin1Char('\n')));
        // Every item but the last ends at a separator of its own.
        FUZZ_CHECK(++items <= bytes.size() + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkItems(bytes);

    // Memory is filled before reading with a value the input cannot hold as a cell, so that
    // cells not reached show. When every value can occur, a second read over other memory
    // tells them apart.
    int unread = -1;
    for (int v = 2; v <= 255 && unread < 0; ++v)
        if (!bytes.contains(QByteArray::number(v)))
            unread = v;
    Rig r;
    const bool whole = r.read(bytes, std::uint8_t(unread < 0 ? 7 : unread));
    FUZZ_CHECK(r.boxes.shown.isEmpty());
    Rig other;
    if (unread < 0)
        FUZZ_CHECK(other.read(bytes, 8) == whole);

    bool unreadSeen = false; // cells are filled in store order
    int cellsRead = 0;
    for (int m = 0; m < kMaps; ++m)
        for (int row = 0; row < kBandRows; ++row)
            for (int c = 0; c < kOutputs; ++c) {
                const std::uint8_t a = r.s().BandMapStore[m][row][c];
                const bool reached =
                    unread < 0 ? a == other.s().BandMapStore[m][row][c] : a != unread;
                if (reached) {
                    FUZZ_CHECK(!unreadSeen);
                    ++cellsRead;
                } else {
                    unreadSeen = true;
                }
            }

    if (!whole) {
        for (int row = 0; row < kBandRows; ++row)
            for (int c = 0; c < kOutputs; ++c)
                FUZZ_CHECK(r.grid.cell(row, c) == (row == 3 && c == 3 ? 1 : 0));
        FUZZ_CHECK(r.captions.calls == 0);
        FUZZ_CHECK(!r.marks.isChecked("cmd_UseACC_Yes") && !r.marks.isChecked("cmd_UseACC_No"));
        FUZZ_CHECK(!r.s().UseAccForBandmap && !r.s().MapChanged);
    } else if (r.captions.calls == 0) {
        // "Empty": the defaults in the default-table mode, memory untouched.
        FUZZ_CHECK(cellsRead == 0);
        FUZZ_CHECK(r.marks.isChecked("cmd_UseACC_No") && !r.marks.isChecked("cmd_UseACC_Yes"));
        FUZZ_CHECK(r.s().MapChanged);
    } else {
        FUZZ_CHECK(cellsRead == kMaps * kBandRows * kOutputs);
        FUZZ_CHECK(r.captions.shown == 0 && r.s().CurrentMap == 0 && !r.s().MapChanged);
        FUZZ_CHECK(r.gridShows(0));
        FUZZ_CHECK(r.marks.isChecked("cmd_UseACC_Yes") == r.s().UseAccForBandmap);
        FUZZ_CHECK(r.marks.isChecked("cmd_UseACC_No") == !r.s().UseAccForBandmap);
    }

    // A written store has the fixed layout and reads back equal. Checked for every store read
    // whole and for one in eight of the others: the check costs a full read.
    if (!whole && (cellsRead == 0 || size % 8 != 0))
        return 0;
    const QByteArray written = MapStore::StoreText(r.s());
    FUZZ_CHECK(written.count('\n') == 1076 && written.count("\r\n") == 1076);
    Rig back;
    FUZZ_CHECK(back.read(written, 0));
    FUZZ_CHECK(std::memcmp(back.s().BandMapStore, r.s().BandMapStore, sizeof r.s().BandMapStore) ==
               0);
    FUZZ_CHECK(back.s().UseAccForBandmap == r.s().UseAccForBandmap);
    FUZZ_CHECK(MapStore::StoreText(back.s()) == written);
    return 0;
}
