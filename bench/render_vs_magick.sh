#!/usr/bin/env bash
# Times `orvanel-cli render` of a 6000 x 4000 JPEG pair with a turned right
# view (kinds X, A, L, R as JPEG at real size) against an ImageMagick command
# doing the same work: decode both, turn the right picture, crop both to the
# common frame, append side by side, build the anaglyph from channels, encode.
# Prints the ratio of the best of three runs each (target: at most 0.08).
#   bench/render_vs_magick.sh [build folder] [work folder]
#   (defaults: build-bench, /tmp/orvanel-render-bench; the pair is made once)
set -euo pipefail
build="${1:-build-bench}"
work="${2:-/tmp/orvanel-render-bench}"
cli="$(cd "$build" 2>/dev/null && pwd)/bin/orvanel-cli"
if [ ! -x "$cli" ]; then
  echo "render_vs_magick: $cli not found; build orvanel-cli in $build first" >&2
  exit 2
fi
if ! command -v convert >/dev/null 2>&1; then
  echo "render_vs_magick: ImageMagick's convert is missing" >&2
  exit 2
fi
mkdir -p "$work"
cd "$work"

# Degrees the right picture is turned by; its alignment turns it back.
angle_deg=1.5
angle_rad=$(python3 -c "import math; print(repr(math.radians($angle_deg)))")

if [ ! -s l.jpg ] || [ ! -s r.jpg ]; then
  echo "making the 6000 x 4000 pair (once)..." >&2
  # Plasma at a quarter of the size, enlarged: photograph-like texture, made quickly.
  convert -seed 7 -size 1500x1000 plasma:fractal -resize 6000x4000! \
    -attenuate 0.4 +noise Gaussian -quality 92 l.jpg
  # The right view: the left one turned about its centre and shifted a little.
  convert l.jpg -virtual-pixel edge -distort SRT "3000,2000 1 -$angle_deg 3012,1994" \
    -quality 92 r.jpg
fi

# The alignment that undoes the turn and the shift, as a parameter file.
cat > pair.prm <<PRM
[Orvanel-3D]
version=1.3
fichier=Parametres
[Stereo]
type=1
[separator]
decimal=.
thousand=,
[Left]
filename=$work/l.jpg
rot=0
pt[1].x=3000
pt[1].y=2000
[Right]
filename=$work/r.jpg
rot=$(python3 -c "import math; print(repr(2 * math.pi - $angle_rad))")
posx=-12
posy=6
pt[1].x=3012
pt[1].y=1994
PRM

ours() {
  rm -rf out
  "$cli" render --noini --prm pair.prm --kinds X,A,L,R --format jpg --quality 90 \
    --out "$work/out" --overwrite >/dev/null
}

# The common frame as our left view gives it, centred in the picture.
ours
read -r fw fh < <(identify -format "%w %h\n" out/l/*_L.jpg)
fx=$(( (6000 - fw) / 2 ))
fy=$(( (4000 - fh) / 2 ))
crop="${fw}x${fh}+${fx}+${fy}"

# The distribution's policy keeps ImageMagick to 256 MiB of memory and 1 GiB
# of disk cache, too little for these pictures: it would fail part way.
cat > policy.xml <<'XML'
<policymap>
  <policy domain="resource" name="memory" value="8GiB"/>
  <policy domain="resource" name="map" value="8GiB"/>
  <policy domain="resource" name="area" value="2GP"/>
  <policy domain="resource" name="disk" value="16GiB"/>
</policymap>
XML
export MAGICK_CONFIGURE_PATH="$work"

theirs() {
  rm -f im_*.jpg
  convert l.jpg -crop "$crop" +repage -write mpr:L +delete \
    \( r.jpg -virtual-pixel black -distort SRT "3012,1994 1 $angle_deg 3000,2000" \
       -crop "$crop" +repage \) -write mpr:R +delete \
    mpr:L -quality 90 -write im_L.jpg +delete \
    mpr:R -quality 90 -write im_R.jpg +delete \
    mpr:R mpr:L +append -quality 90 -write im_X.jpg +delete \
    \( mpr:L -channel R -separate +channel \) \
    \( mpr:R -channel G -separate +channel \) \
    \( mpr:R -channel B -separate +channel \) \
    -combine -quality 90 im_A.jpg
}

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  python3 -c "print($end - $start)"
}

best_ours=1e9
best_theirs=1e9
for _ in 1 2 3; do
  t=$(seconds ours)
  best_ours=$(python3 -c "print(min($best_ours, $t))")
  t=$(seconds theirs)
  best_theirs=$(python3 -c "print(min($best_theirs, $t))")
  if [ ! -s im_A.jpg ] || [ ! -s im_X.jpg ]; then
    echo "render_vs_magick: the ImageMagick command did not write its four files" >&2
    exit 1
  fi
done
python3 - "$best_ours" "$best_theirs" "$fw" "$fh" <<'PY'
import sys
ours, theirs = float(sys.argv[1]), float(sys.argv[2])
ratio = ours / theirs
print(f"frame {sys.argv[3]} x {sys.argv[4]}   orvanel-cli render: {ours:6.2f} s   "
      f"ImageMagick: {theirs:6.2f} s   ratio: {ratio:.3f}   "
      f"({'within' if ratio <= 0.08 else 'ABOVE'} the 0.08 target)")
PY
