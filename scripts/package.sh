#!/usr/bin/env bash
# Builds the Debian packages (tabulon, libgravik1, libgravik-dev) and runs the checks that
# Debian and the desktops apply: lintian on each package, desktop-file-validate on the desktop
# entry and appstreamcli on the metainfo, as installed in the package. Installs the checking
# tools when they are missing (Debian packages, needs root or sudo).
#   scripts/package.sh [BUILD_DIR]     (default: build, configured with the default preset)
# The packages are left in BUILD_DIR/packages/. Exit status 0 when every check passed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

bash scripts/setup.sh lintian desktop-file-utils appstream fakeroot

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
[ -f "$build/CMakeCache.txt" ] || cmake --preset default
# Everything that the three packages install (the tests and benchmarks are not needed).
cmake --build "$build" --target Tabulon tabulon-cli Gravik tabulon_man_pages
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB -B "$PWD/packages")

status=0
run() {
  echo "\$ $*"
  "$@" || status=1
}
debs=("$build"/packages/*.deb)
for deb in "${debs[@]}"; do
  run dpkg-deb --info "$deb"
done
# Errors fail the check; warnings are shown (--fail-on error is lintian's default).
run lintian --info --display-info "${debs[@]}"

# The desktop entry and the metainfo exactly as the tabulon package installs them.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$build"/packages/tabulon_*.deb "$unpacked"
run desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
run appstreamcli validate --no-net --pedantic "$unpacked"/usr/share/metainfo/*.metainfo.xml

if [ "$status" -eq 0 ]; then
  echo "package checks passed: ${debs[*]}"
else
  echo "package checks FAILED"
fi
exit "$status"
