#!/bin/sh
# SPDX-License-Identifier: MIT
# zarvitone-cli at the system's limits: saves past the file-size limit and in a
# folder that takes no new file, a full standard output, memory running out.
# Usage: cli_files_test.sh ZARVITONE-CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
{ echo "dt 0.002"; for c in A B C D F G; do echo "${c}1 1"; echo "${c}2 1"; echo "${c}3 1"; done; } >"$work/new.scene"
"$cli" make "$work/new.scene" "$work/new.ato" && cp "$work/new.ato" "$work/old.ato" && printf 'x' >>"$work/old.ato" &&
  cp "$work/old.ato" "$work/kept.ato" && chmod a+r "$work"/* || fail "setting up"

# Past the file-size limit (a scene is 6296 bytes): "Disk full.", the old file whole.
(ulimit -f 4; exec "$cli" make "$work/new.scene" "$work/old.ato") 2>"$work/err"
[ $? -eq 1 ] && [ "$(cat "$work/err")" = "zarvitone-cli: $work/old.ato: Disk full." ] || fail "$(cat "$work/err")"
cmp -s "$work/old.ato" "$work/kept.ato" && [ -z "$(ls -A "$work" | grep '^\.zv-')" ] || fail "old file changed"

# A folder that takes no new file: a writable file in it is written in place.
# Root writes anywhere, so the folder is tried as nobody.
mkdir "$work/locked" && cp "$work/old.ato" "$work/locked/scene.ato" && chmod 666 "$work/locked/scene.ato" &&
  chmod 555 "$work/locked" || fail "locking"
user=""
[ "$(id -u)" -eq 0 ] && user="setpriv --reuid=65534 --regid=65534 --clear-groups"
# Past the limit there, the bytes written go back: the old file whole.
(ulimit -f 4; exec $user "$cli" make "$work/new.scene" "$work/locked/scene.ato") 2>"$work/err"
[ $? -eq 1 ] && [ "$(cat "$work/err")" = "zarvitone-cli: $work/locked/scene.ato: Disk full." ] || fail "$(cat "$work/err")"
cmp -s "$work/locked/scene.ato" "$work/kept.ato" || fail "in place: old file cut short"
$user "$cli" make "$work/new.scene" "$work/locked/scene.ato" 2>"$work/err" || fail "in place: $(cat "$work/err")"
cmp -s "$work/locked/scene.ato" "$work/new.ato" || fail "not written in place"

# Standard output on a full disk fails the command, whatever it prints.
for args in --help --version "show --help" "show $work/new.ato" "new -"; do
  "$cli" $args >/dev/full 2>"$work/err"
  [ $? -eq 1 ] && grep -q "standard output could not be written" "$work/err" || fail "$args into /dev/full: $(cat "$work/err")"
done

# Out of memory is a message and status 1, not an abort. A sanitizer's
# runtime does not start under the limit: then there is nothing to learn.
if (ulimit -v 300000; exec "$cli" --version) >/dev/null 2>&1; then
  (ulimit -v 300000; exec "$cli" law "$work/new.ato" --samples 10000000) >/dev/null 2>"$work/err"
  [ $? -eq 1 ] && [ "$(cat "$work/err")" = "zarvitone-cli: Out of memory" ] || fail "out of memory: $(cat "$work/err")"
fi
echo PASS
