#!/usr/bin/env python3
"""Checks that the code of each layer of the host calls only into itself and the layers it uses.

usage: check_layer_symbols.py NM @LAYER[:USED,...] OBJECT... [@LAYER[:USED,...] OBJECT...]...

The include paths keep a layer from including the headers of a layer above it, but the SDK's
headers are seen by every layer, and the SDK is implemented across them: a layer below the
editor could still call tzutPrintf, which the editor defines. This reads the layers' object
files with NM and reports every symbol a layer refers to that only layers it does not use
define. Symbols no layer defines (the C++ library, the toolkits) are not the layers' business.
Prints one line per fault and exits with 1 when there is any.
"""

import collections
import subprocess
import sys


def parse_arguments(arguments):
    """{layer: (used layers, object files)} from "@layer:used,used object..." arguments."""
    layers = {}
    current = None
    for argument in arguments:
        if argument.startswith("@"):
            current, _, used = argument[1:].partition(":")
            layers[current] = ([u for u in used.split(",") if u], [])
        elif current is not None:
            layers[current][1].append(argument)
    return layers


def usable_layers(layers):
    """{layer: itself and every layer below it}, following the declared uses."""
    usable = {}

    def visit(layer, path):
        if layer not in usable:
            reached = {layer}
            for used in layers.get(layer, ((), ()))[0]:
                if used not in path:
                    reached |= visit(used, path | {layer})
            usable[layer] = reached
        return usable[layer]

    for layer in layers:
        visit(layer, frozenset())
    return usable


def symbols(nm, objects):
    """(defined, referred) global symbols of the objects: what they define, what they need."""
    defined, referred = set(), set()
    if not objects:
        return defined, referred
    output = subprocess.run([nm, "-P", "-g", *objects], check=True, capture_output=True,
                            text=True).stdout
    for line in output.splitlines():
        fields = line.split()
        if len(fields) < 2 or fields[0].endswith(":"):
            continue  # an object's name heading its symbols
        name, kind = fields[0], fields[1]
        if kind == "U":
            referred.add(name)
        elif kind not in ("w", "v"):  # a weak reference needs nothing
            defined.add(name)
    return defined, referred


def demangled(names):
    if not names:
        return {}
    output = subprocess.run(["c++filt"], input="\n".join(names), capture_output=True, text=True)
    readable = output.stdout.splitlines() if output.returncode == 0 else []
    return dict(zip(names, readable)) if len(readable) == len(names) else {n: n for n in names}


def check(nm, layers):
    """The faults of the layers' objects against their declared uses, as lines."""
    usable = usable_layers(layers)
    definers = collections.defaultdict(set)
    referred = {}
    for layer, (_, objects) in layers.items():
        defined, referred[layer] = symbols(nm, objects)
        for name in defined:
            definers[name].add(layer)
    found = []
    for layer in sorted(layers):
        for name in sorted(referred[layer]):
            owners = definers.get(name)
            if owners and not owners & usable[layer]:
                found.append((layer, name, sorted(owners)))
    readable = demangled([name for _, name, _ in found])
    return [f"{layer} calls {readable[name]} of the {' and '.join(owners)} layer, "
            f"which it does not use" for layer, name, owners in found]


def main(argv):
    if len(argv) < 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    faults = check(argv[1], parse_arguments(argv[2:]))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
