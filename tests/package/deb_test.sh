#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian package as a user gets it: cpack builds it from the build tree,
# dpkg-deb unpacks it into a scratch folder, and the unpacked programs run
# from there. Its version is the project's, its dependencies come from the
# binaries (libQt6 among them), and it holds the examples, the manual pages,
# the metadata and the scene file type. lintian finds no error and no
# warning in it (hardening and stripping among its checks).
#
# Usage: deb_test.sh BUILD-DIR VERSION HOMEPAGE
# Exit status 77 (a skipped test) when the packaging tools are missing.
set -euo pipefail
source "$(dirname "$0")/../support/shelltest.sh"

build=$1 version=$2 homepage=$3

require_tools "dpkg-dev, file and lintian" cpack dpkg-deb dpkg-shlibdeps lintian
make_work deb

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/zarvitone_*.deb)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ]
[ "$(dpkg-deb -f "$deb" Section)" = science ]
[ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ]
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6'

root=$work/root
dpkg-deb -x "$deb" "$root"
for file in usr/bin/zarvitone usr/bin/zarvitone-cli \
    usr/share/applications/org.zarvitone.Zarvitone.desktop \
    usr/share/metainfo/org.zarvitone.Zarvitone.metainfo.xml \
    usr/share/mime/packages/org.zarvitone.Zarvitone.xml \
    usr/share/man/man1/zarvitone.1.gz usr/share/man/man1/zarvitone-cli.1.gz \
    usr/share/doc/zarvitone/copyright usr/share/doc/zarvitone/changelog.gz \
    usr/share/zarvitone/examples/blockade.ato usr/share/zarvitone/examples/blockade.txt; do
  [ -s "$root/$file" ] || { echo "missing from the package: $file"; exit 1; }
done

# The change log's latest entry is this version.
gzip -dc "$root/usr/share/doc/zarvitone/changelog.gz" >"$work/changelog"
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version)" = "$version" ]
# The manual pages name the package's data folder.
gzip -dc "$root/usr/share/man/man1/zarvitone.1.gz" | grep -q '^\.I /usr/share/zarvitone/examples$'

# Hardened as Debian builds (stack protector, relocations bound at start) and
# stripped as it strips: no compiler notes.
for program in "$root"/usr/bin/*; do
  [[ $(nm -D "$program") == *" U __stack_chk_fail"* ]] || { echo "$program: no stack protector"; exit 1; }
  [[ $(readelf -d "$program") == *BIND_NOW* ]] || { echo "$program: not bound at start"; exit 1; }
  [[ ! $(readelf -S "$program") =~ \ \.(comment|note)\  ]] || { echo "$program keeps .comment or .note"; exit 1; }
done

# Errors and warnings fail the test; the info-level tags are shown.
lintian --fail-on error,warning --display-info "$deb" >"$work/lintian.txt" 2>&1 || { cat "$work/lintian.txt"; exit 1; }
cat "$work/lintian.txt"

cli=$root/usr/bin/zarvitone-cli
[ "$("$cli" --version)" = "zarvitone-cli $version" ]
# One example through a run: Blockade holds slot 76 where the scene put it.
"$cli" run "$root/usr/share/zarvitone/examples/blockade.ato" --steps 200 --blockade --out "$work/run.ato"
before=$("$cli" show "$root/usr/share/zarvitone/examples/blockade.ato" | grep '^slot 71 ')
after=$("$cli" show "$work/run.ato" | grep '^slot 71 ')
[ "$before" != "$after" ]
[ "$("$cli" show "$work/run.ato" | grep '^slot 76 ')" = "$("$cli" show "$root/usr/share/zarvitone/examples/blockade.ato" | grep '^slot 76 ')" ]
echo "package $(basename "$deb") unpacks and runs"
