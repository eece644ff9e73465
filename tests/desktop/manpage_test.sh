#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A program's manual page names the same commands and options as its --help,
# so neither falls behind the other. Both are read generically: the commands
# are the first words of the least indented lines of a "Commands" block (the
# help's "Commands:", the page's COMMANDS), the options every --name anywhere,
# in the top help and in each command's own --help where one answers. --help
# and --version answer on standard output with status 0, with no display.
#
# Usage: manpage_test.sh PROGRAM MANPAGE
# Exit status 77 (a skipped test) when man is missing.
set -euo pipefail
shopt -s nullglob
source "$(dirname "$0")/../support/shelltest.sh"

program=$(realpath "$1") page=$(realpath "$2")
name=$(basename "$program")
require_tools "man-db" man
make_work manpage
cd "$work" # a command that takes --help for a file name writes it here

# No window system: a program that needed one for --help would fail here.
run() { env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$program" "$@" </dev/null; }
run --help >help.txt
[ -s help.txt ]
run --version >version.txt
grep -Eqx "$name [0-9]+(\.[0-9]+)*" version.txt

commands() {
  awk 'tolower($0) ~ /^commands:?$/ { inside = 1; least = 1000; next }
       inside && /^[^ \t]/ { inside = 0 }
       inside && NF { indent = match($0, /[^ ]/); lines[++n] = indent " " $1; if (indent < least) least = indent }
       END { for (k = 1; k <= n; ++k) { split(lines[k], f, " "); if (f[1] == least && f[2] !~ /^-/) print f[2] } }' "$1" | sort -u
}
options() { grep -ho -- '--[a-z0-9][a-z0-9-]*' "$@" | sort -u; }

commands help.txt >help-commands.txt
for command in $(cat help-commands.txt); do
  run "$command" --help >"command-$command.txt" 2>/dev/null || rm "command-$command.txt"
done
options help.txt command-*.txt >help-options.txt

LC_ALL=C MANWIDTH=200 man -l "$page" >page.txt
commands page.txt >page-commands.txt
options page.txt >page-options.txt || true

status=0
diff -u --label "commands in $name --help" --label "commands in $(basename "$page")" help-commands.txt page-commands.txt || status=1
diff -u --label "options in $name --help" --label "options in $(basename "$page")" help-options.txt page-options.txt || status=1
[ -s help-options.txt ] && ((status == 0)) || exit 1
echo "$(basename "$page") names the $(wc -l <help-commands.txt) commands and $(wc -l <help-options.txt) options of $name --help"
