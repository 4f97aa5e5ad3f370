#!/usr/bin/python3
"""Reads the JSON of `tessaron-cli info` (first argument) and of `measure`
(second) for the sample scene back with Python's own parser and checks what
a user of the numbers relies on: types, units, and sums that must agree."""

import json
import math
import sys


def main(info_path, gap_path):
    with open(info_path, encoding="utf-8") as f:
        info = json.load(f)
    with open(gap_path, encoding="utf-8") as f:
        gap = json.load(f)
    assert info["units"] == "mm"
    models = info["models"]
    assert len(models) == 7, len(models)
    for m in models:
        assert m["measured"] and m["closed"] and m["manifold"] and m["oriented"], m["name"]
        assert not m["inside_out"] and not m["self_intersecting"], m["name"]
        assert isinstance(m["triangles"], int) and m["triangles"] > 0
        assert m["volume_mm3"] > 0 and math.isclose(m["volume_ml"], m["volume_mm3"] / 1000)
        assert len(m["colour"]) == 3 and len(m["extents_mm"]) == 3
        assert m["largest_diameter_mm"] >= max(m["extents_mm"]) - 1e-9
    by_anatomy = {m["anatomy"]: m for m in models}
    assert set(by_anatomy) == {"kidney", "collecting_system", "stones", "artery", "vein",
                               "tumour", "skin"}

    stones = info["stones"][0]
    assert stones["count"] == len(stones["stones"]) == 3
    total = sum(s["volume_mm3"] for s in stones["stones"])
    assert math.isclose(stones["total_volume_mm3"], total)
    assert math.isclose(total, by_anatomy["stones"]["volume_mm3"], rel_tol=1e-9)
    largest = max(stones["stones"], key=lambda s: s["volume_mm3"])
    assert stones["largest"] == largest["number"]

    kinds = [g["kind"] for g in info["gaps"]]
    assert kinds[:3] == ["tumour_to_collecting_system", "tumour_to_artery", "tumour_to_vein"]
    assert kinds.count("stone_to_skin") == 3 and kinds.count("stone_to_collecting_system") == 3
    for g in info["gaps"]:
        d = math.dist(g["point_from"], g["point_to"])
        assert math.isclose(d, g["distance_mm"], abs_tol=1e-9), g

    (n,) = info["nephrometry"]
    assert n["tumour"] == by_anatomy["tumour"]["name"]
    assert n["R"]["score"] in (1, 2, 3) and n["N"]["score"] in (1, 2, 3)
    assert n["E"]["estimate"] is True and 0 <= n["E"]["outside_share"] <= 1
    assert n["A"] is None and n["L"] is None and n["complete"] is False
    assert n["sum"] == n["R"]["score"] + n["E"]["score"] + n["N"]["score"]
    assert n["computed"] == ["R", "E", "N"]

    first = info["gaps"][0]
    assert gap["from"] == first["from"] and gap["to"] == first["to"]
    assert gap["distance_mm"] == first["distance_mm"]
    assert gap["point_from"] == first["point_from"]
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
