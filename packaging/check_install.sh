#!/usr/bin/env bash
# Installs the build in BUILD_DIR under a scratch DESTDIR and checks that the installed tzad
# stands on its own: it runs through the bin/ link, takes every library of ours from the
# installed tree, loads its modules with their resource and keyword libraries, and reads the
# installed sample, as tzlinks does; the manual pages are --help's, the desktop entry is valid
# and the MIME package names DXF's other names; the Chinese catalog is installed and found.
# usage: check_install.sh BUILD_DIR VERSION [CMAKE]
set -euo pipefail
build=$1
version=$2
cmake=${3:-cmake}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

DESTDIR="$scratch/dest" "$cmake" --install "$build" --prefix /opt/tzad >"$scratch/install.log" ||
  fail "install: $(cat "$scratch/install.log")"
root="$scratch/dest/opt/tzad"
tzad="$root/bin/tzad"

[ "$(readlink "$tzad")" = ../lib/tzad/tzad ] || fail "bin/tzad is not the link into lib/tzad"
[ -x "$root/lib/tzad/tzad-clipboard-owner" ] || fail "no clipboard owner beside libtzplatform"
"$tzad" --version | grep -qx "tzad $version (module interface [0-9]*)" ||
  fail "--version: $("$tzad" --version 2>&1)"

# Runs a program of the install, away from the build's settings, with the dynamic loader's log
# of what it loads: run_logged NAME PROGRAM ARGS... logs into $scratch/ld.NAME.*
run_logged() {
  local log="$scratch/ld.$1"
  shift
  env -u TZAD_MODULE_PATH -u LD_LIBRARY_PATH -u DISPLAY -u WAYLAND_DISPLAY HOME="$scratch" \
    LD_DEBUG=files LD_DEBUG_OUTPUT="$log" "$@"
}
# loaded_from_install LOG NAMES: every library of ours in the log, linked or loaded later, came
# from the install, and each of NAMES was loaded.
loaded_from_install() {
  local loaded stray name
  loaded=$(sed -n 's/.*calling init: //p' "$1".* | xargs realpath -m)
  stray=$(grep -E '/(libtz(ad|ui|paint|platform)\.so|tzadkwlres\.so|hyperlink(res|core)\.so|linktools(core|web)\.so|HyperLinkDialogs\.so|[^/]*\.tzx)$' \
    <<<"$loaded" | grep -v "^$root/lib/tzad/" || true)
  [ -z "$stray" ] || fail "not the installed ones: $stray"
  for name in $2; do
    grep -q "/$name\$" <<<"$loaded" || fail "$name was not loaded"
  done
}

# A short session away from the build: HELP lists the module's commands, -HYPERLINK asks with
# its keywords and reads its strings, and LIST shows the link on the installed sample.
cp "$root/share/tzad/samples/site_plan.dxf" "$scratch/plan.dxf"
printf '%s\n' HELP -HYPERLINK i o 91 '' https://example.com/ '' '' LIST 91 '' >"$scratch/session.scr"
transcript=$(cd "$scratch" && run_logged tzad "$tzad" --lang en --script session.scr plan.dxf 2>&1) ||
  fail "session: $transcript"
for expected in "HYPERLINKOPEN" "PASTEASHYPERLINK" "HYPERLINKCHECK" "Enter an option [Remove/Insert]" \
  "https://example.com/"; do
  grep -qF -- "$expected" <<<"$transcript" || fail "no \"$expected\" in: $transcript"
done
! grep -qi "error\|cannot load" <<<"$transcript" || fail "session: $transcript"
libraries="libtzad.so libtzplatform.so tzadkwlres.so cmncmds.tzx HyperLink.tzx hyperlinkcore.so hyperlinkres.so
  LinkTools.tzx linktoolscore.so"
loaded_from_install "$scratch/ld.tzad" "$libraries"
# A script loads no windowing: the window library and the module's dialogs stay on disk; nor
# does it load the network until web checks are asked for.
for name in libtzui.so HyperLinkDialogs.so libtzpaint.so libwx_ libgtk-3 libwebkit2gtk \
  linktoolsweb.so libcurl; do
  ! grep -q "calling init: .*/$name" "$scratch"/ld.tzad.* || fail "a script run loaded $name"
done
# Every library the build makes is installed: those beside libtzad and those of the modules.
for built in "$build"/lib/* "$build"/bin/modules/*; do
  name=${built##*/}
  [ -f "$root/lib/tzad/$name" ] || [ -f "$root/lib/tzad/modules/$name" ] || fail "$name is not installed"
done
run_logged tzdxfinfo "$root/bin/tzdxfinfo" "$scratch/plan.dxf" >/dev/null ||
  fail "tzdxfinfo cannot read the sample"
loaded_from_install "$scratch/ld.tzdxfinfo" "libtzad.so libtzplatform.so"
links=$(TZAD_LANG=en run_logged tzlinks "$root/bin/tzlinks" list --json "$scratch/plan.dxf") ||
  fail "tzlinks cannot list the sample: $links"
grep -qF '"address":"docs/house-details.pdf"' <<<"$links" || fail "tzlinks list: $links"
loaded_from_install "$scratch/ld.tzlinks" "libtzad.so libtzplatform.so hyperlinkcore.so linktoolscore.so"
! grep -q "calling init: .*/libcurl" "$scratch"/ld.tzlinks.* || fail "tzlinks list loaded libcurl"

zcat "$root/share/man/man1/tzad.1.gz" | grep -q TZAD_MODULE_PATH || fail "the manual page is not --help"
zcat "$root/share/man/man1/tzad.1.gz" | grep -q "the folder whose .tzx modules" ||
  fail "the manual page is not --help in English"

# The Chinese catalog is installed, and the installed tzad finds it from its own place, on a
# machine where no Chinese locale is generated.
[ -f "$root/share/locale/zh_CN/LC_MESSAGES/tzad.mo" ] || fail "no share/locale/zh_CN catalog"
help=$(env -u TZAD_LANG -u TZAD_LOCALEDIR -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=zh_CN.UTF-8 \
  "$tzad" --help)
grep -qF "用法: tzad [选项]... [图形]..." <<<"$help" || fail "--help under LANG=zh_CN.UTF-8: $help"
printf '%s\n' -LAYER '' >"$scratch/chinese.scr"
transcript=$(cd "$scratch" && env -u TZAD_LOCALEDIR LANG=C.UTF-8 LANGUAGE= TZAD_LANG=zh \
  "$tzad" --script chinese.scr plan.dxf 2>&1)
grep -qF "命令: -LAYER" <<<"$transcript" || fail "the installed tzad speaks no Chinese: $transcript"
zcat "$root/share/man/man1/tzlinks.1.gz" | grep -qF 'dry\-run' ||
  fail "the manual page of tzlinks is not its --help"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root/share/applications/tzad.desktop" || fail "desktop entry"
fi
if command -v update-mime-database >/dev/null; then
  update-mime-database "$root/share/mime" 2>"$scratch/mime.log" || fail "$(cat "$scratch/mime.log")"
  grep -qx "application/x-dxf image/vnd.dxf" "$root/share/mime/aliases" ||
    fail "MIME aliases: $(cat "$root/share/mime/aliases")"
fi
echo "installed tzad $version runs from $root"
