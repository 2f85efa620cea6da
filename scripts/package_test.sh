#!/usr/bin/env bash
# Builds the Debian package from a built tree, checks it with lintian, appstreamcli and
# desktop-file-validate, installs it with apt into a fresh minimal Debian 12 root and runs
# the installed programs there: the engines from PATH (their Result.dat must equal that of
# the build tree's engines byte for byte), sweep without --tables, palvane offscreen
# from the home folder, where it must create ~/Palvane and show its spectrum form, and,
# when the build made python3-palvane, `import palvane` in Debian's python3 computing the
# same Result.dat.
#
# Usage: package_test.sh BUILD_DIR. Needs root (debootstrap, chroot, mount). The base
# root is made once and kept in $PALVANE_ROOT_CACHE (default
# /var/cache/palvane-package-test), with apt's lists and downloaded packages.
set -euo pipefail

build=$(realpath "$1")
source_dir=$(realpath "$(dirname "$0")/..")
cache=${PALVANE_ROOT_CACHE:-/var/cache/palvane-package-test}
work=$build/package-test
root=$work/root

fail() {
  echo "package test: $*" >&2
  exit 1
}

if [ "$(id -u)" -ne 0 ]; then
  echo "package test: needs root for debootstrap and chroot; skipped" >&2
  exit 77
fi

packages=(debootstrap lintian appstream desktop-file-utils)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Unmounts whatever is mounted in a tree, innermost first, then removes the tree; it is
# only removed when nothing is mounted in it any more, so that removing it never reaches
# into the cache or /proc. Used for the root and for a base that debootstrap left half made
# (with its /proc still mounted) when it was stopped.
remove_tree() {
  local tree=$1 mounted
  mounted=$(awk -v tree="$tree/" 'index($2, tree) == 1 { print $2 }' /proc/mounts | sort -r)
  for mount_point in $mounted; do umount "$mount_point" || umount -l "$mount_point" || true; done
  if awk -v tree="$tree/" 'index($2, tree) == 1 { found = 1 } END { exit !found }' /proc/mounts; then
    echo "package test: $tree is still mounted; left in place" >&2
    return 1
  fi
  rm -rf "$tree"
}
cleanup() { remove_tree "$root" || true; }
trap cleanup EXIT

remove_tree "$root"
rm -rf "$work"
mkdir -p "$work" "$cache/archives/partial" "$cache/lists/partial"

# The package and its checks.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" >cpack.log) ||
  fail "cpack failed (see $work/cpack.log)"
deb=$(echo "$work"/palvane_*_amd64.deb)
[ -f "$deb" ] || fail "no palvane_<version>_amd64.deb was made"
python_deb=$(find "$work" -maxdepth 1 -name 'python3-palvane_*_amd64.deb')
lintian --fail-on error "$deb" $python_deb || fail "lintian reports errors"
appstreamcli validate --no-net "$build"/packaging/*.metainfo.xml
desktop-file-validate "$source_dir"/packaging/*.desktop

# A fresh root from the cached base.
if [ ! -d "$cache/base" ]; then
  remove_tree "$cache/base.partial" || fail "$cache/base.partial cannot be removed"
  debootstrap --variant=minbase bookworm "$cache/base.partial" http://deb.debian.org/debian \
    >"$work/debootstrap.log" || fail "debootstrap failed (see $work/debootstrap.log)"
  mv "$cache/base.partial" "$cache/base"
fi
cp -a "$cache/base" "$root"
mount -t proc proc "$root/proc"
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
mount --bind "$cache/lists" "$root/var/lib/apt/lists"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" $python_deb "$root/tmp/"

in_root() { chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }

in_root apt-get update -qq >"$work/update.log" 2>&1 || fail "apt-get update failed (see $work/update.log)"
started=$(date +%s%N)
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" \
  >"$work/install.log" 2>&1 || fail "apt install failed (see $work/install.log)"
echo "package test: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed with its" \
  "dependencies in $((($(date +%s%N) - started) / 1000000)) ms"
if [ -n "$python_deb" ]; then
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
    "/tmp/$(basename "$python_deb")" >"$work/install-python.log" 2>&1 ||
    fail "apt install of $(basename "$python_deb") failed (see $work/install-python.log)"
fi

# The engines from PATH against the build tree's engines.
parameters='0\r\n28.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n'
for engine_program in dornic vessick; do
  run=$root/root/$engine_program
  mkdir -p "$run" "$work/$engine_program"
  in_root sh -c "cp /usr/share/palvane/*.dat /root/$engine_program/"
  cp "$source_dir"/data/*.dat "$work/$engine_program/"
  printf "$parameters" >"$run/B2F.dat"
  printf "$parameters" >"$work/$engine_program/B2F.dat"
  in_root sh -c "cd /root/$engine_program && command -v $engine_program >/dev/null &&
    $engine_program </dev/null >/dev/null" || fail "installed $engine_program failed"
  (cd "$work/$engine_program" && "$build/bin/$engine_program" </dev/null >/dev/null) ||
    fail "build tree's $engine_program failed"
  cmp "$run/Result.dat" "$work/$engine_program/Result.dat" ||
    fail "installed $engine_program's Result.dat differs from the build tree's"
done

# The Python module with the installed tables writes the files of the engines' run above.
if [ -n "$python_deb" ]; then
  in_root python3 -c 'import palvane
setup = palvane.TubeSetup(target="mo", tube_voltage_kv=28, target_angle_deg=22, tilt_angle_deg=0)
palvane.field(setup).write_engine_files("/root/python")' || fail "import palvane failed"
  cmp "$root/root/python/Result.dat" "$work/dornic/Result.dat" ||
    fail "the installed module's Result.dat differs from the build tree's dornic's"
fi

# sweep in a folder without tables takes the installed ones.
in_root sh -c 'mkdir -p /root/sweep && cd /root/sweep && sweep --target mo,w --kv 28' \
  >"$work/sweep.csv" || fail "installed sweep without --tables failed"
[ "$(grep -c ',ok$' "$work/sweep.csv")" -eq 2 ] || fail "sweep did not give two ok rows"

# palvane started in FOLDER for at most SECONDS, ended as soon as it names its working
# folder; prints what it wrote on standard error.
run_palvane() {
  in_root sh -c "cd $1 && QT_QPA_PLATFORM=offscreen palvane 2>/tmp/palvane.err &
    for i in \$(seq $(($2 * 10))); do
      grep -q 'working in' /tmp/palvane.err && break
      sleep 0.1
    done
    kill \$! 2>/dev/null; wait; cat /tmp/palvane.err"
}

# palvane in a folder with the tables works there and makes no folder of its own.
output=$(run_palvane /root/dornic 3)
[ ! -e "$root/root/Palvane" ] || fail "palvane made ~/Palvane although the tables were there"
! grep -q 'working in' <<<"$output" || fail "palvane moved away from the tables: $output"

# palvane from the home folder creates ~/Palvane, copies the tables and shows its form:
# the line naming the folder is printed from the event loop, after the form is shown.
output=$(run_palvane /root 30)
grep -qx 'palvane: working in /root/Palvane' <<<"$output" ||
  fail "palvane did not start in ~/Palvane: $output"
for table in MUs3.dat Mo-STP.dat Materials.dat; do
  cmp "$root/root/Palvane/$table" "$source_dir/data/$table" ||
    fail "~/Palvane/$table is not the installed table"
done

remove_tree "$root"
echo "package test: passed"
