#!/usr/bin/env python3
"""Holds every #include "..." of the project to the allowed directions of cmake/layers.txt.

Usage: check_layers.py SOURCE_DIR [FILE...]
Without FILEs every .h and .cpp below the folders of the matrix is read. Prints one line per include that goes
against the matrix, naming the file, the line and the include, and exits with 1 when there is one.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_matrix(path):
    allowed = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        folder, _, uses = line.partition(":")
        allowed[folder.strip()] = set(uses.split())
    return allowed


def layer_of(path, layers):
    """The most specific folder of the matrix that holds the path, or None."""
    best = None
    for folder in layers:
        if path == folder or path.startswith(folder + "/"):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def check(root, files, allowed):
    problems = []
    for file in files:
        relative = file.relative_to(root).as_posix()
        layer = layer_of(relative, allowed)
        if layer is None:
            continue
        for number, line in enumerate(file.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            included = match.group(1)
            if included.startswith("."):
                included = (file.parent / included).resolve().relative_to(root).as_posix()
            target = layer_of(included, allowed)
            if target is None:
                if (file.parent / included).exists() or (root / included).exists():
                    problems.append(f"{relative}:{number}: #include \"{included}\" is in no folder of the matrix")
                continue
            if target != layer and target not in allowed[layer]:
                problems.append(f"{relative}:{number}: #include \"{included}\": {layer} may not use {target}")
    return problems


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    root = pathlib.Path(argv[1]).resolve()
    allowed = read_matrix(root / "cmake" / "layers.txt")
    if len(argv) > 2:
        files = [pathlib.Path(name).resolve() for name in argv[2:]]
    else:
        files = sorted(p for folder in allowed for p in (root / folder).glob("*") if p.suffix in (".h", ".cpp"))
    if not files:
        print("no source files found", file=sys.stderr)
        return 2
    problems = check(root, files, allowed)
    for problem in problems:
        print(problem)
    print(f"{len(files)} files, {len(problems)} includes against the layers")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
