#!/usr/bin/env bash
# A trajectory dump read back by ASE: the frame count, the species, the step
# of each frame, the positions, velocities and groups of the first and last
# frames against the scenes they came from. Skipped (77) without python3's
# ASE (Debian python3-ase).
set -euo pipefail
cli=$1
# The system's python3 holds Debian's ASE even where another python3 comes first.
python=
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import ase.io' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || { echo "python3-ase is not installed: skipped"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$cli" new "$dir/start.scene"
"$cli" make "$dir/start.scene" "$dir/start.ato"
"$cli" run "$dir/start.ato" --steps 40 --every 10 --dump "$dir/run.xyz" --out "$dir/end.ato"
"$cli" show "$dir/end.ato" >"$dir/end.scene"
"$python" - "$dir" <<'PYTHON'
import sys
import ase.io

folder = sys.argv[1]
frames = ase.io.read(folder + "/run.xyz", index=":")
assert len(frames) == 5, f"{len(frames)} frames"
assert [f.info["step"] for f in frames] == [0, 10, 20, 30, 40], [f.info for f in frames]


def present_slots(scene):
    """x y z u v w of the present slots, in slot order, as scene text gives them."""
    rows = [line.split() for line in open(scene) if line.startswith("slot ")]
    return [[float(v) for v in row[3:9]] for row in rows if row[2] != "0"]


for frame, scene in ((frames[0], "start.scene"), (frames[-1], "end.scene")):
    expected = present_slots(folder + "/" + scene)
    assert frame.get_chemical_symbols() == ["X"] * len(expected), frame.get_chemical_symbols()
    assert frame.get_positions().tolist() == [row[:3] for row in expected], (scene, frame.get_positions())
    assert frame.arrays["vel"].tolist() == [row[3:] for row in expected], (scene, frame.arrays["vel"])
    assert frame.arrays["group"].tolist() == [1] * len(expected), frame.arrays["group"]
assert frames[0].get_positions().tolist() != frames[-1].get_positions().tolist(), "the points never moved"
print(f"ASE read {len(frames)} frames of {len(frames[0])} points")
PYTHON
