#!/usr/bin/env bash
# Builds the Debian package, unpacks it into an empty folder (no installation, no
# chroot) and checks what a person installing it gets: the declared dependencies, the
# menu entry, the icons, the manual page, and the installed program running a headless
# script on its installed data from another folder. A file missing from the package
# fails here, because the installed program never reads the source tree.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target package
version=$(sed -n 's/^project(TesraConnect VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build/tesraconnect_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "package-check: $deb was not made"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package-check: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$work/root"
root="$work/root"
share="$root/usr/share/tesraconnect"

# Dependencies: the libraries read off the program, and the fonts it loads by name.
depends=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 \
         fonts-liberation2 fonts-noto-core fonts-thai-tlwg fonts-dejavu-core; do
  [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || fail "Depends lacks $p: $depends"
done
if ! apt-get install -s -q "./$deb" >"$work/apt.txt" 2>&1; then
  cat "$work/apt.txt" >&2
  fail "apt cannot install the package here"
fi

# The files a person gets.
for f in usr/bin/tesraconnect usr/lib/tesraconnect/modules/tesraconnect-mht.so usr/share/applications/tesraconnect.desktop usr/share/man/man1/tesraconnect.1.gz \
         usr/share/tesraconnect/disc/HWID.ini usr/share/tesraconnect/scripts/walkthrough.tcs; do
  [ -f "$root/$f" ] || fail "the package lacks /$f"
done
for size in 16 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/tesraconnect.png"
  [ -f "$icon" ] || fail "the package lacks the ${size}px icon"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "$(file "$icon")"
done
(cd disc && find . -type f ! -name "*.py") | while read -r f; do
  [ -f "$share/disc/$f" ] || fail "the package lacks the disc's $f"
done
for f in tests/lab/scenarios/*.json; do
  cmp -s "$f" "$share/scenarios/$(basename "$f")" || fail "the package lacks or differs in scenario $(basename "$f")"
done

# The menu entry starts the installed program, and the manual page renders cleanly.
desktop-file-validate "$root/usr/share/applications/tesraconnect.desktop"
grep -qx "Exec=tesraconnect" "$root/usr/share/applications/tesraconnect.desktop" || fail "the menu entry starts something else"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/tesraconnect.1.gz" 2>&1 >"$work/man.txt")
[ -z "$man_warnings" ] || fail "the manual page has warnings: $man_warnings"
for section in NAME SYNOPSIS OPTIONS FILES; do
  grep -q "^$section" "$work/man.txt" || fail "the manual page has no $section section"
done
grep -q -- "--scenario" "$work/man.txt" || fail "the manual page lacks the host options"

# The installed program, with the system's Qt and the installed data, from another folder.
mkdir -p "$work/elsewhere" "$work/home"
cd "$work/elsewhere"
run() {
  env -u LD_LIBRARY_PATH -u QT_PLUGIN_PATH -u XDG_DATA_HOME HOME="$work/home" "$root/usr/bin/tesraconnect" "$@"
}
"$root/usr/bin/tesraconnect" --version | grep -qx "TesraConnect $version" || fail "--version does not say $version"
run --headless --fresh --machine "$work/machine" --scenario "$share/scenarios/xp-sp3.json" \
    --script "$src/tests/package/installed.tcs" --out "$work/out" \
  || { cat "$work/out/result.txt" >&2 || true; fail "the installed program did not run the check script"; }
[ -f "$work/out/after-next.png" ] || fail "the installed program wrote no screenshot"
run --headless --fresh --machine "$work/machine-walk" --script "$share/scripts/walkthrough.tcs" --out "$work/walk" \
  || { cat "$work/walk/result.txt" >&2 || true; fail "the installed walk-through did not run"; }
cd "$src"

# Debian's own package checks, where lintian is installed: errors fail, warnings show.
# Accepted: the project has no licence statement, no Debian changelog and no mail
# address of its own yet, so the package cannot carry them.
if command -v lintian >/dev/null; then
  lintian --allow-root --fail-on error --suppress-tags no-copyright-file,no-changelog,bogus-mail-host "$deb" \
    || fail "lintian found errors"
fi
echo "package-check: $deb installs and runs from its own files"
