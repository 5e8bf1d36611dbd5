"""Every text the link tools show goes through linkText and has its Chinese in link_texts.cpp,
and every text there is still used: a new message without its translation, or a message whose
English changed in one place only, fails here.

  check_texts.py LINKTOOLS_SOURCE_DIR
"""
import os
import re
import sys

# The functions that translate texts (linkText and the helpers over it), with the positions of
# the arguments they translate.
TRANSLATING = {"linkText": [0], "countText": [1, 2], "askText": [0], "askYesNo": [0],
               "askKeyword": [0, 1], "utf8Text": [0]}
TABLE_FILE = "link_texts.cpp"


def decode(body):
    return re.sub(r'\\(.)', lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), body)


def arguments(source, start):
    """The top-level arguments of the call whose "(" is at start, each as its source text."""
    depth, i, args, current = 0, start, [], ""
    while i < len(source):
        c = source[i]
        if c == '"':
            end = i + 1
            while source[end] != '"':
                end += 2 if source[end] == "\\" else 1
            current += source[i:end + 1]
            i = end + 1
            continue
        if c in "({[":
            depth += 1
            if depth == 1 and c == "(":
                i += 1
                continue
        elif c in ")}]":
            depth -= 1
            if depth == 0:
                args.append(current)
                return args
        elif c == "," and depth == 1:
            args.append(current)
            current = ""
            i += 1
            continue
        current += c
        i += 1
    return args


def literal(arg):
    """The text of an argument made of string literals only, else None."""
    parts = re.findall(r'u"((?:[^"\\]|\\.)*)"', arg)
    rest = re.sub(r'u"((?:[^"\\]|\\.)*)"', "", arg)
    if not parts or rest.strip():
        return None
    return decode("".join(parts))


def used_texts(root):
    texts = {}
    pattern = re.compile(r"\b(%s)\s*\(" % "|".join(TRANSLATING))
    for folder, _, files in os.walk(root):
        for name in files:
            if not name.endswith((".cpp", ".h")) or name == TABLE_FILE:
                continue
            path = os.path.join(folder, name)
            source = open(path, encoding="utf-8").read()
            for match in pattern.finditer(source):
                args = arguments(source, match.end() - 1)
                for position in TRANSLATING[match.group(1)]:
                    text = literal(args[position]) if position < len(args) else None
                    if text is not None:
                        texts.setdefault(text, f"{os.path.relpath(path, root)}")
    return texts


def table_texts(root):
    source = open(os.path.join(root, "core", TABLE_FILE), encoding="utf-8").read()
    table = source[source.index("kTexts[]"):]
    pairs = {}
    for entry in re.finditer(r"\{((?:\s*u\"(?:[^\"\\]|\\.)*\")+)\s*,((?:\s*u\"(?:[^\"\\]|\\.)*\")+)\s*\}",
                             table):
        english, chinese = literal(entry.group(1)), literal(entry.group(2))
        if english in pairs:
            sys.exit(f"{english!r} is in the table twice")
        pairs[english] = chinese
    return pairs


def main():
    root = sys.argv[1]
    used, table = used_texts(root), table_texts(root)
    missing = sorted(set(used) - set(table))
    unused = sorted(set(table) - set(used))
    for text in missing:
        print(f"no Chinese for {text!r} ({used[text]})")
    for text in unused:
        print(f"translated but never used: {text!r}")
    placeholders = [e for e, c in table.items()
                    if sorted(re.findall(r"%\d", e)) != sorted(re.findall(r"%\d", c))]
    for text in placeholders:
        print(f"the Chinese of {text!r} does not have the same placeholders")
    if len(used) < 50:
        print(f"only {len(used)} texts found: the search for them is broken")
        sys.exit(1)
    sys.exit(1 if missing or unused or placeholders else 0)


main()
