#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets: small valid inputs and every
section variant the readers know, so the fuzzers start from the interesting
corners instead of from nothing. Run from anywhere; writes into fuzz/corpus/."""

import gzip
import os
import random
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
             "liver.surf", "x", "", ".surf", "почка.surf", "Left Kidney", "Kidney_L", "kidney_cyst_1",
             "GTV_kidney", "renal-pelvis right", "inferior_vena_cava", "iliac_artery_left", " "]
    return {"name_%02d" % i: n.encode("utf-8") for i, n in enumerate(names)}


def big(fmt, values):
    return b"".join(struct.pack(">" + fmt, v) for v in values)


def vtk_seeds():
    head = b"# vtk DataFile Version 3.0\nseed\n"
    points = b"POINTS 4 float\n0 0 0 1 0 0 0 1 0 0 0 1\n"
    grid = head + b"ASCII\nDATASET UNSTRUCTURED_GRID\n" + points
    binary_points = b"POINTS 4 float\n" + big("f", [0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1]) + b"\n"
    return {
        "tetra": grid + b"CELLS 1 5\n4 0 1 2 3\nCELL_TYPES 1\n10\n",
        "mixed_with_data": grid + b"CELLS 3 11\n3 0 1 2\n3 0 2 3\n2 1 3\nCELL_TYPES 3\n5 5 3\n"
        b"POINT_DATA 4\nSCALARS t double 1\nLOOKUP_TABLE default\n1 2 3 4\n"
        b"VECTORS v float\n0 0 1 0 0 1 0 0 1 0 0 1\n"
        b"CELL_DATA 3\nFIELD FieldData 2\nmaterial 1 3 int\n1 2 3\np 2 3 float\n1 2 3 4 5 6\n",
        "offsets": head + b"ASCII\nDATASET POLYDATA\n" + points
        + b"POLYGONS 3 6\nOFFSETS vtktypeint64\n0 3 6\nCONNECTIVITY vtktypeint64\n0 1 2 0 2 3\n",
        "binary_polydata": head + b"BINARY\nDATASET POLYDATA\n" + binary_points
        + b"TRIANGLE_STRIPS 1 5\n" + big("i", [4, 0, 1, 2, 3]) + b"\nVERTICES 1 2\n"
        + big("i", [1, 3]) + b"\nPOINT_DATA 4\nSCALARS s unsigned_char\nLOOKUP_TABLE default\n"
        + bytes([1, 2, 3, 4]) + b"\nCOLOR_SCALARS c 3\n" + bytes(12) + b"\n",
        "voxel_pixel_quadratic": grid + b"CELLS 2 10\n4 0 1 2 3\n4 0 1 3 2\nCELL_TYPES 2\n8 9\n",
        "metadata": head + b"ASCII\nDATASET POLYDATA\n" + points
        + b"METADATA\nINFORMATION 0\n\nPOLYGONS 1 4\n3 0 1 2\n",
        "bad_point": grid + b"CELLS 1 4\n3 0 1 9\nCELL_TYPES 1\n5\n",
        "count_lies": head + b"BINARY\nDATASET POLYDATA\nPOINTS 99999999 double\n\x00\x01",
        "structured": head + b"ASCII\nDATASET STRUCTURED_POINTS\nDIMENSIONS 2 2 2\n",
    }


def nrrd_seeds():
    boxes = bytes((1 if i % 4 < 2 else 2) if 8 <= i < 56 else 0 for i in range(64))
    base = b"NRRD0004\ntype: uint8\ndimension: 3\nsizes: 4 4 4\n"
    seg = (b"NRRD0004\ntype: unsigned char\ndimension: 4\nsizes: 2 4 4 4\nencoding: gzip\n"
           b"space: left-posterior-superior\nkinds: list domain domain domain\n"
           b"space directions: none (1,0,0) (0,1,0) (0,0,2.5)\nspace origin: (-5,3,1)\n"
           b"Segment0_Name:=kidney\nSegment0_Color:=1 0.5 0\nSegment0_LabelValue:=1\nSegment0_Layer:=0\n"
           b"Segment1_Name:=stone\nSegment1_LabelValue:=2\nSegment1_Layer:=1\n\n")
    layered = bytes(b for v in boxes for b in (v, 2 if v == 2 else 0))
    return {
        "raw": base + b"encoding: raw\n\n" + boxes,
        "gzip": base + b"encoding: gzip\nspacings: 0.5 0.5 3\n\n" + gzip.compress(boxes, mtime=0),
        "text": base + b"encoding: text\n\n" + b" ".join(str(v).encode() for v in boxes),
        "seg_layers": seg + gzip.compress(layered, mtime=0),
        "short_big_endian": b"NRRD0005\ntype: short\ndimension: 3\nsizes: 2 2 2\nendian: big\n"
        b"encoding: raw\n\n" + big("h", [0, 1, 2, 3, 0, 0, 7, -1]),
        "float_fraction": b"NRRD0004\ntype: float\ndimension: 3\nsizes: 2 1 1\nendian: little\n"
        b"encoding: raw\n\n" + struct.pack("<ff", 1.0, 0.5),
        "image_ct": b"NRRD0004\ntype: short\ndimension: 3\nsizes: 20 10 10\nendian: little\n"
        b"space: left-posterior-superior\nspace directions: (0.7,0.1,0) (-0.1,0.7,0) (0,0,2)\n"
        b"space origin: (10,-20,30)\nencoding: raw\n\n" + struct.pack("<2000h", *range(-1000, 1000)),
        "sizes_lie": base.replace(b"4 4 4", b"4000 4000 4000") + b"encoding: gzip\n\n" + gzip.compress(boxes, mtime=0),
        "detached": base + b"encoding: raw\ndata file: other.raw\n",
        "table": b"# value name r g b\n1 kidney_left 255 0 0 255\n2 \"renal vein\"\n"
        b"3 1 2 3 255 1 1 \"Label three\"\nx y\n",
    }


def labelmap_seeds():
    unit = bytes([1, 0, 0, 0, 0, 10, 0, 0, 0, 0, 10, 0])  # 1 mm voxels
    flipped = bytes([0xf6, 0, 0, 0, 0, 0xf6, 0, 0, 0, 0, 25, 0])
    ball = bytes(1 if (i - 4) ** 2 + (j - 4) ** 2 + (k - 4) ** 2 < 10 else 0
                 for k in range(8) for j in range(8) for i in range(8))
    halves = bytes(v * (1 + (n % 8 >= 4)) for n, v in enumerate(ball))
    # Voxel-by-voxel labels: voxels of a label meet only along edges and at corners.
    even = bytes([10, 0, 0, 0, 0, 10, 0, 0, 0, 0, 10, 0])
    checkerboard = bytes(1 + (i + j + k) % 2 for k in range(8) for j in range(8) for i in range(8))
    noise = random.Random(23)
    return {
        "checkerboard": bytes([7, 7, 7, 0]) + even + checkerboard,
        "noise_four_labels": bytes([8, 8, 8, 0]) + even + bytes(noise.randrange(5) for _ in range(729)),
        "ball": bytes([8, 8, 8, 0]) + unit + ball,
        "halves_flipped": bytes([8, 8, 8, 0]) + flipped + halves,
        "three_labels": bytes([6, 6, 6, 0]) + unit + bytes((i * 7 + i // 6) % 4 for i in range(216)),
        "int16": bytes([5, 5, 5, 2]) + unit + struct.pack("<%dh" % 125, *[(i % 3) * 300 for i in range(125)]),
        "floats": bytes([4, 4, 4, 3]) + unit + struct.pack("<%df" % 64, *[float(i % 2) for i in range(64)]),
        "single_voxel": bytes([1, 1, 1, 0]) + unit + b"\x05",
    }


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


PLY_HEAD = (b"ply\nformat %s 1.0\ncomment seed\nelement vertex 4\nproperty float x\n"
            b"property float y\nproperty float z\nproperty uchar red\nelement face 2\n"
            b"property list uchar int vertex_indices\nelement edge 1\nproperty int vertex1\n"
            b"property int vertex2\nend_header\n")
QUAD = [0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0]


def ply_seeds():
    def binary(order, fmt):
        body = b""
        for v in range(4):
            body += struct.pack(order + "fffB", *QUAD[3 * v:3 * v + 3], 200)
        body += struct.pack(order + "Biii", 3, 0, 1, 2) + struct.pack(order + "Biiii", 4, 0, 1, 2, 3)
        return PLY_HEAD % fmt + body + struct.pack(order + "ii", 0, 1)

    text = (PLY_HEAD % b"ascii" + b"0 0 0 1\n1 0 0 2\n1 1 0 3\n0 1 0 4\n3 0 1 2\n4 0 1 2 3\n0 1\n")
    return {"ascii": text, "little": binary("<", b"binary_little_endian"),
            "big": binary(">", b"binary_big_endian"),
            "no_end_header": PLY_HEAD.replace(b"end_header", b"comment x"),
            "list_255": text.replace(b"\n3 0 1 2", b"\n255 0 1 2")}


def off_seeds():
    off = b"OFF\n# comment\n4 2 0\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n3 0 1 2\n4 0 1 2 3 255 0 0\n"
    return {"off": off, "coff": off.replace(b"OFF", b"COFF").replace(b"0 0 0\n", b"0 0 0 1 0 0 1\n"),
            "no_header": off[4:], "huge_count": b"OFF\n353000000000 1 0\n0 0 0\n",
            "out_of_range": off.replace(b"3 0 1 2", b"3 0 1 9")}


def stl_seeds():
    facet = (b"facet normal 0 0 1\n outer loop\n  vertex 0 0 0\n  vertex 1 0 0\n"
             b"  vertex 0 1 0\n endloop\nendfacet\n")
    return {"one": b"solid one\n" + facet + b"endsolid one\n",
            "two_solids": b"solid a\n" + facet + b"endsolid\nsolid b\n" + facet * 2,
            "quad_loop": b"solid q\n" + facet.replace(b" endloop", b"  vertex 1 1 0\n endloop")}


GLTF = (b'{"asset":{"version":"2.0"},"buffers":[{"byteLength":44,"uri":"data:application/'
        b'octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAAAAABAAIAAAA="}],'
        b'"bufferViews":[{"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6,'
        b'"byteStride":4}],"accessors":[{"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"},'
        b'{"bufferView":1,"componentType":5123,"count":3,"type":"SCALAR"}],"materials":[{'
        b'"pbrMetallicRoughness":{"baseColorTexture":{"index":0}}}],"textures":[{"source":0}],'
        b'"images":[{"uri":"image.png"}],"meshes":[{"primitives":[{"attributes":{"POSITION":0,'
        b'"TEXCOORD_0":7},"indices":1,"material":3}]}],"nodes":[{"mesh":0,"children":[1]},{}],'
        b'"scenes":[{"nodes":[0]}],"scene":0}')


def gltf_seeds():
    data = GLTF.replace(b',"uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAA'
                        b'AAAAAAAAAAAAAAgD8AAAAAAAABAAIAAAA="', b"")
    data += b" " * ((4 - len(data) % 4) % 4)
    binary = bytes(44)
    glb = (b"glTF" + struct.pack("<II", 2, 28 + len(data) + len(binary))
           + struct.pack("<I", len(data)) + b"JSON" + data
           + struct.pack("<I", len(binary)) + b"BIN\0" + binary)
    return {"gltf": GLTF, "glb": glb, "climbing_uri": GLTF.replace(b"image.png", b"../x.png"),
            "nested": b"[" * 100 + b"]" * 100,
            # positions of two numbers: a flat heap of points, refused
            "positions_vec2": GLTF.replace(b'"count":3,"type":"VEC3"', b'"count":3,"type":"VEC2"')}


def zip_file(parts):
    import io
    import zipfile
    out = io.BytesIO()
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in parts:
            info = zipfile.ZipInfo(name, date_time=(2020, 1, 1, 0, 0, 0))
            z.writestr(info, data, zipfile.ZIP_DEFLATED)
    return out.getvalue()


def labeltable_seeds():
    return {
        "xml": b'<?xml version="1.0"?>\n<LabelTable>\n<Label Key="1" Red="0.5" Green="1" Blue="0">'
               b'kidney</Label>\n<Label Key="2" Red="200" Green="20" Blue="9">kidney_tumor</Label>\n'
               b'</LabelTable>\n',
        "dataset_json": b'{"labels": {"background": 0, "kidney": 1, "tumor": "2", "cyst": [3, 4]}}',
        "descriptions": b'# index R G B alpha vis mesh name\n1 255 0 0 0.5 1 1 "Kidney"\n',
        "colour_table": b"1 kidney 10 20 30 255\n2 liver 1 2 3 0.5\nbad line\n",
    }


def threemf_seeds():
    rels = (b'<Relationships><Relationship Target="/3D/3dmodel.model" Id="r" '
            b'Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/></Relationships>')
    model = b'<model><resources><object id="1"><mesh/></object></resources></model>'
    return {"package": zip_file([("_rels/.rels", rels), ("3D/3dmodel.model", model)]),
            "no_model": zip_file([("_rels/.rels", rels)])}


def session_seeds():
    full = (b'{"tessaron_session": 1, "models": [{"file": "models/kidney.stl", "name": "kidney",'
            b' "color": [220, 40, 40], "opacity": 0.3, "visible": true, "faces": "material",'
            b' "edges": "contour", "points": false, "cut": {"point": [0, 0, 1], "normal": [0, 0.6,'
            b' 0.8], "include": true, "invert": false}}, {"file": "/data/skin.surf", "visible":'
            b' false}], "camera": {"position": [0, -150, 0], "focal_point": [0, 0, 0], "view_up":'
            b' [0, 0, 1], "view_angle": 30, "parallel_scale": 40, "model_view": [0.1, 0, 0, 0, 0,'
            b' 0, 0.1, 0, 0, -0.1, 0, 0, 0, 0, 0, 1], "zoom": 0.1}, "image": {"file": "ct",'
            b' "series": "1.2.3", "window": 400, "level": 40, "slices": {"axial": {"index": 12,'
            b' "shown": true}, "sagittal": {"shown": false}}}, "nephrometry": [{"tumour": "tumour",'
            b' "anterior": "a", "polar": 2}], "stone_score": [{"stones": "stones", "obstruction":'
            b' 1, "calyces": 2}], "gap": {"from": "stones", "to": "skin", "stone": 1}}')
    return {
        "minimum": b'{"tessaron_session": 1, "models": [{"file": "kidney.stl", "color": [220, 40,'
                   b' 40], "opacity": 0.3, "visible": true}], "camera": {"position": [0, -150, 0],'
                   b' "focal_point": [0, 0, 0], "view_up": [0, 0, 1], "view_angle": 30}}',
        "full": full,
        "version_2": b'{"tessaron_session": 2, "models": []}',
        "truncated": full[:200],
        "huge_numbers": b'{"tessaron_session": 1, "models": [{"file": "a", "color": [1e308, -0,'
                        b' 255.4], "opacity": 1e-320}], "image": {"file": "b", "slices": {"axial":'
                        b' {"index": 1e300}}}}',
        "nested": b'{"tessaron_session": 1, "models": ' + b"[" * 200 + b"]" * 200 + b"}",
        # Entries that are no regular files: a pipe, a device, a folder, a system file.
        "names_no_files": b'{"tessaron_session": 1, "models": [{"file": "pipe.stl"}, {"file":'
                          b' "/dev/zero"}, {"file": "/tmp"}, {"file": "/proc/self/status"}],'
                          b' "image": {"file": "/dev/urandom"}}',
    }


def main():
    for target, seeds in (("surf", surf_seeds()), ("hx", hx_seeds()), ("names", name_seeds()),
                          ("files", file_seeds()), ("vtk", vtk_seeds()), ("nrrd", nrrd_seeds()),
                          ("labelmap", labelmap_seeds()), ("labeltables", labeltable_seeds()),
                          ("ply", ply_seeds()),
                          ("off", off_seeds()), ("stl", stl_seeds()), ("gltf", gltf_seeds()),
                          ("3mf", threemf_seeds()), ("session", session_seeds())):
        folder = os.path.join(HERE, "corpus", target)
        os.makedirs(folder, exist_ok=True)
        for name, data in seeds.items():
            with open(os.path.join(folder, name), "wb") as f:
                f.write(data)


if __name__ == "__main__":
    main()
