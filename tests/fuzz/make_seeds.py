#!/usr/bin/env python3
"""Writes the seed inputs of the two fuzz targets whose inputs are structured
bytes rather than files: cell_commit and transfer. Run it from anywhere; it
rewrites the files it owns in corpus/cell_commit and corpus/transfer and
leaves the other files there alone."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def put(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes(data))


# cell_commit: the input layout is that of fuzz_cell_commit.cpp; rows and
# columns are given here from 1.
def commits(band, chinese, edits, limits=None):
    out = bytearray([band])
    if limits:
        out += struct.pack("<ii", *limits)
    out.append(1 if chinese else 0)
    for row, col, text in edits:
        t = text.encode("utf-8")
        out += bytes([row - 1, col - 1, len(t)]) + t
    return out


put("cell_commit", "new-channel-every-column", commits(0, False, [
    (5, 1, "145.0125"), (5, 2, "145.6125"), (5, 3, "88.5"), (5, 4, "D023N"), (5, 5, "Middle"),
    (5, 6, "Unlock"), (5, 7, "No"), (5, 8, "AB-1_")]))
put("cell_commit", "rejected-and-erased", commits(0, False, [
    (1, 1, ""), (2, 2, "abc"), (3, 1, "145.0010"), (4, 1, "129.9975"), (6, 1, "  \t146.5abc"),
    (7, 2, "145.00625"), (8, 3, "None"), (9, 1, "1e3"), (10, 1, "-145.0125")]))
put("cell_commit", "band-edges-of-int32", commits(3, False, [
    (1, 1, "21474.83647"), (1, 2, "-21474.83648"), (2, 1, "1e308"), (3, 1, "0.0000099999999999999")],
    limits=(-2**31, 2**31 - 1)))
put("cell_commit", "chinese-defaults", commits(2, True, [
    (11, 1, "145.0125"), (11, 3, "\u65e0"), (11, 5, "\u9ad8"), (11, 8, "abc")]))
# 19 nines once overflowed the integer behind the frequency and tone codecs.
put("cell_commit", "regress-scaled-truncated-19-nines", commits(0, False, [
    (1, 1, "9999999999999999999"), (2, 3, "9999999999999999999")]))

# transfer: the input layout is that of fuzz_transfer.cpp and FuzzLink.h.
ACK = 0x06


def reply(data, n=None):
    return bytes([len(data) if n is None else n]) + bytes(data)


def header(write=False, retries=0, cancel=0, fail_open=False):
    flags = (1 if write else 0) | (retries << 1) | (0xF8 if fail_open else 0)
    return bytes([flags]) + struct.pack("<H", cancel)


HANDSHAKE = reply([ACK]) + reply(b"CV100\x00\x01\x02") + reply([ACK])


def read_blocks(count):
    out = bytearray()
    for block in range(count):
        address = block * 8
        data = bytes(((address + i) * 7 + (address >> 8)) & 0xFF for i in range(8))
        out += reply(b"W" + bytes([address >> 8, address & 0xFF, 8]) + data) + reply([ACK])
    return out


put("transfer", "read-complete", header() + HANDSHAKE + read_blocks(1024))
put("transfer", "write-complete", header(write=True) + HANDSHAKE + reply([ACK]) * 922)
put("transfer", "silent-radio-retry-once", header(retries=1))
put("transfer", "noise-then-short-reply", header() + reply([0x15]) + reply([ACK]) + reply(b"ID") +
    reply([ACK]) + read_blocks(5) + reply(b"\x00" * 11))
put("transfer", "write-missing-ack-block-300", header(write=True) + HANDSHAKE + reply([ACK]) * 299 + reply([]))
put("transfer", "write-missing-ack-last-block", header(write=True) + HANDSHAKE + reply([ACK]) * 921 + reply([]))
put("transfer", "read-missing-ack-last-block", header() + HANDSHAKE + read_blocks(1024)[:-2] + reply([]))
put("transfer", "port-error-mid-read", header() + HANDSHAKE + read_blocks(10) + bytes([0xFF, 0x00]))
put("transfer", "cancel-mid-read", header(cancel=120) + HANDSHAKE + read_blocks(40))
put("transfer", "late-handshake-missing-ack", header(write=True) +
    (reply([]) + reply([])) * 5 + reply([ACK]) + reply(b"12345678") + reply([]))
put("transfer", "port-cannot-open", header(fail_open=True))
