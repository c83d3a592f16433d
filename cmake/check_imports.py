#!/usr/bin/env python3
"""Fails when a program would not start on 64-bit Windows 7: a 32-bit image, a subsystem version above 6.1, or a
static import of a function or library that Windows 7 lacks. Such a function has to be looked up with GetProcAddress,
with a fallback, so the loader never asks for it.

usage: check_imports.py --objdump OBJDUMP PROGRAM.exe
       check_imports.py --listing OBJDUMP-P-OUTPUT.txt
"""

import re
import subprocess
import sys

FLOOR = (6, 1)  # Windows 7

# What a desktop program of this kind is tempted to call, and the first Windows that has it.
NEWER_FUNCTIONS = {
    "GetDpiForWindow": "Windows 10 1607",
    "GetDpiForSystem": "Windows 10 1607",
    "GetSystemMetricsForDpi": "Windows 10 1607",
    "AdjustWindowRectExForDpi": "Windows 10 1607",
    "SystemParametersInfoForDpi": "Windows 10 1607",
    "SetThreadDpiAwarenessContext": "Windows 10 1607",
    "SetProcessDpiAwarenessContext": "Windows 10 1703",
    "GetDpiForMonitor": "Windows 8.1",
    "SetProcessDpiAwareness": "Windows 8.1",
    "GetSystemTimePreciseAsFileTime": "Windows 8",
    "SetDefaultDllDirectories": "Windows 8 (Windows 7 only with update KB2533623)",
    "AddDllDirectory": "Windows 8 (Windows 7 only with update KB2533623)",
    "RemoveDllDirectory": "Windows 8 (Windows 7 only with update KB2533623)",
}
NEWER_LIBRARIES = {
    "shcore.dll": "Windows 8.1",
    "api-ms-win-crt-": "Windows 10 (Windows 7 only with the Universal C Runtime update)",
}

DLL_LINE = re.compile(r"^\s*DLL Name:\s*(\S+)")
MEMBER_LINE = re.compile(r"^\t[0-9a-f]+\t\s*\d+\s+(\S+)")
HEADER_LINE = re.compile(r"^(Magic|MajorSubsystemVersion|MinorSubsystemVersion)\s+(\S+)")


def problems(listing):
    header, imports, dll = {}, [], None
    for line in listing.splitlines():
        if match := HEADER_LINE.match(line):
            header[match[1]] = match[2]
        elif match := DLL_LINE.match(line):
            dll = match[1]
            imports.append((dll, None))
        elif dll and (match := MEMBER_LINE.match(line)):
            imports.append((dll, match[1]))

    if not imports or len(header) < 3:
        yield "no header or import table found; is this the output of objdump -p?"
        return
    if header["Magic"] != "020b":
        yield "not a 64-bit (PE32+) image"
    subsystem = (int(header["MajorSubsystemVersion"]), int(header["MinorSubsystemVersion"]))
    if subsystem > FLOOR:
        yield "subsystem version %d.%d: Windows 7 refuses to start it" % subsystem
    for dll, function in imports:
        if function is None:
            for prefix, since in NEWER_LIBRARIES.items():
                if dll.lower().startswith(prefix):
                    yield "imports %s, which needs %s" % (dll, since)
        elif function in NEWER_FUNCTIONS:
            yield "%s (%s) needs %s; look it up with GetProcAddress instead" % (function, dll, NEWER_FUNCTIONS[function])


def main(argv):
    if argv[:1] == ["--objdump"] and len(argv) == 3:
        listing = subprocess.run([argv[1], "-p", argv[2]], check=True, capture_output=True, text=True).stdout
    elif argv[:1] == ["--listing"] and len(argv) == 2:
        with open(argv[1], encoding="utf-8") as file:
            listing = file.read()
    else:
        sys.exit(__doc__.split("usage: ")[1])
    name = argv[-1]
    found = list(problems(listing))
    for problem in found:
        print("%s: %s" % (name, problem))
    if found:
        sys.exit(1)
    print("%s: runs on 64-bit Windows 7 and later" % name)


if __name__ == "__main__":
    main(sys.argv[1:])
