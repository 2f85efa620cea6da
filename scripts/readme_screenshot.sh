#!/usr/bin/env bash
# Runs a real molybdenum study under a virtual X server and saves pictures of the forms:
# docs/form1.png (the display form with a drawn energy-fluence map and a point spectrum),
# docs/form2.png (the spectrum form with the beam-axis spectrum), both again in English
# (docs/form1_en.png, docs/form2_en.png), docs/form2_layers.png and form2_layers_en.png (a
# W/Ag spectrum with a compression plate), and at 1366 x 768 in both languages the spectrum
# form after an engine run (docs/form2_run*.png), the display form with three numbered
# points (docs/form1_points*.png) and the quantitative map view (docs/map_view*.png),
# docs/report_map.png and docs/report_spectra.png (the map and spectrum figures of a saved
# set), docs/strip_*.png (the calibration strip's three states in both languages, on a
# 1366 x 768 screen), docs/heel_dialog_en.png and every form and the engine's console window in build/screenshots/study/.
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
# The English pictures come from a second study on a common laptop screen, 1366 x 768,
# where the display form is shown shrunk to fit.
mkdir -p "$shots/1366x768"
PALVANE_SCREENSHOT_DIR=$shots/1366x768 xvfb-run -a -s "-screen 0 1366x768x24" \
  env QT_QPA_PLATFORM=xcb "$build/bin/readme_pictures"
for picture in form1 form2 report_map report_spectra; do
  cp "$shots/$picture.png" "$root/docs/$picture.png"
done
cp "$shots/form2_layers.png" "$root/docs/form2_layers.png"
for picture in form1_en form2_en form2_layers_en form2_run form2_run_en form1_points \
  form1_points_en map_view map_view_en; do
  cp "$shots/1366x768/$picture.png" "$root/docs/$picture.png"
done
# The calibration strip's three states in both languages, on the 1366 x 768 screen.
for state in uncalibrated calibrated not_for_these_settings; do
  for suffix in "" _en; do
    cp "$shots/1366x768/strip_$state$suffix.png" "$root/docs/strip_$state$suffix.png"
  done
done
cp "$shots/1366x768/heel_dialog_en.png" "$root/docs/heel_dialog_en.png"
echo "Saved docs/form1.png, docs/form2.png, docs/report_map.png, docs/report_spectra.png (1600 x 1000 screen), docs/form1_en.png, docs/form2_en.png, docs/form2_layers*.png, docs/form2_run*.png, docs/form1_points*.png, docs/map_view*.png, docs/strip_*.png, docs/heel_dialog_en.png (1366 x 768) and every picture in $shots"
