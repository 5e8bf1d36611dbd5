"""The gettext catalogs of tzad's own texts.

  check_catalogs.py update SOURCE_DIR XGETTEXT MSGMERGE
      extracts the marked texts of host/ and platform/ into po/tzad.pot and merges them into each po/*.po
  check_catalogs.py check SOURCE_DIR XGETTEXT MSGFMT
      fails when tzad.pot lacks a marked text or holds one no longer marked, when zh_CN.po
      leaves a text untranslated or fuzzy, or when a translation drops what the program relies
      on: a {N} value, a menu's shortcut after the tab, a keyword's letter
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

KEYWORD_LIST_NOTE = ("A keyword list: one word for each English keyword, in the same order, "
                     "separated by spaces, each followed by the letters that answer it in "
                     "parentheses, as in 是(Y); the letters are the English keyword's capitals.")
KEYWORDS = ["tr", "trf", "tr8", "trn:1,2", "trw", "markedText", f'keywordList:1,"{KEYWORD_LIST_NOTE}"']
COMPLETE = ["zh_CN"]  # languages that ship: every text translated


def sources(root):
    files = []
    for pattern in ("host/**/*.cpp", "host/**/*.h", "platform/**/*.cpp", "platform/**/*.h"):
        files += glob.glob(os.path.join(root, pattern), recursive=True)
    return sorted(os.path.relpath(f, root) for f in files)


def extract(root, xgettext, output):
    subprocess.run(
        [xgettext, "--language=C++", "--from-code=UTF-8", "--keyword", "--add-comments=TRANSLATORS:",
         "--package-name=tzad", "--msgid-bugs-address=", "--sort-by-file", "-o", output]
        + [f"--keyword={k}" for k in KEYWORDS] + sources(root),
        cwd=root, check=True)


def unquote(text):
    return bytes(text[1:-1], "utf-8").decode("unicode_escape").encode("latin-1").decode("utf-8")


def entries(path):
    """The entries of a .po or .pot file: dicts of msgid, msgid_plural, msgstr (a list), fuzzy,
    notes (the extracted comments)."""
    found, entry, key = [], None, None
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line.strip():
            continue
        if line.startswith("#"):
            if entry is not None and key is not None:
                found.append(entry)
                entry, key = None, None
            entry = entry or {"msgstr": [], "fuzzy": False, "notes": ""}
            if line.startswith("#,") and "fuzzy" in line:
                entry["fuzzy"] = True
            if line.startswith("#."):
                entry["notes"] += line[2:].strip() + " "
            continue
        m = re.match(r'(msgid_plural|msgid|msgstr(?:\[\d+\])?|msgctxt)\s+(".*")$', line)
        if m:
            if m.group(1) == "msgid" and entry is not None and key is not None:
                found.append(entry)
                entry = None
            entry = entry or {"msgstr": [], "fuzzy": False, "notes": ""}
            key = m.group(1)
            if key.startswith("msgstr"):
                entry["msgstr"].append(unquote(m.group(2)))
            else:
                entry[key] = unquote(m.group(2))
        elif line.startswith('"'):
            if key.startswith("msgstr"):
                entry["msgstr"][-1] += unquote(line)
            else:
                entry[key] += unquote(line)
    if entry is not None and key is not None:
        found.append(entry)
    return [e for e in found if e.get("msgid")]


def capitals(word):
    return "".join(c for c in word if "A" <= c <= "Z" or "0" <= c <= "9")


def problems_of(entry):
    """What a translation breaks that the program relies on."""
    english = entry["msgid"]
    said = []
    for text in entry["msgstr"]:
        if not text:
            continue
        wanted = sorted(set(re.findall(r"\{\d+\}", english + entry.get("msgid_plural", ""))))
        got = sorted(set(re.findall(r"\{\d+\}", text)))
        if wanted != got:
            said.append(f"values {got} instead of {wanted}")
        if "\t" in english and english.split("\t")[-1] != text.split("\t")[-1]:
            said.append("the shortcut after the tab differs")
        if "&" in english and "&" not in text:
            said.append("no & before the mnemonic letter")
        if "keyword list" in entry["notes"].lower():
            words, local = english.split(), text.split()
            if len(words) != len(local):
                said.append(f"{len(local)} keywords for {len(words)}")
            elif [capitals(w) for w in words] != [capitals(w) for w in local]:
                said.append("the keywords' letters differ from the English ones")
    return said


def check(root, xgettext, msgfmt):
    failed = False
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, "tzad.pot")
        extract(root, xgettext, fresh)
        marked = {e["msgid"] for e in entries(fresh)}
    listed = {e["msgid"] for e in entries(os.path.join(root, "po", "tzad.pot"))}
    for text in sorted(marked - listed):
        print(f"tzad.pot lacks {text!r}: run the tzad_pot target and translate it")
        failed = True
    for text in sorted(listed - marked):
        print(f"tzad.pot holds {text!r}, which no source marks any more: run the tzad_pot target")
        failed = True
    for po in sorted(glob.glob(os.path.join(root, "po", "*.po"))):
        language = os.path.splitext(os.path.basename(po))[0]
        stats = subprocess.run([msgfmt, "--check", "--statistics", "-o", os.devnull, po],
                               capture_output=True, text=True)
        print(f"{language}: {stats.stderr.strip()}")
        if stats.returncode != 0:
            failed = True
        catalog = entries(po)
        if language in COMPLETE:
            if "untranslated" in stats.stderr or "fuzzy" in stats.stderr:
                print(f"{language}.po leaves texts untranslated or fuzzy")
                failed = True
            missing = marked - {e["msgid"] for e in catalog}
            for text in sorted(missing):
                print(f"{language}.po lacks {text!r}")
                failed = True
        for entry in catalog:
            if entry["fuzzy"]:
                continue
            for problem in problems_of(entry):
                print(f"{language}.po, {entry['msgid']!r}: {problem}")
                failed = True
    return 1 if failed else 0


def update(root, xgettext, msgmerge):
    pot = os.path.join(root, "po", "tzad.pot")
    extract(root, xgettext, pot)
    for po in sorted(glob.glob(os.path.join(root, "po", "*.po"))):
        subprocess.run([msgmerge, "--quiet", "--update", "--backup=none", po, pot], check=True)
    return 0


if __name__ == "__main__":
    action, root, xgettext, other = sys.argv[1:5]
    sys.exit(check(root, xgettext, other) if action == "check" else update(root, xgettext, other))
