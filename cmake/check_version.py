#!/usr/bin/env python3
"""Fails unless a program's version resource carries the given version (x.y.z) in its fixed part and as text, and
the texts that Explorer's Details tab and software inventories show: maker, description, copyright, product, file
names.

usage: check_version.py PROGRAM.exe VERSION
"""

import os
import struct
import sys

from check_icon import report

RT_VERSION = 16
FIXED_SIGNATURE = 0xFEEF04BD
NAMED = ("CompanyName", "FileDescription", "LegalCopyright", "ProductName", "InternalName")


def aligned(offset):
    return (offset + 3) & ~3


def block(blob, at):
    """(key, value bytes, child blocks) of the VS_VERSIONINFO-shaped block at offset at."""
    length, value_length, is_text = struct.unpack_from("<HHH", blob, at)
    key_end = blob.find(b"\0\0", at + 6, at + length)
    while key_end > 0 and (key_end - at) % 2:
        key_end = blob.find(b"\0\0", key_end + 1, at + length)
    if length < 8 or key_end < 0:
        raise ValueError("broken block at 0x%x" % at)
    value = aligned(key_end + 2)
    value_end = value + value_length * (2 if is_text else 1)
    children, child = [], aligned(value_end)
    while child < at + length:
        children.append(block(blob, child))
        child = aligned(child + struct.unpack_from("<H", blob, child)[0])
    return blob[at + 6:key_end].decode("utf-16-le"), blob[value:value_end], children


def problems(resource, program_name, version):
    _, fixed, children = block(resource, 0)
    major, minor, patch = (int(part) for part in version.split("."))
    signature, _, file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<6I", fixed)
    if signature != FIXED_SIGNATURE:
        yield "the fixed part is missing"
    elif (file_ms, file_ls) != (product_ms, product_ls) or (file_ms, file_ls) != (major << 16 | minor, patch << 16):
        yield "the fixed part holds %d.%d.%d, not %s" % (file_ms >> 16, file_ms & 0xFFFF, file_ls >> 16, version)
    tables = [table for key, _, tables in children if key == "StringFileInfo" for table in tables]
    if not tables:
        yield "no StringFileInfo"
        return
    texts = {key: value.decode("utf-16-le").rstrip("\0") for key, value, _ in tables[0][2]}
    for name in NAMED:
        if not texts.get(name):
            yield "%s is missing" % name
    for name in ("FileVersion", "ProductVersion"):
        if texts.get(name) != version:
            yield "%s is %r, not %s" % (name, texts.get(name), version)
    if texts.get("OriginalFilename", "").lower() != program_name.lower():
        yield "OriginalFilename is %r, not %s" % (texts.get("OriginalFilename"), program_name)


def main(argv):
    if len(argv) != 2:
        sys.exit(__doc__.split("usage: ")[1])

    def check(image):
        resources = image.resources(RT_VERSION)
        return problems(resources[0][1], os.path.basename(argv[0]), argv[1]) if resources else ["no version resource"]

    report(argv[0], check, "version %s with maker, description, copyright, product and file names" % argv[1],
           [UnicodeDecodeError])


if __name__ == "__main__":
    main(sys.argv[1:])
