#!/usr/bin/env python3
"""Makes samples/dvd-dual-layer: the IFO files of a film too large for one
layer, from samples/dvd-chapters (made by scripts/make-sample-dvd.sh).

The main title's five cells are moved far apart inside a title VOB of
VOB_SECTORS sectors (about 4.9 GB); every sector address in VTS_02_0.IFO and
its BUP (cell playback, cell address table, time map, VOBU address map and
the set's last sector) is moved with its cell, so each address stays true
for a VOB whose cells hold the sample's cell data at their new places and
zeros between them. The VOB parts themselves are not committed: a test makes
them as sparse files from samples/dvd-chapters/VIDEO_TS/VTS_02_1.VOB and
chunks.txt ("old first, old last, new first" per cell, title VOB sectors).

    scripts/make-dual-layer-sample.py
"""
import os
import shutil
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "samples", "dvd-chapters", "VIDEO_TS")
DEST = os.path.join(ROOT, "samples", "dvd-dual-layer")
VOB_SECTORS = 2400000
# Where each cell of the main title starts; part boundaries (every 524272
# sectors) fall between cells.
NEW_FIRST = [0, 600000, 1190000, 1210000, 1800000]


def be32(d, o):
    return struct.unpack(">I", d[o:o + 4])[0]


def be16(d, o):
    return struct.unpack(">H", d[o:o + 2])[0]


def put32(d, o, v):
    d[o:o + 4] = struct.pack(">I", v)


def main():
    ifo = bytearray(open(os.path.join(SOURCE, "VTS_02_0.IFO"), "rb").read())
    pgci = be32(ifo, 0xCC) * 2048
    pgc = pgci + be32(ifo, pgci + 12)
    cells = ifo[pgc + 3]
    playback = pgc + be16(ifo, pgc + 0xE8)
    ranges = [(be32(ifo, playback + 24 * c + 8), be32(ifo, playback + 24 * c + 20)) for c in range(cells)]
    assert len(ranges) == len(NEW_FIRST)

    def move(sector):
        for (first, last), new in zip(ranges, NEW_FIRST):
            if first <= sector <= last:
                return sector - first + new
        raise ValueError("sector %d lies in no cell" % sector)

    for c in range(cells):
        for field in (8, 16, 20):
            put32(ifo, playback + 24 * c + field, move(be32(ifo, playback + 24 * c + field)))
    cadt = be32(ifo, 0xE0) * 2048
    for at in range(cadt + 8, cadt + be32(ifo, cadt + 4) + 1, 12):
        put32(ifo, at + 4, move(be32(ifo, at + 4)))
        put32(ifo, at + 8, move(be32(ifo, at + 8)))
    tmapti = be32(ifo, 0xD4) * 2048
    for i in range(be16(ifo, tmapti)):
        tmap = tmapti + be32(ifo, tmapti + 8 + 4 * i)
        for k in range(be16(ifo, tmap + 2)):
            entry = be32(ifo, tmap + 4 + 4 * k)
            put32(ifo, tmap + 4 + 4 * k, (entry & 0x80000000) | move(entry & 0x7FFFFFFF))
    admap = be32(ifo, 0xE4) * 2048
    for at in range(admap + 4, admap + be32(ifo, admap) + 1, 4):
        put32(ifo, at, move(be32(ifo, at)))
    ifo_sectors = len(ifo) // 2048
    put32(ifo, 0x0C, be32(ifo, 0xC4) + VOB_SECTORS + ifo_sectors - 1)

    shutil.rmtree(DEST, ignore_errors=True)
    os.makedirs(os.path.join(DEST, "VIDEO_TS"))
    for name in ("VIDEO_TS.IFO", "VIDEO_TS.BUP", "VTS_01_0.IFO", "VTS_01_0.BUP", "VTS_01_1.VOB"):
        shutil.copy(os.path.join(SOURCE, name), os.path.join(DEST, "VIDEO_TS", name))
    for name in ("VTS_02_0.IFO", "VTS_02_0.BUP"):
        open(os.path.join(DEST, "VIDEO_TS", name), "wb").write(ifo)
    with open(os.path.join(DEST, "chunks.txt"), "w") as chunks:
        chunks.write("# old first, old last (in dvd-chapters' VTS_02_1.VOB), new first; then the VOB's sectors\n")
        for (first, last), new in zip(ranges, NEW_FIRST):
            chunks.write("%d %d %d\n" % (first, last, new))
        chunks.write("%d\n" % VOB_SECTORS)


if __name__ == "__main__":
    main()
