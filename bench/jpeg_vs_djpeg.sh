#!/usr/bin/env bash
# Times our JPEG decoding into a view against djpeg -bmp on the same
# 6000 x 4000 file, in one run, and prints the ratio (target: at most 1.15).
#   bench/jpeg_vs_djpeg.sh [build folder]   (default: build-bench)
set -euo pipefail
build="${1:-build-bench}"
bin="$build/bin/bench_jpegdecode"
if [ ! -x "$bin" ]; then
  echo "jpeg_vs_djpeg: $bin not found; build with: make bench (or -DORVANEL_BENCH=ON)" >&2
  exit 2
fi
if ! command -v djpeg >/dev/null 2>&1; then
  echo "jpeg_vs_djpeg: djpeg missing; run: bash scripts/setup --bench" >&2
  exit 2
fi
json="$(mktemp)"
trap 'rm -f "$json"' EXIT
"$bin" --benchmark_repetitions=7 --benchmark_report_aggregates_only=true \
  --benchmark_out="$json" --benchmark_out_format=json >/dev/null
python3 - "$json" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
median = {r["run_name"].split("/")[0]: r["real_time"] for r in runs if r.get("aggregate_name") == "median"}
ours = median.get("BM_DecodeJpegIntoView")
theirs = median.get("BM_DjpegBmp")
if not ours or not theirs:
    sys.exit("jpeg_vs_djpeg: a benchmark did not run")
ratio = ours / theirs
print(f"decode into view: {ours:8.1f} ms   djpeg -bmp: {theirs:8.1f} ms   ratio: {ratio:.3f}"
      f"   ({'within' if ratio <= 1.15 else 'ABOVE'} the 1.15 target)")
PY
