#!/usr/bin/env python3
"""Fails unless the manifest a program carries names every Windows from Vista to 11 as supported (so Windows reports
its own version and applies none of the behaviour kept for old programs), lets the program use paths beyond 260
characters and runs it with the rights of whoever started it.

usage: check_manifest.py PROGRAM.exe
"""

import sys
import xml.etree.ElementTree as ElementTree

from check_icon import report

RT_MANIFEST = 24
SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
# Windows reads each element only in its own namespace.
NAMESPACES = {
    "asm1": "urn:schemas-microsoft-com:asm.v1",
    "asm3": "urn:schemas-microsoft-com:asm.v3",
    "compatibility": "urn:schemas-microsoft-com:compatibility.v1",
    "settings2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings",
}


def problems(manifest):
    assembly = ElementTree.fromstring(manifest)
    supported = {os.get("Id", "").lower() for os in
                 assembly.findall("compatibility:compatibility/compatibility:application/compatibility:supportedOS",
                                  NAMESPACES)}
    for guid, name in SUPPORTED_OS.items():
        if guid not in supported:
            yield "%s is not named as a supported system" % name
    long_paths = assembly.findall("asm3:application/asm3:windowsSettings/settings2016:longPathAware", NAMESPACES)
    if [element.text.strip().lower() for element in long_paths if element.text] != ["true"]:
        yield "longPathAware is not true"
    levels = assembly.findall(
        "asm3:trustInfo/asm3:security/asm3:requestedPrivileges/asm3:requestedExecutionLevel", NAMESPACES)
    if [level.get("level") for level in levels] != ["asInvoker"]:
        yield "the requested execution level is not asInvoker alone"


def main(argv):
    if len(argv) != 1:
        sys.exit(__doc__.split("usage: ")[1])

    def check(image):
        manifests = image.resources(RT_MANIFEST)
        return problems(manifests[0][1]) if manifests else ["no manifest"]

    report(argv[0], check, "the manifest names Windows Vista to 11, long paths and asInvoker",
           [ElementTree.ParseError])


if __name__ == "__main__":
    main(sys.argv[1:])
