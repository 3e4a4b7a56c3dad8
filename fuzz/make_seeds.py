#!/usr/bin/env python3
"""Writes the seed corpora under fuzz/corpus/: valid stores and streams, and a few damaged ones.

The link and sim targets read their input through libFuzzer's FuzzedDataProvider, which takes
plain bytes and strings from the front of the input and numbers from its back; `Provided`
builds inputs in that form, so each seed is a meaningful conversation rather than noise.

    python3 fuzz/make_seeds.py        (run from anywhere; rewrites the seed files)
"""

import os

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = b"\r\n"


class Provided:
    """An input for FuzzedDataProvider, built in the order the target consumes it."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in order of consumption; stored reversed at the end

    def number(self, value, low, high):
        span = high - low
        value -= low
        assert 0 <= value <= span
        size = 0
        while size < 8 and (span >> (8 * size)) > 0:
            size += 1
        for k in range(size):  # the most significant byte is taken first
            self.back.append((value >> (8 * (size - 1 - k))) & 0xFF)
        return self

    def boolean(self, value):
        return self.number(1 if value else 0, 0, 255)

    def raw(self, data):
        self.front += data
        return self

    def string(self, data):
        """A ConsumeRandomLengthString: backslashes doubled, ended by a backslash pair."""
        self.front += data.replace(b"\\", b"\\\\") + b"\\e"
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


# --- the map store -----------------------------------------------------------------------

def map_store(cells, flag):
    out = bytearray()
    for m in range(3):
        out += b'"Map %d"' % (m + 1) + CRLF
        for r in range(21):
            out += b'"Row %d"' % r + CRLF
            for c in range(16):
                out += b"%d" % cells(m, r, c) + CRLF
    out += b'"----"' + CRLF + (b"#TRUE#" if flag else b"#FALSE#") + CRLF
    return bytes(out)


pattern = map_store(lambda m, r, c: int((r * 5 + c * 3 + m) % 3 == 0), True)
write("fuzz_map_store", "pattern-true.ini", pattern)
write("fuzz_map_store", "zeros-false.ini", map_store(lambda m, r, c: 0, False))
write("fuzz_map_store", "empty.ini", b'"Empty"' + CRLF)
write("fuzz_map_store", "lf-only.ini", pattern.replace(CRLF, b"\n"))
write("fuzz_map_store", "cut-after-map-2.ini", CRLF.join(pattern.split(CRLF)[:716]) + CRLF)
write("fuzz_map_store", "commas-and-blanks.ini",
      b'"Map 1", "Row 0" ,1, 0,0,0,0,0,0,0,0,0,0,0,0,0,0,255' + CRLF + b'"empty"' + CRLF)

# --- the voltage store -------------------------------------------------------------------

an1 = [0, 0, 51, 64, 0, 90, 0, 115, 31, 141, 0, 166, 255]
an2 = [255, 196, 178, 160, 145, 127, 109, 91, 73, 58, 0, 42, 25]
write("fuzz_volt_store", "defaults.ini", b"".join(b"%d" % v + CRLF for v in an1 + an2 + an1))
write("fuzz_volt_store", "created.ini", b"0,0" + CRLF)
write("fuzz_volt_store", "one-line.ini", b" 12 , 34.5,255 ,0,,7" + CRLF)
write("fuzz_volt_store", "odd-values.ini", b"300" + CRLF + b"-5" + CRLF + b"1e2" + CRLF +
      b"12.75" + CRLF + b"x" + CRLF)

# --- the receive handler and the box search ----------------------------------------------


def link_input(search, out_string, chunks):
    """chunks: (bytes, clear_ack, box_feeds, delay_ms)"""
    p = Provided().boolean(search)
    if not search:
        p.number(out_string, 0, 3)
    for data, clear_ack, feeds, delay in chunks:
        big = len(data) > 40
        p.number((0x80 if big else 0) | (feeds << 1) | (1 if clear_ack else 0), 0, 255)
        p.number(len(data), 0, 9000 if big else 40)
        p.number(delay, 0, 700)
        p.raw(data)
    return p.bytes()


QUERY, LONE, DOWNLOAD = 0, 1, 2
write("fuzz_link_receive", "reply-in-two-pieces",
      link_input(False, QUERY, [(b"BDV:BD", False, 0, 0), (b"X4:2.17;", False, 0, 0)]))
write("fuzz_link_receive", "two-replies-second-while-box-open",
      link_input(False, QUERY, [(b"BDV:BDX4:2.17;", False, 1, 0),
                                (b"BDV:BDX4:2.18;", False, 0, 0)]))
write("fuzz_link_receive", "acknowledgements",
      link_input(False, DOWNLOAD, [(b"G", True, 0, 0), (b"abcG", True, 0, 0),
                                   (b"G;", False, 0, 0), (b"1234", True, 0, 0)]))
write("fuzz_link_receive", "reply-to-lone-separator",
      link_input(False, LONE, [(b"BDV:BDX4:2.17;", False, 0, 0)]))
write("fuzz_link_receive", "long-run-then-reply",
      link_input(False, QUERY, [(b"0123456789abcdef" * 320, False, 0, 0),
                                (b";BDV:BDX4:2.17;", False, 0, 0)]))
write("fuzz_link_receive", "search-answered",
      link_input(True, 0, [(b"BDV:BDX4:2.17;", False, 0, 650)]))
write("fuzz_link_receive", "search-odd-replies",
      link_input(True, 0, [(b"XYZ:BDX4:2.17;", False, 0, 650), (b"bdv:bdx4:2.17;", False, 0, 300),
                           (b"BDV:BDX4:2.17x;", False, 0, 300)]))
write("fuzz_link_receive", "search-reply-to-lone-separator",
      link_input(True, 0, [(b"BDV:BDX4:2.17;", False, 0, 100), (b"G", False, 0, 300)]))

# --- bdx4-sim's session ------------------------------------------------------------------

HF = b":200040000000000000000000000000000000000000000000000000000000000000000000A0"
VHF = b":100060000000000000000000000000000000000090"
ACC = b":100070000020406080A0C0E000204080FFFFFFFF24"
AN1 = b":2000A000" + b"F" * 64 + b"60"
AN2 = b":2000C000" + b"F" * 64 + b"40"
AN3 = b":2000E000" + b"F" * 64 + b"20"
END = b":00000001FF"


def sim_input(chunks, silent=False, ack_limit=-1, hangup_after=-1, hangup_at_query=-1, burst=0,
              replies=1, flood=0, reply=None):
    p = Provided().number(0 if silent else 1, 0, 7)  # the box is silent on a 0
    p.number(ack_limit, -1, 7)
    p.number(hangup_after, -1, 9).boolean(True)
    p.number(hangup_at_query, -1, 3).boolean(True)
    p.number(burst, 0, 6).number(replies, 1, 3)
    if flood:
        p.number(0, 0, 3).number(flood, 1, 300)
    else:
        p.number(1, 0, 3)
    if reply is not None:
        p.number(0, 0, 3).string(reply)
    else:
        p.number(1, 0, 3)
    # The record the target encodes and decodes first: the VHF record's fields.
    p.number(16, 0, 255).number(0x60, 0, 0xFFFF).number(0, 0, 255).raw(b"\0" * 16)
    for chunk in chunks:
        if chunk is None:
            p.number(0xFF, 0, 255)
        else:
            p.number(0, 0, 255).string(chunk)
    return p.bytes()


download = [b";BD00;BD73;BDE;"] + [r + CRLF for r in (HF, VHF, ACC, AN1, AN2, AN3, END)]
write("fuzz_sim_session", "query-and-download",
      sim_input([b";", b";BD00;BD73;BDV;"] + download))
write("fuzz_sim_session", "download-in-pieces",
      sim_input([b";BD00;BD73;BDE;" + HF[:30], HF[30:] + b"\r", b"\n" + VHF + CRLF + ACC,
                 CRLF + END + CRLF], burst=3))
write("fuzz_sim_session", "ack-limit-and-hangup",
      sim_input(download, ack_limit=3, hangup_after=5))
write("fuzz_sim_session", "odd-replies-flood",
      sim_input([b";BD00;BD73;BDV;", b";BD00;BD73;BDV;"], replies=2, flood=200,
                reply=b"XYZ:BDX4:2.17;"))
write("fuzz_sim_session", "silent-with-reset",
      sim_input([b";BD00;BD73;BDE;" + HF[:20], None, b";BD00;BD73;BDV;"], silent=True))
write("fuzz_sim_session", "bad-records",
      sim_input([b";BD00;BD73;BDE;", b":10006000000000000000000000000000000000000091\r\n",
                 b"hello\r\n", b"A" * 590, b"\r\n", VHF.lower() + CRLF], hangup_at_query=0))
