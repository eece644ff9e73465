#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A dump read back by ASE: frame count, steps, species, and the first and last
# frames against the scenes they came from, velocities as ASE's own and as
# the velo column OVITO reads. Skipped (77) without python3-ase.
set -euo pipefail
cli=$1 python=
for candidate in python3 /usr/bin/python3; do # Debian's ASE is the system python's
  "$candidate" -c 'import ase.io' 2>/dev/null && { python=$candidate; break; }
done
[ -n "$python" ] || { echo "python3-ase is not installed: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$cli" new "$dir/start.scene"
"$cli" make "$dir/start.scene" "$dir/start.ato"
"$cli" run "$dir/start.ato" --steps 40 --every 10 --dump "$dir/run.xyz" --out "$dir/end.ato"
"$cli" show "$dir/end.ato" >"$dir/end.scene"
"$python" - "$dir" <<'PYTHON'
import sys, ase.io
folder = sys.argv[1]
frames = ase.io.read(folder + "/run.xyz", index=":")
assert [f.info["step"] for f in frames] == [0, 10, 20, 30, 40], [f.info for f in frames]
for frame, scene in ((frames[0], "start.scene"), (frames[-1], "end.scene")):
    rows = [line.split() for line in open(folder + "/" + scene) if line.startswith("slot ")]
    expected = [[float(v) for v in row[3:9]] for row in rows if row[2] != "0"]
    assert frame.get_chemical_symbols() == ["X"] * len(expected) == ["X"] * 4, frame.get_chemical_symbols()
    assert frame.get_positions().tolist() == [row[:3] for row in expected], (scene, frame.get_positions())
    assert frame.get_velocities().tolist() == [row[3:] for row in expected], (scene, frame.get_velocities())
    assert frame.arrays["velo"].tolist() == [row[3:] for row in expected], (scene, frame.arrays["velo"])
assert frames[0].get_positions().tolist() != frames[-1].get_positions().tolist(), "nothing moved"
print(f"ASE read {len(frames)} frames of {len(frames[0])} points")
PYTHON
