#!/usr/bin/env bash
# Runs a real molybdenum study under a virtual X server and saves pictures of the forms:
# docs/form1.png (the display form with a drawn energy-fluence map and a point spectrum),
# docs/report_map.png and docs/report_spectra.png (the map and spectrum figures of a saved
# set) and every form and the engine's console window in build/screenshots/study/.
# Usage: scripts/readme_screenshot.sh [build directory, default build/release]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
shots=$root/build/screenshots/study

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target readme_pictures dornic vessick
# A fresh directory: each run saves a new set folder into it.
rm -rf "$shots"
mkdir -p "$shots" "$root/docs"
PALVANE_SCREENSHOT_DIR=$shots xvfb-run -a -s "-screen 0 1600x1000x24" \
  env QT_QPA_PLATFORM=xcb "$build/bin/readme_pictures"
for picture in form1 report_map report_spectra; do
  cp "$shots/$picture.png" "$root/docs/$picture.png"
done
echo "Saved docs/form1.png, docs/report_map.png, docs/report_spectra.png and $(ls "$shots" | wc -l) pictures in $shots"
