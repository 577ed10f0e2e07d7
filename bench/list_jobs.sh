#!/usr/bin/env bash
# Times `orvanel-cli render --list` of 8 pairs of 6000 x 4000 JPEG views with
# a turned right view (kinds X, A, L, R as JPEG at real size), --jobs 2
# against --jobs 1, and checks that both write the same bytes. Prints the
# ratio of the best of two runs each (target: at most 0.6) and the peak
# resident size of the whole run.
#   bench/list_jobs.sh [build folder] [work folder]
#   (defaults: build-bench, /tmp/orvanel-list-bench; the pairs are made once)
set -euo pipefail
build="${1:-build-bench}"
work="${2:-/tmp/orvanel-list-bench}"
cli="$(cd "$build" 2>/dev/null && pwd)/bin/orvanel-cli"
if [ ! -x "$cli" ]; then
  echo "list_jobs: $cli not found; build orvanel-cli in $build first" >&2
  exit 2
fi
if ! command -v convert >/dev/null 2>&1; then
  echo "list_jobs: ImageMagick's convert is missing (scripts/setup --bench)" >&2
  exit 2
fi
mkdir -p "$work"
cd "$work"

angle_deg=1.5
angle_rad=$(python3 -c "import math; print(repr(math.radians($angle_deg)))")
if [ ! -s l.jpg ] || [ ! -s r.jpg ]; then
  echo "making the 6000 x 4000 pair (once)..." >&2
  convert -seed 7 -size 1500x1000 plasma:fractal -resize 6000x4000! \
    -attenuate 0.4 +noise Gaussian -quality 92 l.jpg
  convert l.jpg -virtual-pixel edge -distort SRT "3000,2000 1 -$angle_deg 3012,1994" \
    -quality 92 r.jpg
fi

# Eight pairs, each under its own names, each with its parameter file.
: > list.txt
for i in 1 2 3 4 5 6 7 8; do
  [ -s "l$i.jpg" ] || cp l.jpg "l$i.jpg"
  [ -s "r$i.jpg" ] || cp r.jpg "r$i.jpg"
  cat > "pair$i.prm" <<PRM
[Orvanel-3D]
version=1.3
fichier=Parametres
[Stereo]
type=1
[separator]
decimal=.
thousand=,
[Left]
filename=$work/l$i.jpg
rot=0
pt[1].x=3000
pt[1].y=2000
[Right]
filename=$work/r$i.jpg
rot=$(python3 -c "import math; print(repr(2 * math.pi - $angle_rad))")
posx=-12
posy=6
pt[1].x=3012
pt[1].y=1994
PRM
  echo "pair$i.prm" >> list.txt
done

run() { # jobs
  rm -rf "out$1"
  "$cli" render --noini --list list.txt --kinds X,A,L,R --format jpg --quality 90 \
    --out "$work/out$1" --overwrite --jobs "$1" --quiet >/dev/null 2>"err$1.txt"
}

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  python3 -c "print($end - $start)"
}

best1=1e9
best2=1e9
for _ in 1 2; do
  t=$(seconds run 1)
  best1=$(python3 -c "print(min($best1, $t))")
  t=$(seconds run 2)
  best2=$(python3 -c "print(min($best2, $t))")
done
if ! diff -r out1 out2 >/dev/null; then
  echo "list_jobs: --jobs 2 wrote other bytes than --jobs 1" >&2
  exit 1
fi
# The peak of the largest single process of a run (the parent or one render).
/usr/bin/time -o peak.txt -f "%M" "$cli" render --noini --list list.txt --kinds X,A,L,R \
  --format jpg --quality 90 --out "$work/outm" --overwrite --jobs 2 --quiet >/dev/null 2>&1
peak_kb=$(tail -1 peak.txt)
python3 - "$best1" "$best2" "$peak_kb" <<'PY'
import sys
one, two, peak = float(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
ratio = two / one
print(f"8 pairs  --jobs 1: {one:6.2f} s   --jobs 2: {two:6.2f} s   ratio: {ratio:.3f}   "
      f"({'within' if ratio <= 0.6 else 'ABOVE'} the 0.6 target)   "
      f"largest single process peak: {int(peak) // 1024} MiB")
PY
