#!/usr/bin/env python3
"""Fails unless the first icon group of a program, the one Explorer shows, holds exactly the given sizes, each image
present and of the size its group entry claims.

usage: check_icon.py PROGRAM.exe SIZE...
"""

import struct
import sys

RT_ICON = 3
RT_GROUP_ICON = 14


class Image:
    def __init__(self, data):
        self.data = data
        pe = self.unpack("<I", 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, optional_size = self.unpack("<H", pe + 6)[0], self.unpack("<H", pe + 20)[0]
        optional = pe + 24
        directories = optional + (112 if self.unpack("<H", optional)[0] == 0x20B else 96)
        self.rsrc_rva = self.unpack("<I", directories + 2 * 8)[0]
        self.sections = [self.unpack("<IIII", optional + optional_size + 40 * i + 8) for i in range(sections)]
        if self.rsrc_rva == 0:
            raise ValueError("no resources")
        self.rsrc = self.offset(self.rsrc_rva)

    def unpack(self, layout, offset):
        if offset < 0 or offset + struct.calcsize(layout) > len(self.data):
            raise ValueError("truncated at 0x%x" % offset)
        return struct.unpack_from(layout, self.data, offset)

    def offset(self, rva):
        for virtual_size, address, raw_size, raw_offset in self.sections:
            if address <= rva < address + max(virtual_size, raw_size):
                return raw_offset + rva - address
        raise ValueError("address 0x%x lies in no section" % rva)

    def entries(self, directory):
        """(id, offset of the subdirectory or data entry) in stored order: named entries, then ids ascending."""
        named, ids = self.unpack("<HH", self.rsrc + directory + 12)
        for i in range(named + ids):
            name, target = self.unpack("<II", self.rsrc + directory + 16 + 8 * i)
            yield (None if name & 0x80000000 else name), target & 0x7FFFFFFF

    def first_language(self, directory):
        _, data_entry = next(self.entries(directory))
        rva, size = self.unpack("<II", self.rsrc + data_entry)
        return self.data[self.offset(rva):self.offset(rva) + size]

    def resources(self, kind):
        for type_id, names in self.entries(0):
            if type_id == kind:
                return [(name, self.first_language(languages)) for name, languages in self.entries(names)]
        return []


def image_side(blob):
    """The pixel width and height stored in an icon image, PNG or bitmap (whose height counts the mask too)."""
    if blob.startswith(b"\x89PNG\r\n\x1a\n"):
        return struct.unpack_from(">II", blob, 16)
    width, height = struct.unpack_from("<ii", blob, 4)
    return width, height // 2


def problems(program, sizes):
    groups = program.resources(RT_GROUP_ICON)
    if not groups:
        yield "no icon group"
        return
    _, group = groups[0]
    icons = dict(program.resources(RT_ICON))
    found = []
    for i in range(struct.unpack_from("<H", group, 4)[0]):
        width, height, _, _, _, bits, length, icon_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        side = width or 256
        found.append(side)
        blob = icons.get(icon_id)
        if width != height or bits != 32:
            yield "entry %d is %dx%d with %d bits, not square 32-bit" % (i, width, height, bits)
        elif blob is None or len(blob) != length:
            yield "image %d (%d pixels) is missing or not %d bytes long" % (icon_id, side, length)
        elif image_side(blob) != (side, side):
            yield "image %d claims %d pixels but holds %dx%d" % ((icon_id, side) + image_side(blob))
    if sorted(found) != sorted(sizes):
        yield "first icon group holds sizes %s, expected %s" % (sorted(found), sorted(sizes))


def report(path, check, success, errors=()):
    """Prints every problem check(Image) finds in the program at path and fails, or prints what holds."""
    with open(path, "rb") as file:
        try:
            found = list(check(Image(file.read())))
        except (ValueError, struct.error, StopIteration) + tuple(errors) as error:
            found = ["unreadable: %s" % error]
    for problem in found:
        print("%s: %s" % (path, problem))
    if found:
        sys.exit(1)
    print("%s: %s" % (path, success))


def main(argv):
    if len(argv) < 2:
        sys.exit(__doc__.split("usage: ")[1])
    sizes = [int(size) for size in argv[1:]]
    report(argv[0], lambda image: problems(image, sizes), "icon sizes %s" % " ".join(argv[1:]))


if __name__ == "__main__":
    main(sys.argv[1:])
