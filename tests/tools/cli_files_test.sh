#!/bin/sh
# zarvitone-cli's saves at the limits of the file system: past the file-size
# limit a save fails with "Disk full." and leaves the old file whole; in a
# folder that takes no new file, a writable old file is written in place.
# Usage: cli_files_test.sh ZARVITONE-CLI
set -u
cli=$1
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

scene_text() {
  echo "dt $1"
  for name in A1 B1 C1 D1 F1 G1 A2 B2 C2 D2 F2 G2 A3 B3 C3 D3 F3 G3; do
    echo "$name 1"
  done
  echo "slot 1 1 0.5 0 0 0 0 0"
}
scene_text 0.001 >"$work/old.scene"
scene_text 0.002 >"$work/new.scene"
chmod 644 "$work/old.scene" "$work/new.scene"
"$cli" make "$work/old.scene" "$work/old.ato" || fail "make old.ato"
"$cli" make "$work/new.scene" "$work/new.ato" || fail "make new.ato"
cp "$work/old.ato" "$work/kept.ato"

# A scene is 6296 bytes: a limit of 4 KiB stops the write part way.
(
  ulimit -f 4
  exec "$cli" make "$work/new.scene" "$work/old.ato"
) 2>"$work/err"
status=$?
[ "$status" -eq 1 ] || fail "exit status $status past the file-size limit"
[ "$(cat "$work/err")" = "zarvitone-cli: $work/old.ato: Disk full." ] || fail "message: $(cat "$work/err")"
cmp -s "$work/old.ato" "$work/kept.ato" || fail "the old file changed"
[ -z "$(ls -A "$work" | grep '^\.zv-')" ] || fail "a temporary file was left behind"

# Root writes into any folder: the locked folder is tried as nobody.
as_user() {
  if [ "$(id -u)" -eq 0 ]; then
    setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
  else
    "$@"
  fi
}
mkdir "$work/locked"
cp "$work/old.ato" "$work/locked/scene.ato"
chmod 666 "$work/locked/scene.ato"
chmod 555 "$work/locked"
as_user "$cli" make "$work/new.scene" "$work/locked/scene.ato" 2>"$work/err" || fail "in place: $(cat "$work/err")"
cmp -s "$work/locked/scene.ato" "$work/new.ato" || fail "the file in the locked folder was not replaced"
as_user "$cli" make "$work/new.scene" "$work/locked/other.ato" 2>"$work/err" && fail "a new file in a locked folder"
[ "$(cat "$work/err")" = "zarvitone-cli: $work/locked/other.ato: File access denied." ] ||
  fail "message: $(cat "$work/err")"
echo "PASS"
