#!/usr/bin/env python3
"""Checks that the host's pieces keep no state beyond what each binary may keep for itself.

usage: check_piece_state.py NM OBJECT...

A layer's pieces (tzad_host_pieces in cmake/HostLayers.cmake) are linked into libtzad and into
each of tzad's binaries that uses them, so a variable of theirs exists once per binary: what one
binary sets, the others do not see. This reads the objects' symbols with NM and reports every
variable that is not constant (in .data, .bss or thread-local storage) and is not one of those
known to be each binary's own. A variable the binaries must share belongs in a file of libtzad
reached through the host's table (services/host_services.h), as the file replacements' test
settings are. Prints one line per fault and exits with 1 when there is any.
"""

import re
import subprocess
import sys

# Variables whose one copy per binary is what they are for.
OWN = [
    # The random part of a replacement's temporary name: any generator will do.
    re.compile(r"randomSuffix\(\)::generator$"),
]
# Writable sections; .data.rel.ro is written once, by the loader, and is constant after.
WRITABLE = re.compile(r"^\.(data|bss|tdata|tbss)(?!\.rel\.ro)(\.|$)")
# What the compiler adds for exceptions.
TOOLCHAIN = re.compile(r"^DW\.ref\.")
GUARD = "guard variable for "


def variables(nm, path):
    listing = subprocess.run([nm, "-C", "--format=sysv", "--defined-only", path], check=True,
                             capture_output=True, text=True).stdout
    for line in listing.splitlines():
        fields = [field.strip() for field in line.split("|")]
        if len(fields) == 7 and fields[3] in ("OBJECT", "TLS") and WRITABLE.match(fields[6]):
            if not TOOLCHAIN.match(fields[0]):
                yield fields[0].removeprefix(GUARD)


def main():
    nm, objects = sys.argv[1], sys.argv[2:]
    faults = []
    for path in objects:
        for name in variables(nm, path):
            if not any(pattern.search(name) for pattern in OWN):
                faults.append(f"{path}: {name} is a variable each binary gets a copy of")
    for fault in sorted(set(faults)):
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
