#!/usr/bin/env bash
# Installs the build folder into a temporary prefix with `cmake --install` and checks the tree:
# the programs run from there, the desktop entry, icon and metainfo name each other and what is
# installed, the manual pages are compressed pages of the right program, the bash completion
# offers every command of tabulon-cli's help, and libGravik's files are all there.
#   test_install_tree.sh BUILD_DIR MAN_PAGES(ON|OFF)
set -uo pipefail
build=$1
man_pages=$2
app=org.orvella.Tabulon
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"; rm -f "$prefix.log"; echo "FAIL: cmake --install"; exit 1
fi
rm -f "$prefix.log"

for program in Tabulon tabulon-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is not an installed executable"
done
share=$prefix/share
expected=(
  "share/applications/$app.desktop"
  "share/icons/hicolor/scalable/apps/$app.svg"
  "share/metainfo/$app.metainfo.xml"
  share/bash-completion/completions/tabulon-cli
  include/gravik/base64.h
)
for package in tabulon libgravik1 libgravik-dev; do
  expected+=("share/doc/$package/copyright" "share/doc/$package/changelog.Debian.gz")
done
[ "$man_pages" = ON ] && expected+=(share/man/man1/Tabulon.1.gz share/man/man1/tabulon-cli.1.gz)
for file in "${expected[@]}"; do
  [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done
for pattern in 'libGravik.so.1' 'libGravik.so' 'cmake/Gravik/GravikConfig.cmake' \
               'cmake/Gravik/GravikTargets.cmake' 'pkgconfig/gravik.pc'; do
  [ -n "$(find "$prefix" -path "*/$pattern" -print -quit)" ] || fail "no $pattern in the install tree"
done

# The installed programs run where they were installed.
help=$("$prefix/bin/tabulon-cli" --help) || fail "installed tabulon-cli --help failed"
"$prefix/bin/Tabulon" --help | grep -q '^usage: Tabulon' || fail "installed Tabulon --help"

# The desktop entry starts an installed program and shows the installed icon; the metainfo
# launches that entry and ships the version of this build.
desktop=$share/applications/$app.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -s "$share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not in the hicolor theme"
grep -q '^Categories=.*Office;.*MedicalSoftware;' "$desktop" || fail "desktop categories"
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$share/metainfo/$app.metainfo.xml" \
  || fail "the metainfo does not launch $app.desktop"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
grep -q "<release version=\"$version\"" "$share/metainfo/$app.metainfo.xml" \
  || fail "the metainfo has no release $version"
grep -q '<svg' "$share/icons/hicolor/scalable/apps/$app.svg" || fail "the icon is not SVG"

# Each manual page is a compressed page of its own program, made from its --help.
if [ "$man_pages" = ON ]; then
  for program in Tabulon tabulon-cli; do
    page=$(gzip -dc "$share/man/man1/$program.1.gz") || { fail "$program.1.gz is not gzip"; continue; }
    grep -qi "^\.TH \"\?$program\"\? \"\?1" <<<"$page" || fail "$program.1 has no .TH $program 1"
  done
  gzip -dc "$share/man/man1/tabulon-cli.1.gz" | grep -q 'exception\\-rules' \
    || fail "tabulon-cli.1 lacks the commands of its --help"
fi

# The completion offers every command that the help lists, and the options of a command.
commands=$(sed -n 's/^  \([a-z][a-z-]*\)\( .*\)\?$/\1/p' <<<"$help" | grep -v '^admin$' | sort -u)
[ -n "$commands" ] || fail "no command found in tabulon-cli --help"
offered=$(bash -c 'source "$1"; COMP_WORDS=(tabulon-cli ""); COMP_CWORD=1; _tabulon_cli;
                   printf "%s\n" "${COMPREPLY[@]}"' _ "$share/bash-completion/completions/tabulon-cli")
for command in $commands admin; do
  grep -qx "$command" <<<"$offered" || fail "completion does not offer the command $command"
done
json=$(bash -c 'source "$1"; COMP_WORDS=(tabulon-cli search --); COMP_CWORD=2; _tabulon_cli;
                printf "%s\n" "${COMPREPLY[@]}"' _ "$share/bash-completion/completions/tabulon-cli")
grep -qx -- --json <<<"$json" || fail "completion does not offer search --json"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) of the install tree failed"; exit 1
fi
echo "install tree in a temporary prefix: all checks passed"
