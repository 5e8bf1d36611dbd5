"""libtzad exports the SDK and the entry point of the host's interface, nothing else.

  check_exports.py LIBTZAD SDK_DIR

Reads the library's dynamic symbols (nm -D) and fails for every name that the SDK headers under
SDK_DIR do not declare in their exported regions (between TZAD_SDK_BEGIN and TZAD_SDK_END: a
class, struct, enum, namespace, function or variable defined there), apart from
tzadHostServices, the one entry point through which tzad's own binaries reach the host
(host/services/host_services.h); and for every member those headers mark TZAD_HOST_ONLY (the
host's way behind an SDK class, which modules must not reach). A name counts by what it is
qualified with first: TzDbDatabase::readDwgFile by TzDbDatabase. A type the SDK only names
(TzDbDatabaseImpl, which it returns by reference) is not declared by it. Prints how many names
it found.
"""
import pathlib
import re
import subprocess
import sys

ENTRY = "tzadHostServices"
KINDS = re.compile(r"^(typeinfo name for|typeinfo for|vtable for|VTT for|guard variable for) ")
# What the linker and the sanitizers add to every library.
TOOLCHAIN = re.compile(r"^(__bss_start|_edata|_end|__odr_asan\.)")
REGION = re.compile(r"TZAD_SDK_BEGIN(.*?)TZAD_SDK_END", re.S)
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)
DECLARING = [
    re.compile(r"\b(?:class|struct|union)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?[:{]"),
    re.compile(r"\benum\s+(?:class\s+|struct\s+)?(\w+)"),
    re.compile(r"\bnamespace\s+(\w+)"),
    re.compile(r"(~?\w+)\s*\("),
    re.compile(r"\b(?:extern|constexpr)\s+[^;(]*?(\w+)\s*(?:\[[^\]]*\])?\s*(?:=[^;]*)?;"),
    re.compile(r"\busing\s+(\w+)\s*="),
    re.compile(r"\btypedef\b[^;]*?(\w+)\s*;"),
]
CLASS_BODY = re.compile(r"\b(?:class|struct)\s+(?:\w+\s+)*?(\w+)\s*(?:final\s*)?(?::[^;{]*)?\{")


def exported(library):
    listing = subprocess.run(["nm", "-D", "--defined-only", "-C", library], check=True,
                             capture_output=True, text=True).stdout
    names = set()
    for line in listing.splitlines():
        parts = line.split(" ", 2)
        if len(parts) == 3:
            names.add(KINDS.sub("", parts[2]))
    return names


def header_texts(folder):
    return [COMMENT.sub("", header.read_text(encoding="utf-8"))
            for header in sorted(pathlib.Path(folder).glob("*.h"))]


def sdk_declarations(texts):
    """The names the exported regions of the SDK headers declare."""
    declared = set()
    for text in texts:
        for region in REGION.findall(text):
            for pattern in DECLARING:
                declared.update(pattern.findall(region))
    return declared


def body_end(text, opening):
    depth = 0
    for at in range(opening, len(text)):
        depth += {"{": 1, "}": -1}.get(text[at], 0)
        if depth == 0:
            return at
    return len(text)


def host_only_members(texts):
    """Class::member for each member the SDK headers mark TZAD_HOST_ONLY, however the
    declaration is spread over lines."""
    members = set()
    for text in texts:
        classes = [(m.end() - 1, body_end(text, m.end() - 1), m.group(1))
                   for m in CLASS_BODY.finditer(text)]
        for mark in re.finditer(r"\bTZAD_HOST_ONLY\b", text):
            statement = re.split(r"[;{]", text[mark.end():], maxsplit=1)[0]
            name = re.search(r"(~?\w+)\s*\(", statement)
            owners = [c for c in classes if c[0] < mark.start() < c[1]]
            if name and owners:
                members.add(f"{max(owners)[2]}::{name.group(1)}")
    return members


def declared_name(name):
    """"tzad::Editor::write(...) const" gives tzad::Editor::write; a function template's
    "Tzad::ErrorStatus tzdbAddNewObject<TzDbLayerTable, TzDbLayerTableRecord>(...)" gives
    tzdbAddNewObject: template arguments go first, as they may hold spaces and parentheses."""
    bare = re.sub(r"\[abi:\w+\]", "", name)
    while (simpler := re.sub(r"<[^<>]*>", "", bare)) != bare:
        bare = simpler
    return bare.split("(", 1)[0].split(" ")[-1]


def outermost(name):
    """What a declared name is qualified with first: its class, namespace or itself."""
    return declared_name(name).split("::")[0]


def main():
    library, sdk_folder = sys.argv[1:3]
    texts = header_texts(sdk_folder)
    declared = sdk_declarations(texts)
    hidden = host_only_members(texts)
    if not hidden:
        print(f"no TZAD_HOST_ONLY members found under {sdk_folder}")
        return 1
    sdk, entry, stray = 0, 0, []
    for name in sorted(exported(library)):
        if TOOLCHAIN.match(name):
            continue
        if name == ENTRY:
            entry += 1
        elif declared_name(name) in hidden or outermost(name) not in declared:
            stray.append(name)
        else:
            sdk += 1
    print(f"{sdk} SDK names and {entry} entry point of the host's interface ({ENTRY})")
    if entry != 1:
        print(f"{ENTRY} is not exported: tzad's own binaries cannot reach the host")
    for name in stray:
        print(f"exported, but not the SDK's: {name}")
    return 1 if stray or entry != 1 else 0


if __name__ == "__main__":
    sys.exit(main())
