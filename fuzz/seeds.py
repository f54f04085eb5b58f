#!/usr/bin/env python3
"""Writes the seed corpora of the answer and transfertext fuzz targets.

The configuration-file seeds are plain files kept as they are. Run from the
repository root: python3 fuzz/seeds.py
"""
import os
import random

HEADERS = ["36309888000", "1234", "417001", "Kapu", "1", "Ajto", "Ablak", "5",
           "Ki3 be", "Ki4 be", "Ki3 ki", "Ki4 ki", "Be1 be", "Be1 ki", "Be2 be", "Be2 ki"] + [""] * 12
PHONES = ["3630%07d" % (1000000 + i) if i % 3 == 0 else "" for i in range(64)]


def write(target, name, data):
    folder = os.path.join("fuzz", "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def answer(fields, pad=b" ", preamble=b"RZM-417 v1.0\r\r", last=b"E"):
    out = bytearray(preamble)
    for text in fields:
        raw = text.encode("latin-1")
        out += raw + pad * max(0, 16 - len(raw)) + b"\r"
    return bytes(out + last)


def module_fields():
    fields = [("%04d" % int(h)) if i == 7 else h for i, h in enumerate(HEADERS)]
    for slot, number in enumerate(PHONES):
        fields.append(("13" if number else "00") + number if slot % 5 else "72" + number)
    return fields


def form_input(separator=b"|", kind=0, value=0, headers=HEADERS, boxes=b"\x55" * 32, keys=b"\x00"):
    out = bytearray(separator + bytes([kind, value & 0xFF]))
    for text in list(headers) + PHONES:
        raw = text.encode("latin-1")
        out += bytes([len(raw)]) + raw
    return bytes(out + boxes + keys)


def main():
    fields = module_fields()
    write("answer", "good", answer(fields))
    write("answer", "pad255", answer(fields, pad=b"\xff"))
    write("answer", "no_preamble", answer(fields, preamble=b""))
    write("answer", "pipes", answer(fields).replace(b"\r", b"|"))
    write("answer", "too_few", answer(fields[:-1]))
    write("answer", "too_many", answer(fields + [""]))
    write("answer", "empty_field_inside", answer(fields[:40] + [""] + fields[40:]).replace(b" " * 16 + b"\r", b"\r", 1))
    write("answer", "no_separator", b"RZM-417 ready")
    write("answer", "empty", b"")
    rng = random.Random(417)
    write("answer", "noise", bytes(rng.randrange(256) for _ in range(300)))

    write("transfertext", "defaults", form_input())
    write("transfertext", "sum8", form_input(kind=0, value=1))
    write("transfertext", "sum32", form_input(kind=3, value=1))
    write("transfertext", "fixed_char", form_input(kind=ord("#"), value=1))
    write("transfertext", "negative_sum", form_input(kind=1, value=1,
                                                     headers=["\xa4" * 11] + HEADERS[1:]))
    write("transfertext", "accent", form_input(headers=HEADERS[:3] + ["K\xe9pu"] + HEADERS[4:]))
    write("transfertext", "missing", form_input(headers=HEADERS[:15] + [""] + HEADERS[16:]))
    write("transfertext", "separator_hash", form_input(separator=b"#"))
    write("transfertext", "odd_keys", form_input(keys=b"\x02\x05\x031.x\x09\x0599.99"))


if __name__ == "__main__":
    main()
