#!/usr/bin/env bash
# Starts the real Tabulon offscreen in fresh folders and lets it close itself, as the README's
# run command does with a person at the screen. Checks that the run ends cleanly, that the
# search history of an earlier run survives it, that an edition file that is refused is said and
# the run goes on with the embedded edition, and that wrong arguments are refused.
# usage: run_tabulon_offscreen.sh PATH/TO/Tabulon
set -euo pipefail
program="$1"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
# The find index the program builds at start goes to a cache folder of this run.
export QT_QPA_PLATFORM=offscreen ProgramData="$root/shared" AppData="$root/user" XDG_CACHE_HOME="$root/cache"
mkdir -p "$ProgramData" "$AppData"

# The folder names carry the edition; an earlier run leaves a history behind.
"$program" --quit-after 0 >/dev/null 2>&1
user=$(find "$AppData" -mindepth 1 -maxdepth 1 -type d -name 'Orvella Tabulon *')
[ -d "$user" ] || { echo "FAIL: no user folder under $AppData"; exit 1; }
printf 'gas, Abdomen\r\nfracture\r\n' > "$user/SearchHistory.txt"

# A run of 1.5 seconds: the window opens while the loaders work, then closes by itself.
status=0
timeout 60 "$program" --quit-after 1500 || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: Tabulon ended with status $status"; exit 1; }
[ "$(cat "$user/SearchHistory.txt")" = "$(printf 'gas, Abdomen\r\nfracture\r')" ] ||
  { echo "FAIL: the search history was not kept"; od -c "$user/SearchHistory.txt"; exit 1; }

# A refused edition file: said on standard error and in a box (which --quit-after closes as a
# user would), and the program runs on with its own edition.
printf 'not an edition\n' > "$root/text.edition"
for edition in "$root/absent.edition:cannot be read" "$root/text.edition:is not a Tabulon edition file"; do
  file=${edition%%:*} reason=${edition#*:}
  status=0
  said=$(timeout 60 "$program" --edition "$file" --quit-after 500 2>&1 >/dev/null) || status=$?
  [ "$status" -eq 0 ] || { echo "FAIL: with the refused edition $file Tabulon ended with status $status"; exit 1; }
  grep -qF "The edition file $file $reason" <<<"$said" ||
    { echo "FAIL: the refusal of $file was not said: $said"; exit 1; }
done

status=0
"$program" --edition 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: --edition without a file gave status $status, not 2"; exit 1; }
status=0
"$program" --quit-after soon 2>/dev/null || status=$?
[ "$status" -eq 2 ] || { echo "FAIL: a wrong argument gave status $status, not 2"; exit 1; }
echo "Tabulon started and closed itself offscreen"
