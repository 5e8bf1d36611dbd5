#!/usr/bin/env bash
# Times a script run's start-up on the sample (time, peak memory, libraries loaded). Makes
# drawings of 200,000 and 1,000,000 lines once, then times the user's round trip on each
# (open, select all, a hyperlink on every entity, save as) through tzad and through ezdxf, and
# the database calls beneath tzad's on the first; the drawing view on the first (open to first
# paint and redraws, offscreen) beside ezdxf's drawing add-on; a PDF of the first through tzad's
# EXPORTPDF beside ezdxf's drawing add-on writing one; then, on a virtual display, how long
# tzad takes to show the first drawing in its main window beside LibreCAD, and how
# long the Insert Hyperlink dialog and its list of the first drawing's layouts and views take
# to appear; and tzlinks listing the hyperlinks of 1,000 small drawings and of the first
# drawing beside an ezdxf script that does the same, and checking 10,000 links offline.
#   bench/run_bench.sh BUILD_DIR [LINES...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(200000 1000000)
work=${TZAD_BENCH_DIR:-/tmp/tzad-bench}
mkdir -p "$work"

drawingOf() { echo "$work/lines-$1.dxf"; }
for lines in "${sizes[@]}"; do
  drawing=$(drawingOf "$lines")
  if [ ! -f "$drawing" ]; then
    echo "Making $drawing ($lines lines, one in ten with a hyperlink) with ezdxf..."
    /usr/bin/python3 "$here/../tests/interop/ezdxf_tool.py" make lines "$lines" "$drawing"
  fi
done

echo "== Start-up of a script run: tzad --script with QUIT on the sample"
/usr/bin/python3 "$here/startup_bench.py" "$build/bin/tzad" "$build/bin/modules" \
  "$here/../samples/site_plan.dxf"

echo "== Database calls on $(drawingOf "${sizes[0]}")"
TZAD_BENCH_DRAWING=$(drawingOf "${sizes[0]}") "$build/bench/dxf_bench" \
  --benchmark_filter='BM_(Load|SetHyperlinks|Save)/'

summary=()
declare -A tzadSeconds
for lines in "${sizes[@]}"; do
  drawing=$(drawingOf "$lines")
  fileMiB=$(/usr/bin/python3 -c "import os; print(f'{os.path.getsize(\"$drawing\") / 2**20:.1f}')")
  echo "== Round trip on $drawing ($fileMiB MiB)"
  ours=$(/usr/bin/python3 "$here/tzad_roundtrip.py" "$build/bin/tzad" "$build/bin/modules" \
    "$drawing" "$work/tzad-saved.dxf")
  printf '%s\n' "$ours"
  theirs=$(/usr/bin/python3 "$here/ezdxf_roundtrip.py" "$drawing" "$work/ezdxf-saved.dxf")
  printf '%s\n' "$theirs"
  rm -f "$work/tzad-saved.dxf" "$work/ezdxf-saved.dxf"
  seconds=$(sed -n 's/^TZAD_TOTAL //p' <<<"$ours")
  peak=$(sed -n 's/^TZAD_PEAK_MIB //p' <<<"$ours")
  ezdxf=$(sed -n 's/^EZDXF_TOTAL //p' <<<"$theirs")
  tzadSeconds[$lines]=$seconds
  summary+=("$(/usr/bin/python3 -c "print(f'$lines lines ($fileMiB MiB): tzad {$seconds:.3f} s, ezdxf {$ezdxf:.1f} s: ' \
    f'{$ezdxf / $seconds:.0f} times faster; tzad peak {$peak:.1f} MiB = {$peak / $fileMiB:.2f} x the file')")")
done

echo "== Summary"
printf '%s\n' "${summary[@]}"
if [ ${#sizes[@]} -ge 2 ]; then
  small=${sizes[0]} large=${sizes[-1]}
  /usr/bin/python3 -c "print(f'$large lines take {${tzadSeconds[$large]} / ${tzadSeconds[$small]}:.2f} x the time of $small')"
fi

echo "== Undo of a hyperlink on every entity of $(drawingOf "${sizes[0]}"), through tzad"
/usr/bin/python3 "$here/undo_bench.py" "$build/bin/tzad" "$build/bin/modules" "$(drawingOf "${sizes[0]}")"

echo "== tzlinks beside ezdxf: every hyperlink of 1,000 small drawings and of $(drawingOf "${sizes[0]}"); an offline check of 10,000 links"
/usr/bin/python3 "$here/links_bench.py" "$build/bin/tzlinks" "$work" "$(drawingOf "${sizes[0]}")"

echo "== The Hyperlinks panel in tzad's window on 100,000 linked lines (Xvfb)"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" env NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory TZAD_LANG=en \
    "$build/bench/links_panel_bench" "$build/bin/modules" 100000 | grep '^PANEL_'
else
  echo "(skipped: no xvfb-run)"
fi

viewSize=(1280 800)
drawing=$(drawingOf "${sizes[0]}")
echo "== Drawing view on $drawing at ${viewSize[0]} x ${viewSize[1]}: open to first paint and redraws"
view=$("$build/bench/view_bench" "$drawing" "${viewSize[@]}" "$work/view.png")
printf '%s\n' "$view"
echo "== ezdxf's drawing add-on (matplotlib) rendering the same drawing to a PNG of that size"
theirs=$(/usr/bin/python3 "$here/ezdxf_render.py" "$drawing" "$work/ezdxf.png" "${viewSize[@]}")
printf '%s\n' "$theirs"
paint=$(sed -n 's/^VIEW_FIRST_PAINT //p' <<<"$view")
toPng=$(sed -n 's/^VIEW_TO_PNG //p' <<<"$view")
redraw=$(sed -n 's/^VIEW_REDRAW_MAX_MS //p' <<<"$view")
strewn=$(sed -n 's/^VIEW_REDRAW_STREWN_MAX_MS //p' <<<"$view")
ezdxfPaint=$(sed -n 's/^EZDXF_PAINT //p' <<<"$theirs")
/usr/bin/python3 -c "print(f'Open to first paint: view {$paint:.3f} s ({$toPng:.3f} s with the PNG written), ' \
  f'ezdxf {$ezdxfPaint:.1f} s: {$ezdxfPaint / $toPng:.0f} times faster; slowest redraw {$redraw:.1f} ms ' \
  f'({$strewn:.1f} ms with 200,000 strewn lines)')"

drawing=$(drawingOf "${sizes[0]}")
echo "== A PDF of $drawing: tzad's EXPORTPDF beside ezdxf's drawing add-on (python3 -m ezdxf draw)"
pdf=$(/usr/bin/python3 "$here/pdf_bench.py" "$build/bin/tzad" "$build/bin/modules" "$drawing")
printf '%s\n' "$pdf"
/usr/bin/python3 - "$pdf" <<'PY'
import sys
got = dict(line.split()[:2] for line in sys.argv[1].splitlines() if line.split()[0].isupper())
ours, theirs = float(got["TZAD_PDF_SECONDS"]), float(got["EZDXF_PDF_SECONDS"])
size, theirSize = int(got["TZAD_PDF_BYTES"]), int(got["EZDXF_PDF_BYTES"])
print(f"PDF: tzad {ours:.3f} s, ezdxf {theirs:.1f} s: {theirs / ours:.0f} times faster; "
      f"tzad's PDF {size / 2**20:.2f} MiB, ezdxf's {theirSize / 2**20:.2f} MiB "
      f"({size / theirSize:.2f} x)")
PY

echo "== From tzad $(basename "$(drawingOf "${sizes[0]}")") to a drawn, idle main window, beside LibreCAD"
/usr/bin/python3 "$here/window_start_bench.py" "$build/bin/tzad" "$build/bin/modules" \
  "$(drawingOf "${sizes[0]}")"

echo "== The Insert Hyperlink dialog on a virtual display"
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null; then
  /usr/bin/python3 "$here/dialog_bench.py" "$build/bin/tzad" "$build/bin/modules" \
    "$(drawingOf "${sizes[0]}")"
else
  echo "skipped: it needs Xvfb and xdotool"
fi
