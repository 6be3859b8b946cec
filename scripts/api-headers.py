#!/usr/bin/env python3
"""Prints the headers that a client of the module may include, one a line, relative to the
include root ("ZuGUIElements/..." and "public/..."): the API and what it includes.

    api-headers.py <source root>

The API: the manager and the client interface, the trees' key names, the platform interfaces,
folder browsing, public/, and the header of every window type and renderer that the module's
tables list (the classes that scripts and casts use). Everything those headers include, and
nothing else, comes with them; the rest of the sources stay private.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"((?:ZuGUIElements|public)/[^"]+)"', re.M)

API_ROOTS = [
    "ZuGUIElements/module/ZuGUIExtraFacoryManager.h",
    "ZuGUIElements/module/IZuGUI.h",
    "ZuGUIElements/host/HostTrees.h",
]
API_FOLDERS = ["ZuGUIElements/platform", "ZuGUIElements/shell", "public"]
TABLES = "ZuGUIElements/module/ModuleTables.cpp"


def source_of(header, root):
    return root / ("gameui/" + header if header.startswith("ZuGUIElements/") else header)


def api_headers(root):
    roots = list(API_ROOTS)
    for folder in API_FOLDERS:
        roots += sorted(folder + "/" + path.name for path in source_of(folder, root).glob("*.h"))
    roots += INCLUDE.findall(source_of(TABLES, root).read_text())
    seen = set()
    todo = roots
    while todo:
        header = todo.pop()
        if header in seen or not header.endswith(".h"):
            continue
        seen.add(header)
        todo += INCLUDE.findall(source_of(header, root).read_text())
    return sorted(seen)


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    for header in api_headers(pathlib.Path(argv[1])):
        print(header)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
