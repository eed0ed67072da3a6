#!/usr/bin/env python3
"""Rewrites the seeds of the fuzz targets whose inputs are structured bytes
(cell_commit, transfer; layouts in fuzz_cell_commit.cpp, fuzz_transfer.cpp);
other files of the corpus folders are left alone."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ACK = 0x06


def put(target, name, data):
    os.makedirs(os.path.join(HERE, "corpus", target), exist_ok=True)
    with open(os.path.join(HERE, "corpus", target, name), "wb") as f:
        f.write(bytes(data))


def commits(band, chinese, edits, limits=None):  # rows and columns from 1
    out = bytearray([band]) + (struct.pack("<ii", *limits) if limits else b"") + bytes([chinese])
    for row, col, text in edits:
        t = text.encode("utf-8")
        out += bytes([row - 1, col - 1, len(t)]) + t
    return out


put("cell_commit", "new-channel-every-column", commits(0, 0, [(5, c + 1, t) for c, t in enumerate(
    ["145.0125", "145.6125", "88.5", "D023N", "Middle", "Unlock", "No", "AB-1_"])]))
put("cell_commit", "rejected-and-erased", commits(0, 0, [
    (1, 1, ""), (2, 2, "abc"), (3, 1, "145.0010"), (4, 1, "129.9975"), (6, 1, "  \t146.5abc"),
    (7, 2, "145.00625"), (8, 3, "None"), (9, 1, "1e3"), (10, 1, "-145.0125")]))
put("cell_commit", "band-edges-of-int32", commits(3, 0, [
    (1, 1, "21474.83647"), (1, 2, "-21474.83648"), (2, 1, "1e308"), (3, 1, "0.0000099999999999999")],
    limits=(-2**31, 2**31 - 1)))
put("cell_commit", "chinese-defaults", commits(2, 1, [
    (11, 1, "145.0125"), (11, 3, "\u65e0"), (11, 5, "\u9ad8"), (11, 8, "abc")]))
# 19 nines once overflowed the integer behind the frequency and tone codecs.
put("cell_commit", "regress-scaled-truncated-19-nines", commits(0, 0, [
    (1, 1, "9999999999999999999"), (2, 3, "9999999999999999999")]))


def reply(data):
    return bytes([len(data)]) + bytes(data)


def header(write=False, retries=0, cancel=0, fail_open=False):
    return bytes([int(write) | (retries << 1) | (0xF8 if fail_open else 0)]) + struct.pack("<H", cancel)


HANDSHAKE = reply([ACK]) + reply(b"CV100\x00\x01\x02") + reply([ACK])


def read_blocks(count):
    out = bytearray()
    for a in range(0, count * 8, 8):
        data = bytes(((a + i) * 7 + (a >> 8)) & 0xFF for i in range(8))
        out += reply(b"W" + bytes([a >> 8, a & 0xFF, 8]) + data) + reply([ACK])
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
