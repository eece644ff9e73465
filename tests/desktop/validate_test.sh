#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The desktop entry, the software-centre metadata, the scene file type and the
# manual pages as the desktop's own tools read them: each validator passes
# without so much as a hint, each manual page renders without a warning, and
# the file type database built from our entry gives *.ato its type and the
# program's icon. Every screenshot of the metadata is in the source tree at
# the path its address names below the homepage.
#
# Usage: validate_test.sh SOURCE-DIR HOMEPAGE DESKTOP-ENTRY METAINFO MIME-XML MANPAGE...
# Exit status 77 (a skipped test) when a validator is missing.
set -euo pipefail
source "$(dirname "$0")/../support/shelltest.sh"

source_dir=$1 homepage=$2 entry=$3 metainfo=$4 mime=$5
shift 5

require_tools "desktop-file-utils, appstream, man-db and shared-mime-info" \
  desktop-file-validate appstreamcli man update-mime-database
make_work desktop

desktop-file-validate "$entry" >"$work/entry.txt" || { cat "$work/entry.txt"; exit 1; }
[ ! -s "$work/entry.txt" ] || { cat "$work/entry.txt"; exit 1; }
grep -qx 'Exec=zarvitone %f' "$entry"
grep -qx 'MimeType=application/x-zarvitone-scene;' "$entry"

appstreamcli validate --no-net "$metainfo"
# The metadata launches the entry under the entry's own name.
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo"
grep -q "<url type=\"homepage\">$homepage</url>" "$metainfo"
images=$(sed -n 's|.*<image>\(.*\)</image>.*|\1|p' "$metainfo")
[ -n "$images" ]
for image in $images; do
  [[ $image == "$homepage"* ]] || { echo "screenshot outside the homepage: $image"; exit 1; }
  [ -s "$source_dir/${image#"$homepage"}" ] || { echo "screenshot not in the source tree: $image"; exit 1; }
done

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
