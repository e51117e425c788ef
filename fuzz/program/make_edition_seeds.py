#!/usr/bin/env python3
"""Writes the edition fuzz target's seeds into fuzz/program/corpus/edition: edition files made from
the program's own hand-written sample data set (program/resources/sample) and from tiny made-up
data sets, each as a whole file (first byte 0) and as a payload the target seals (first byte 1).
Run from the repository's root: python3 fuzz/program/make_edition_seeds.py"""
import hashlib
import json
import os
import struct
import zlib

NAMES = ["Tabular", "DIndex", "EIndex", "TableOfDrugs", "TableOfNeoplasms", "CodeKeywords", "SpecialKWs", "ShortDesc"]
SAMPLE = {"Tabular": "tabular.xml", "DIndex": "index.xml", "EIndex": "eindex.xml", "TableOfDrugs": "drug.xml",
          "TableOfNeoplasms": "neoplasm.xml", "ShortDesc": "order.txt"}


def payload(streams, year, effective):
    facts = {"year": year, "effectiveDate": effective,
             "dataSets": [{"name": n, "size": len(streams[n])} for n in NAMES],
             "sources": [], "preparedBy": "make_edition_seeds"}
    text = json.dumps(facts, separators=(",", ":")).encode()
    return struct.pack("<I", len(text)) + text + b"".join(streams[n] for n in NAMES)


def whole(body):
    return b"TABULONEDITION\r\n" + struct.pack("<IQ", 1, len(body)) + hashlib.sha256(body).digest() + body


def main():
    out = "fuzz/program/corpus/edition"
    os.makedirs(out, exist_ok=True)
    tiny = {n: zlib.compress(n.encode(), 9) for n in NAMES}
    sample = {}
    for n in NAMES:
        name = SAMPLE.get(n)
        data = open(os.path.join("program/resources/sample", name), "rb").read() if name else b"child,children\r\n"
        sample[n] = zlib.compress(data, 9)
    for stem, streams, year, effective in (("tiny", tiny, "2023", "2022-10-01"),
                                           ("sample", sample, "2024", "2023-04-01")):
        body = payload(streams, year, effective)
        open(os.path.join(out, stem + "_file.bin"), "wb").write(b"\0" + whole(body))
        open(os.path.join(out, stem + "_payload.bin"), "wb").write(b"\1" + body)


main()
