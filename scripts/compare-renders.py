#!/usr/bin/env python3
"""Compares what several builds of `marn render` make of the same areas: the
height grid (--grid) and the picture's numbers, legend and labels (--info),
on twelve screen sizes from 427x320 to 3840x2160. Use it to check that a
change of code or of compiler flags leaves every picture as it was.

  scripts/compare-renders.py MARN [MARN ...]

Each MARN is a `marn` or `marn-render` executable (of a build with other
flags, or of an older commit). The areas lie over synthetic tiles (those of
tests/picture/ReferenceValuesTest.cpp: neighbouring nodes differ by up to
32000 m, so a point placed a little off shows in its height), written once
into a temporary directory. Prints one line per difference and exits 1 when
there is any; the first executable is the reference.
"""

import array
import importlib.util
import json
import os
import subprocess
import sys
import tempfile

here = os.path.dirname(os.path.abspath(__file__))
found = importlib.util.spec_from_file_location("reference", os.path.join(here, "reference-values.py"))
reference = importlib.util.module_from_spec(found)
found.loader.exec_module(reference)


def lon_step(south):
    """Node spacing in longitude (seconds) of the tile whose south-west corner is at latitude south."""
    return 6 if south >= 50 or south < -50 else 3


def tile_path(root, south, west):
    """The tile with the south-west corner (south, west): its name counts the
    degrees of the edge nearer the equator and the zero meridian."""
    lon_field = ("E%03d" % west) if west >= 0 else ("W%03d" % (-west - 1))
    lat_field = ("N%02d" % south) if south >= 0 else ("S%02d" % (-south - 1))
    return os.path.join(root, "MARN", lon_field, f"{lon_field}{lat_field}.{lon_step(south)}3E")


def write_tile(root, south, west):
    step = lon_step(south)
    nodes = 101 if step == 3 else 51
    values = array.array("h")
    for block_row in range(12):
        for block_col in range(12):
            for row in range(101):
                lat_seconds = block_row * 300 + row * 3
                values.extend(reference.node_height(lat_seconds, block_col * 300 + i * step, step)
                              for i in range(nodes))
    if sys.byteorder != "little":
        values.byteswap()
    path = tile_path(root, south, west)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        values.tofile(out)


def render(marn, root, screen, area, out_dir):
    w, h = screen
    _screen, lat, lon, km, _tile = area
    grid = os.path.join(out_dir, "grid.bin")
    info = os.path.join(out_dir, "info.json")
    command = [marn] if os.path.basename(marn).startswith("marn-render") else [marn, "render"]
    subprocess.run(command + ["--data-drive", root, "--screen", f"{w}x{h}", f"--center={lat},{lon}",
                    "--length", str(km), "--grid", grid, "--info", info],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(grid, "rb") as g, open(info) as i:
        return g.read(), json.load(i)


def main():
    marns = [os.path.abspath(m) for m in sys.argv[1:]]
    if not marns:
        sys.exit(__doc__)
    differences = 0
    with tempfile.TemporaryDirectory() as root:
        for area in reference.AREAS:
            write_tile(root, *area[4])
        for area in reference.AREAS:
            for screen in reference.SCREENS:
                results = [render(m, root, screen, area, root) for m in marns]
                name = f"{screen[0]}x{screen[1]} at {area[1]},{area[2]} {area[3]} km"
                grid0, info0 = results[0]
                for marn, (grid, info) in zip(marns[1:], results[1:]):
                    if grid != grid0:
                        differing = sum(a != b for a, b in zip(array.array("h", grid), array.array("h", grid0)))
                        print(f"{name}: {marn}: grid differs ({differing} heights, sizes {len(grid)}, {len(grid0)})")
                        differences += 1
                    for key in sorted(set(info0) | set(info)):
                        if info.get(key) != info0.get(key):
                            print(f"{name}: {marn}: {key} {info.get(key)} instead of {info0.get(key)}")
                            differences += 1
    print(f"compare-renders: {len(marns)} builds, {len(reference.AREAS) * len(reference.SCREENS)} pictures, "
          f"{differences} differences")
    sys.exit(1 if differences else 0)


if __name__ == "__main__":
    main()
