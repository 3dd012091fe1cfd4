#!/usr/bin/env python3
"""The layering of src/: a layer includes only itself and the layers below it (platform, common,
grid, dropdowns, tables, gateway or protocols, app, main); the protocol families and the gateway
stand side by side and never include one another; in the grid only paint/ includes
paint/GridPaint.h, the painter's inside (everything else reaches painting through the grid's
own headers). Prints each include that breaks a rule and fails when there is one."""

import re
import sys
from pathlib import Path

# Rank of each layer, lowest first; layers of one rank may not include each other.
RANKS = {
    "platform": 0,
    "common": 1,
    "grid": 2,
    "dropdowns": 3,
    "tables": 4,
    "gateway": 5,
    "protocols/fieldbus": 5,
    "protocols/ethernet": 5,
    "protocols/energy_it": 5,
    "app": 6,
    "main": 7,
}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.MULTILINE)
PAINTER = "grid/paint/GridPaint.h"


def layer_of(path):
    """The layer a path below src/ belongs to (the longest matching layer folder)."""
    best = None
    for layer in RANKS:
        if path == layer or path.startswith(layer + "/"):
            if best is None or len(layer) > len(best):
                best = layer
    return best


def violations(src):
    found = []
    for file in sorted(src.rglob("*")):
        if file.suffix not in (".h", ".cpp"):
            continue
        rel = file.relative_to(src).as_posix()
        own = layer_of(rel)
        if own is None:
            continue
        text = file.read_text(encoding="utf-8", errors="replace")
        for included in INCLUDE.findall(text):
            target = layer_of(included)
            if target is None:
                continue  # a header beside the file or from outside src
            if target != own and RANKS[target] >= RANKS[own]:
                found.append(f"{rel}: includes {included} ({target} is not below {own})")
            if included == PAINTER and not rel.startswith("grid/paint/"):
                found.append(f"{rel}: includes {included} (only grid/paint/ may)")
    return found


def main():
    src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / "src")
    found = violations(src)
    for line in found:
        print(line)
    print(f"{len(found)} layering violation(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
