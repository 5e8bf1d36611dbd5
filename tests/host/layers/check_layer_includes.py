#!/usr/bin/env python3
"""Checks that each layer of the host includes only from itself and the layers it uses.

usage: check_layer_includes.py HOST_DIR LAYER[:USED,...]...

Each LAYER is a folder of HOST_DIR, given with the layers it declares it uses (as
host/CMakeLists.txt declares them); what those use is usable too. The build already hides the
headers of the other layers from a layer's sources, but a quote include also searches the
including file's own folder, so "../editor/editor.h" would still be found: includes that climb
out of their folder, or name an absolute path, are refused whatever they reach. Every folder of
HOST_DIR must be a declared layer, so that a new one cannot stay outside the rules.
Prints one line per fault and exits with 1 when there is any.
"""

import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc", ".inc"}


def parse_layers(declarations):
    """{layer: [used layers]} from "layer:used,used" arguments."""
    layers = {}
    for declaration in declarations:
        name, _, used = declaration.partition(":")
        layers[name] = [u for u in used.split(",") if u]
    return layers


def usable_layers(layers):
    """{layer: every layer its sources may include from, itself among them}, and the faults of
    the declarations themselves (an unknown layer used, a cycle)."""
    faults = []
    usable = {}

    def visit(layer, path):
        if layer in usable:
            return usable[layer]
        if layer in path:
            faults.append("layers use each other in a cycle: " + " -> ".join(path + [layer]))
            return {layer}
        reached = {layer}
        for used in layers[layer]:
            if used not in layers:
                faults.append(f"layer {layer} uses {used}, which is not a declared layer")
                continue
            reached |= visit(used, path + [layer])
        usable[layer] = reached
        return reached

    for layer in layers:
        visit(layer, [])
    return usable, faults


def check(host, layers):
    """The faults of the host folder's includes against the declared layers, as lines."""
    host = pathlib.Path(host)
    usable, faults = usable_layers(layers)
    folders = sorted(p.name for p in host.iterdir() if p.is_dir())
    for folder in folders:
        if folder not in layers:
            faults.append(f"{host.name}/{folder}: a folder that is not a declared layer")
    for layer in sorted(layers):
        if not (host / layer).is_dir():
            faults.append(f"layer {layer} has no folder {host.name}/{layer}")
            continue
        files = sorted(p for p in (host / layer).rglob("*")
                       if p.is_file() and p.suffix in SOURCE_SUFFIXES)
        for path in files:
            name = path.relative_to(host.parent)
            lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                included = match.group(2)
                parts = included.split("/")
                if included.startswith("/") or ".." in parts:
                    faults.append(f"{name}:{number}: {included} leaves the including folder; "
                                  f"name a header from {host.name}/ instead")
                elif len(parts) > 1 and parts[0] in layers and parts[0] not in usable[layer]:
                    faults.append(f"{name}:{number}: {layer} includes {included} from the "
                                  f"{parts[0]} layer, which it does not use")
    return faults


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    faults = check(argv[1], parse_layers(argv[2:]))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
