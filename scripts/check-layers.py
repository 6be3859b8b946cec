#!/usr/bin/env python3
"""Fails when a file of the module includes a header of a folder below it in the layer order.

    check-layers.py <layers file> <source root>

The layers file names the folders from the bottom up, one a line, `#` starting a comment. Each
folder is <source root>/gameui/ZuGUIElements/<name>, except `public`, which is
<source root>/public. Every `#include "ZuGUIElements/<folder>/..."` and `#include "public/..."`
in a .h, .cpp or .pkg file is checked.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"(?:ZuGUIElements/([A-Za-z_]+)|(public))/', re.M)


def read_layers(path):
    layers = []
    for line in pathlib.Path(path).read_text().splitlines():
        name = line.split("#", 1)[0].strip()
        if name:
            layers.append(name)
    return layers


def folder_of(layer, root):
    if layer == "public":
        return root / "public"
    return root / "gameui" / "ZuGUIElements" / layer


def main(argv):
    if len(argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    layers = read_layers(argv[1])
    root = pathlib.Path(argv[2])
    rank = {name: index for index, name in enumerate(layers)}
    climbs = []
    for layer in layers:
        folder = folder_of(layer, root)
        for source in sorted(folder.rglob("*")):
            if source.suffix not in (".h", ".cpp", ".pkg"):
                continue
            text = source.read_text(errors="replace")
            for match in INCLUDE.finditer(text):
                target = match.group(1) or match.group(2)
                line = text.count("\n", 0, match.start()) + 1
                if target not in rank:
                    climbs.append(f"{source}:{line}: includes folder '{target}', which has no layer")
                elif rank[target] > rank[layer]:
                    climbs.append(f"{source}:{line}: {layer} includes {target}, a layer above it")
    for climb in climbs:
        print(climb)
    if climbs:
        print(f"{len(climbs)} include(s) climb the layers of {argv[1]}")
        return 1
    print(f"{len(layers)} layers, no include climbs them")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
