#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small valid inputs and every
section variant the readers know, so the fuzzers start from the interesting
corners instead of from nothing. Run from anywhere; writes into fuzz/corpus/."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = (b"# HyperSurface 0.1 BINARY\n\nParameters {\n    Materials {\n"
          b"        Exterior { Id 1 }\n        Kidney { Id 2, Color 0.8 0.2 0.2 }\n    }\n}\n\n")


def floats(values):
    return b"".join(struct.pack(">f", v) for v in values)


def ints(values):
    return b"".join(struct.pack(">i", v) for v in values)


TETRA = floats([0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1])
TETRA_FACES = ints([1, 3, 2, 1, 2, 4, 2, 3, 4, 1, 4, 3])


def surf_seeds():
    v = b"Vertices 4\n" + TETRA
    tri = b"Triangles 4\n" + TETRA_FACES
    patch = b"Patches 1\n{\nInnerRegion Kidney\nOuterRegion Exterior\n"
    return {
        "minimal": b"Vertices 3\n" + floats([0, 0, 0, 1, 0, 0, 0, 1, 0]) + b"Triangles 1\n" + ints([1, 2, 3]),
        "tetrahedron": HEADER + v + b"\nNBranchingPoints 0\nNVerticesOnCurves 0\nBoundaryCurves 0\n"
        + patch + tri + b"\n}\n",
        "two_sections": HEADER + v + b"Patches 2\n{\n" + b"Triangles 2\n" + TETRA_FACES[:24]
        + b"\n}\n{\nTriangles 2\n" + TETRA_FACES[24:] + b"\n}\n",
        "empty_section": HEADER + v + b"Triangles 0\n\n" + tri,
        "no_vertices": HEADER + b"Patches 0\n",
        "vertices_only": HEADER + v,
        "count_without_digits": b"Vertices x\nVertices 4\n" + TETRA + tri,
        "signed_counts": b"Vertices  +4\n" + TETRA + b"Triangles -1\n" + TETRA_FACES,
        "count_lies": HEADER + b"Vertices 2000000000\n" + TETRA,
        "index_out_of_range": v + b"Triangles 1\n" + ints([1, 2, 5]),
        "index_zero": v + b"Triangles 1\n" + ints([0, 1, 2]),
        "truncated_vertex": HEADER + b"Vertices 4\n" + TETRA[:30],
        "truncated_triangle": v + tri[:30],
        "not_finite": b"Vertices 3\n" + floats([float("nan"), 0, 0, float("inf"), 1e38, 0, -1e38, 1, 0])
        + b"Triangles 1\n" + ints([1, 2, 3]),
        "degenerate": v + b"Triangles 2\n" + ints([1, 1, 1, 2, 3, 3]),
        "word_inside_words": b"NVertices 3\nVVertices 3\nVertice\nVertices 4\n" + TETRA
        + b"XTriangles 9\n" + tri,
        "text_variant": b"# HyperSurface 0.1 ASCII\n\nVertices 3\n0 0 0\n1 0 0\n0 1 0\n"
        b"Patches 1\n{\nTriangles 1\n1 2 3\n}\n",
    }


def hx_seeds():
    line = "[ load ${SCRIPTDIR}/%s ] setLabel {%s}\n"
    return {
        "scene": ("# Tessaron scene\nremove -all\n\n" + "".join(line % (n, n) for n in
                  ["parenhima.surf", "lokhanki.surf", "kamni.surf"]) + "viewer 0 redraw\n").encode(),
        "no_final_newline": (line % ("a.surf", "a.surf")).rstrip("\n").encode(),
        "crlf": (line % ("a.surf", "a.surf")).replace("\n", "\r\n").encode() * 2,
        "comments": b"# [ load ${SCRIPTDIR}/hidden.surf ] setLabel {x}\n\n   \n"
        + (line % ("shown.surf", "shown.surf")).encode(),
        "blanks_in_name": (line % ("a b.surf", "a b.surf")).encode(),
        "no_closing_bracket": b"[ load ${SCRIPTDIR}/open.surf\n",
        "other_prefix": b"[ load $DIR/short.surf ] setLabel {short.surf}\n",
        "two_loads_in_line": b"[ load ${SCRIPTDIR}/a.surf ] [ load ${SCRIPTDIR}/b.surf ] x\n",
        "upper_case": b"[ LOAD ${SCRIPTDIR}/UP.SURF ] setLabel {UP.SURF}\n",
        "paths": b"[ load ${SCRIPTDIR}/../up.surf ] x\n[ load ${SCRIPTDIR}//abs/olute.surf ] x\n",
        "not_utf8": b"[ load ${SCRIPTDIR}/\xff\xfe\xc3.surf ] x\n",
        "empty": b"",
    }


def name_seeds():
    names = ["Opukhol_1.surf", "opykhol.surf", "KrovLeft.surf", "blood_BLOOD.surf", "vena_renalis.surf",
             "pochka.surf", "Kidney.surf", "bone.surf", "BONE.surf", "kamni.surf", "stones.surf",
             "lokhanki.surf", "Lohanki.surf", "skin.surf", "bad.surf", "parenhima.surf", "Piramida.surf",
             "liver.surf", "x", "", ".surf", "почка.surf"]
    return {"name_%02d" % i: n.encode("utf-8") for i, n in enumerate(names)}


def file_seeds():
    """Bundles of files for the load chain: "=== NAME" starts a file, "=== shrink NAME LENGTH"
    cuts it to LENGTH bytes once it is mapped; the first file is opened."""
    line = "[ load ${SCRIPTDIR}/%s ] setLabel {%s.surf}\n"

    def scene(names):
        return ("# scene\n" + "".join(line % (n, n) for n in names)).encode()

    surf = surf_seeds()["tetrahedron"]
    many_points = b"Vertices 5000\n" + floats([0.5] * 15000) + b"Triangles 1\n" + ints([1, 2, 3])
    return {
        "self_listing_scene": b"=== a.hx\n" + scene(["one.surf", "a.hx", "two.surf"])
        + b"=== one.surf\n" + surf + b"\n=== two.surf\n" + surf,
        "scenes_listing_each_other": b"=== a.hx\n" + scene(["b.hx", "one.surf"])
        + b"=== b.hx\n" + scene(["a.hx", "c.hx"]) + b"=== c.hx\n" + scene(["b.hx", "a.hx"])
        + b"=== one.surf\n" + surf,
        "shrinking_surface": b"=== shrink big.surf 4096\n=== big.surf\n" + many_points,
        "shrinking_scene": b"=== shrink s.hx 100\n=== s.hx\n"
        + scene(["one.surf"] * 1000) + b"=== one.surf\n" + surf,
    }


def main():
    for target, seeds in (("surf", surf_seeds()), ("hx", hx_seeds()), ("names", name_seeds()),
                          ("files", file_seeds())):
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
