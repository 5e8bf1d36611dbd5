"""libtzad exports the SDK and the entry point of the host's interface, nothing else.

  check_exports.py LIBTZAD SDK_DIR

Reads the library's dynamic symbols (nm -D) and fails for every name that is not the SDK's (its
prefixes: Tz, tz, Tw, CTz, TZ, kTz, Tzad::, resbuf) and not tzadHostServices, the one entry
point through which tzad's own binaries reach the host (host/services/host_services.h), and for
every member the SDK headers under SDK_DIR mark TZAD_HOST_ONLY (the host's way behind an SDK
class, which modules must not reach). Prints how many names it found.
"""
import pathlib
import re
import subprocess
import sys

SDK = re.compile(r"^(?!tzad::)(Tz|tz|Tw|CTz|TZ|kTz|Tzad::|resbuf\b)")
KINDS = re.compile(r"^(typeinfo name for|typeinfo for|vtable for|VTT for|guard variable for) ")
# What the linker and the sanitizers add to every library.
ENTRY = "tzadHostServices"
TOOLCHAIN = re.compile(r"^(__bss_start|_edata|_end|__odr_asan\.)")


def exported(library):
    listing = subprocess.run(["nm", "-D", "--defined-only", "-C", library], check=True,
                             capture_output=True, text=True).stdout
    names = set()
    for line in listing.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3:
            names.add(KINDS.sub("", parts[2]))
    return names


def host_only_members(folder):
    """Class::member for each member an SDK header marks TZAD_HOST_ONLY."""
    members = set()
    for header in pathlib.Path(folder).glob("*.h"):
        owner = None
        for line in header.read_text(encoding="utf-8").splitlines():
            if match := re.match(r"(?:class|struct)\s+(?:\w+\s+)?(\w+)\b[^;]*$", line):
                owner = match.group(1)
            if owner and (match := re.search(r"TZAD_HOST_ONLY\b.*?(\w+)\s*\(", line)):
                members.add(f"{owner}::{match.group(1)}")
    return members


def declared_name(name):
    """"tzad::Editor::write(...) const" gives tzad::Editor::write; a function template's
    "void tzutDelBuffer<char16_t>(char16_t*&)" gives tzutDelBuffer<char16_t>."""
    head = re.sub(r"\[abi:\w+\]", "", name.split("(", 1)[0])
    return head.split(" ")[-1]


def main():
    library, sdk_folder = sys.argv[1:3]
    hidden = host_only_members(sdk_folder)
    if not hidden:
        print(f"no TZAD_HOST_ONLY members found under {sdk_folder}")
        return 1
    sdk, entry, stray = 0, 0, []
    for name in sorted(exported(library)):
        if TOOLCHAIN.match(name):
            continue
        if declared_name(name) in hidden:
            stray.append(name)
            continue
        if name == ENTRY:
            entry += 1
        elif SDK.match(declared_name(name)) or SDK.match(name):
            sdk += 1
        else:
            stray.append(name)
    print(f"{sdk} SDK names and {entry} entry point of the host's interface ({ENTRY})")
    if entry != 1:
        print(f"{ENTRY} is not exported: tzad's own binaries cannot reach the host")
    for name in stray:
        print(f"exported, but not the SDK's: {name}")
    return 1 if stray or entry != 1 else 0


if __name__ == "__main__":
    sys.exit(main())
