#!/usr/bin/env bash
# The desktop entry, the software-centre metadata, the scene file type and the
# manual pages as the desktop's own tools read them: each validator passes,
# each manual page renders without a warning, and the file type database built
# from our entry gives *.ato its type and the program's icon.
#
# Usage: validate_test.sh DESKTOP-ENTRY METAINFO MIME-XML MANPAGE...
# Exit status 77 (a skipped test) when a validator is missing.
set -euo pipefail
source "$(dirname "$0")/../support/shelltest.sh"

entry=$1 metainfo=$2 mime=$3
shift 3

require_tools "desktop-file-utils, appstream, man-db and shared-mime-info" \
  desktop-file-validate appstreamcli man update-mime-database
make_work desktop

# Hints are advice, not faults: the entry is listed under Science and Education on purpose.
desktop-file-validate --no-hints "$entry"
grep -qx 'Exec=zarvitone %f' "$entry"
grep -qx 'MimeType=application/x-zarvitone-scene;' "$entry"

appstreamcli validate --no-net "$metainfo"
# The metadata launches the entry under the entry's own name.
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo"

for page in "$@"; do
  MANWIDTH=80 man --warnings -l "$page" >"$work/page.txt" 2>"$work/warnings.txt"
  if [ -s "$work/warnings.txt" ]; then
    echo "man warns about $page:"
    cat "$work/warnings.txt"
    exit 1
  fi
  grep -q '^NAME' "$work/page.txt"
done

mkdir -p "$work/mime/packages"
cp "$mime" "$work/mime/packages/"
update-mime-database "$work/mime"
grep -qx 'application/x-zarvitone-scene:\*\.ato' "$work/mime/globs"
grep -qx 'application/x-zarvitone-scene:zarvitone' "$work/mime/icons"
echo "desktop entry, metadata, file type and manual pages pass"
