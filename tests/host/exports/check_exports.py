"""libtzad exports the SDK and the host's own interface, nothing else.

  check_exports.py LIBTZAD HOST_DIR SDK_DIR

Reads the library's dynamic symbols (nm -D) and fails for every name that is neither the SDK's
(its prefixes: Tz, tz, Tw, CTz, TZ, kTz, Tzad::, resbuf) nor declared with TZAD_HOST_API in a
header under HOST_DIR, and for every member the SDK headers under SDK_DIR mark TZAD_HOST_ONLY
(the host's way behind an SDK class, which modules must not reach). Prints how many names each
kind has.
"""
import pathlib
import re
import subprocess
import sys

SDK = re.compile(r"^(?!tzad::)(Tz|tz|Tw|CTz|TZ|kTz|Tzad::|resbuf\b)")
KINDS = re.compile(r"^(typeinfo name for|typeinfo for|vtable for|VTT for|guard variable for) ")
# What the linker and the sanitizers add to every library.
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


def host_interface(folder):
    """The names that host headers mark TZAD_HOST_API: classes and functions."""
    declared = set()
    for header in pathlib.Path(folder).rglob("*.h"):
        text = header.read_text(encoding="utf-8")
        declared.update(re.findall(r"(?:class|struct)\s+TZAD_HOST_API\s+(\w+)", text))
        for declaration in re.findall(r"TZAD_HOST_API\b[^;{]*", text):
            if match := re.search(r"(~?\w+)\s*\(", declaration):
                declared.add(match.group(1))
    return declared


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


def qualified_parts(name):
    return [part for part in re.sub(r"<.*>", "", declared_name(name)).split("::") if part]


def main():
    library, folder, sdk_folder = sys.argv[1:4]
    allowed = host_interface(folder)
    hidden = host_only_members(sdk_folder)
    if not hidden:
        print(f"no TZAD_HOST_ONLY members found under {sdk_folder}")
        return 1
    sdk, host, stray = 0, 0, []
    for name in sorted(exported(library)):
        if TOOLCHAIN.match(name):
            continue
        if declared_name(name) in hidden:
            stray.append(name)
            continue
        if SDK.match(declared_name(name)) or SDK.match(name):
            sdk += 1
        elif any(part in allowed for part in qualified_parts(name)):
            host += 1
        else:
            stray.append(name)
    print(f"{sdk} SDK names, {host} of the host's own interface (TZAD_HOST_API)")
    for name in stray:
        print(f"exported, but host-only or neither the SDK's nor marked TZAD_HOST_API: {name}")
    return 1 if stray else 0


if __name__ == "__main__":
    sys.exit(main())
