# SPDX-License-Identifier: MIT
# Sourced by the shell tests.

# Exits 77 (a skipped test) unless every tool named after the hint is
# installed; the hint names the packages scripts/test installs for them.
require_tools() {
  local hint=$1 tool
  shift
  for tool; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIPPED: $tool is not installed; scripts/test installs $hint"
      exit 77
    fi
  done
}

# Sets `work` to a scratch folder named after the test, removed on exit.
make_work() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/zarvitone-$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
}
