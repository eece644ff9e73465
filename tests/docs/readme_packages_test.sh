# SPDX-License-Identifier: MIT
# Every package scripts/setup and scripts/test install is named in the
# README's set-up section, so the list there cannot fall behind the scripts.
set -eu
root=$1
build=$(sed -n '/^packages=(/,/^)/{s/#.*//;p}' "$root/scripts/setup" | tr -d '()' | sed 's/packages=//')
tests=$(sed -n '/^scripts\/setup /,/[^\\]$/p' "$root/scripts/test" | sed 's/scripts\/setup//; s/\\//')
[ "$(echo $build | wc -w)" -ge 8 ] && [ "$(echo $tests | wc -w)" -ge 10 ] || {
  echo "cannot read the package lists of scripts/setup and scripts/test"; exit 1; }
setup_section=$(sed -n '/^## Set-up/,/^## /p' "$root/README.md")
status=0
for package in $build $tests; do
  grep -qF "\`$package\`" <<<"$setup_section" || { echo "README.md does not name $package"; status=1; }
done
exit $status
