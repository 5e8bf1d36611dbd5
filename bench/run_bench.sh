#!/usr/bin/env bash
# Builds the 200,000-line drawing once, then times tzad's and ezdxf's round trips on it.
#   bench/run_bench.sh BUILD_DIR [LINES]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
lines=${2:-200000}
work=${TZAD_BENCH_DIR:-/tmp/tzad-bench}
mkdir -p "$work"
drawing="$work/lines-$lines.dxf"
if [ ! -f "$drawing" ]; then
  echo "Making $drawing ($lines lines, one in ten with a hyperlink) with ezdxf..."
  /usr/bin/python3 "$here/../tests/interop/ezdxf_tool.py" make lines "$lines" "$drawing"
fi
echo "Drawing: $drawing ($(du -m "$drawing" | cut -f1) MiB)"
export TZAD_BENCH_DRAWING="$drawing"
"$build/bench/dxf_bench" --benchmark_filter='BM_(Load|SetHyperlinks|Save)/'
json="$work/roundtrip.json"
"$build/bench/dxf_bench" --benchmark_filter='BM_RoundTrip' --benchmark_out="$json" \
  --benchmark_out_format=json
ours=$(/usr/bin/python3 -c "import json,sys; b=json.load(open('$json'))['benchmarks'][0]; print(b['real_time']/1000)")
theirs=$(/usr/bin/python3 "$here/ezdxf_roundtrip.py" "$drawing" "$work/ezdxf-saved.dxf" | tee /dev/stderr | sed -n 's/^EZDXF_TOTAL //p')
/usr/bin/python3 -c "print(f'tzad round trip {$ours:.3f} s, ezdxf {$theirs:.3f} s: tzad is {$theirs/$ours:.0f} times faster')"
