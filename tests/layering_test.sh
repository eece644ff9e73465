#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Arrows point down: each folder includes only the folders it may use (see
# ARCHITECTURE.md), so the shipped zarvitone-cli carries no benchmark, and
# the fuzz build compiles nothing but the model, the scenes and its own files
# (and includes the tests' header that compares models).
#
# Usage: layering_test.sh SOURCE-DIR
set -euo pipefail
cd "$1"

declare -A may_use=(
  [model]="model"
  [scenes]="model scenes"
  [document]="model scenes document"
  [sweep]="model scenes sweep"
  [view]="model scenes document view"
  [charts]="model scenes document view charts"
  [editor]="model scenes document view editor"
  [ui]="model scenes document sweep view charts editor ui"
  [app]="model scenes ui"
  [tools]="model scenes sweep tools"
  [fuzz]="model scenes fuzz tests" # tests/support: the header that compares models
)
faults=0
for folder in "${!may_use[@]}"; do
  while IFS=: read -r file line used; do
    if [[ " ${may_use[$folder]} " != *" $used "* ]]; then
      echo "$file:$line: $folder/ may not include $used/"
      faults=1
    fi
  done < <(grep -rnoE --include='*.h' --include='*.cpp' '^#include "[a-z]+/' "$folder" | sed -E 's|#include "([a-z]+)/$|\1|')
done
# The fuzz build's own list of what it compiles.
for used in $(grep -oE '\$\{root\}/[a-z]+' fuzz/CMakeLists.txt | sed 's|.*/||' | sort -u); do
  if [[ " model scenes " != *" $used "* ]]; then
    echo "fuzz/CMakeLists.txt builds from $used/"
    faults=1
  fi
done
# The benchmarks' library is linked by the benchmarks alone.
for file in $(grep -l zarv_bench ./*/CMakeLists.txt ./*/*/CMakeLists.txt | grep -v '^\./bench/'); do
  echo "$file links the benchmarks' library"
  faults=1
done
exit $faults
