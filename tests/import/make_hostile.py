#!/usr/bin/python3
"""Writes hostile and contradictory DICOM files, segmentations and structure
sets, each a few kilobytes, for the hostile-file tests.

    make_hostile.py OUT_DIR    the files and a line of JSON per case: its file,
                               "refused", "warned" or "loaded", and part of
                               what must be said
"""

import json
import os
import struct
import sys
import zlib

import numpy as np
import pydicom
from pydicom.data import get_testdata_file
from pydicom.encaps import encapsulate, generate_pixel_data_frame

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_dicom_seg import Grid, Segment, ellipsoid, seg_dataset, save  # noqa: E402
from make_rtstruct import contour_item, ellipse, roi, structure_set  # noqa: E402

DEFLATED = "1.2.840.10008.1.2.1.99"


def element(group, number, vr, value):
    """One explicit little-endian element."""
    if vr in (b"OB", b"OW", b"SQ", b"UN", b"UT"):
        return struct.pack("<HH2sHI", group, number, vr, 0, len(value)) + value
    return struct.pack("<HH2sH", group, number, vr, len(value)) + value


def text(value):
    data = value.encode()
    return data + (b"\0" if len(data) % 2 else b"")


def deflated_file(data_set):
    """A file of the deflated transfer syntax holding `data_set` (explicit
    little-endian elements), compressed as raw deflate."""
    meta = (element(2, 1, b"OB", b"\0\1")
            + element(2, 2, b"UI", text("1.2.840.10008.5.1.4.1.1.7"))
            + element(2, 3, b"UI", text("1.2.826.0.1.3680043.8.498.9"))
            + element(2, 0x10, b"UI", text(DEFLATED)))
    meta = element(2, 0, b"UL", struct.pack("<I", len(meta))) + meta
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    body = b"".join(packer.compress(part) for part in data_set) + packer.flush()
    return b"\0" * 128 + b"DICM" + meta + body


def deep_nesting(depth):
    """Sequences of undefined length, each in an item of the one before."""
    opening = struct.pack("<HH2sHI", 0x0040, 0xA730, b"SQ", 0, 0xFFFFFFFF)
    opening += struct.pack("<HHI", 0xFFFE, 0xE000, 0xFFFFFFFF)
    closing = struct.pack("<HHI", 0xFFFE, 0xE00D, 0) + struct.pack("<HHI", 0xFFFE, 0xE0DD, 0)
    return [element(8, 0x60, b"CS", b"OT"), opening * depth, closing * depth]


def bomb(megabytes):
    """A private element of `megabytes` MiB of zeros, given piece by piece."""
    size = megabytes << 20
    head = element(8, 0x60, b"CS", b"OT")
    head += struct.pack("<HH2sHI", 0x0009, 0x1010, b"OB", 0, size)
    return [head] + [bytes(1 << 20)] * megabytes


def patched_stream(name, patch):
    """A pydicom test file whose one compressed frame is changed by `patch`."""
    ds = pydicom.dcmread(get_testdata_file(name))
    frame = next(generate_pixel_data_frame(ds.PixelData, 1))
    ds.PixelData = encapsulate([patch(bytearray(frame))])
    return ds


def siz(frame, width, height):
    at = frame.index(b"\xff\x51")
    struct.pack_into(">II", frame, at + 6, width, height)
    return bytes(frame)


def sof55(frame, lines):
    at = frame.index(b"\xff\xf7")
    struct.pack_into(">H", frame, at + 5, lines)
    return bytes(frame)


def sof(frame, lines):
    at = next(i for i in range(len(frame) - 1)
              if frame[i] == 0xFF and 0xC0 <= frame[i + 1] <= 0xC3)
    struct.pack_into(">H", frame, at + 5, lines)
    return bytes(frame)


def write_dicom(out, say):
    with open(os.path.join(out, "deflated_deep.dcm"), "wb") as f:
        f.write(deflated_file(deep_nesting(10000)))
    say("deflated_deep.dcm", "refused", "nest deeper than 16")
    with open(os.path.join(out, "deflate_bomb.dcm"), "wb") as f:
        f.write(deflated_file(bomb(1024)))
    say("deflate_bomb.dcm", "refused", "inflates to more than the 64 MB its header needs")

    ds = patched_stream("MR_small_jp2klossless.dcm", lambda f: siz(f, 4096, 4096))
    ds.save_as(os.path.join(out, "j2k_siz_4096.dcm"))
    say("j2k_siz_4096.dcm", "refused",
        "a JPEG 2000 frame holds 4096 × 4096 pixels where Columns (0028,0011) and Rows "
        "(0028,0010) say 64 × 64")
    ds = patched_stream("MR_small_jpeg_ls_lossless.dcm", lambda f: sof55(f, 65535))
    ds.save_as(os.path.join(out, "jpegls_65535_lines.dcm"))
    say("jpegls_65535_lines.dcm", "refused", "a JPEG-LS frame holds 64 × 65535 pixels")
    ds = patched_stream("JPGExtended.dcm", lambda f: sof(f, 2048))
    ds.save_as(os.path.join(out, "jpeg_2048_lines.dcm"))
    say("jpeg_2048_lines.dcm", "refused", "a JPEG frame holds 256 × 2048 pixels")
    ds = patched_stream("MR_small_jp2klossless.dcm", lambda f: siz(f, 40000, 40000))
    ds.Rows = ds.Columns = 40000
    ds.save_as(os.path.join(out, "j2k_40000.dcm"))
    say("j2k_40000.dcm", "refused",
        "The image would need 6.0 GB, its voxels and the decoded pixels of one compressed file; "
        "Tessaron opens images up to 4.0 GB.")


def blob_grid():
    grid = Grid(cols=16, rows=12, slices=6)
    return grid, ellipsoid(grid, (8, 6, 3), (5, 4, 2.5))


def write_seg(out, say):
    grid, blob = blob_grid()
    one = Grid(cols=16, rows=12, slices=1)
    ds = seg_dataset("", one, [Segment(blob[3:4], "kidney_left")])
    del ds.NumberOfFrames
    save(ds, os.path.join(out, "seg_one_frame_uncounted.dcm"))
    say("seg_one_frame_uncounted.dcm", "loaded", "")

    ds = seg_dataset("", grid, [Segment(blob, "kidney_left")])
    del ds.NumberOfFrames
    frame = (grid.cols * grid.rows + 7) // 8
    ds.PixelData = ds.PixelData[: frame * 3 + (frame * 3) % 2]
    save(ds, os.path.join(out, "seg_uncounted_short.dcm"))
    say("seg_uncounted_short.dcm", "warned",
        "it has per-frame items for 5 frames and pixel data for 3; 3 are read")

    ds = seg_dataset("", grid, [Segment(blob, "kidney_left"), Segment(blob, "Tumor")])
    ds.SegmentSequence[1].SegmentNumber = 1
    save(ds, os.path.join(out, "seg_one_number_twice.dcm"))
    say("seg_one_number_twice.dcm", "warned",
        'Two segments have the number 1; the one labelled "Tumor" is left out.')

    ds = seg_dataset("", grid, [Segment(blob, "kidney_left")])
    measures = ds.SharedFunctionalGroupsSequence[0].PixelMeasuresSequence[0]
    measures.SpacingBetweenSlices = "0.05"
    save(ds, os.path.join(out, "seg_spacing_contradicted.dcm"))
    say("seg_spacing_contradicted.dcm", "warned",
        "Spacing Between Slices (0018,0088) of 0.05 mm contradicts its frames' positions, "
        "1.5 mm apart")


def write_seg_planes(out, say, side=2048):
    """Full planes: three frames, two of them 300 mm from the third, make a
    box of gigabytes; two adjacent frames a surface of millions of faces."""
    far = Grid(cols=side, rows=side, slices=201, step=1.5)
    mask = np.zeros((201, side, side), bool)
    mask[[0, 1, 200]] = True
    save(seg_dataset("", far, [Segment(mask, "Tumor")]),
         os.path.join(out, "seg_planes_far_apart.dcm"))
    say("seg_planes_far_apart.dcm", "refused",
        "more than the 512 MB allowed")
    near = Grid(cols=side, rows=side, slices=2, step=1.5)
    save(seg_dataset("", near, [Segment(np.ones((2, side, side), bool), "Tumor")]),
         os.path.join(out, "seg_full_planes.dcm"))
    say("seg_full_planes.dcm", "refused",
        "voxel faces; Tessaron makes surfaces of up to 4 million")


def write_rtstruct(out, say):
    planes = [ellipse(0, 0, 10, 8, z) for z in (0.0, 2.0, 4.0, 6.0)]
    twice = roi(1, "Kidney_L", planes)
    twice["items"].insert(2, contour_item(planes[1]))
    structure_set(os.path.join(out, "rt_contour_twice.dcm"), [twice])
    say("rt_contour_twice.dcm", "warned",
        'ROI "Kidney_L": contours given twice were left out: 1.')

    square = [(x, y, 0) for x, y in ((0, 0), (4000, 0), (4000, 4000), (0, 4000))]
    huge = roi(1, "Huge", [[(x, y, z) for x, y, _ in square] for z in (0.0, 2.0)])
    tiny = roi(2, "Tiny", [ellipse(0, 0, 0.2, 0.2, z, n=8) for z in (0.0, 2.0)])
    structure_set(os.path.join(out, "rt_huge_and_tiny.dcm"), [huge, tiny])
    say("rt_huge_and_tiny.dcm", "warned",
        'ROI "Huge" is left out: The contours span 4000 × 4000 × 2 mm; a grid of 2 mm would '
        "hold more than 67108864 voxels, or 1048576 in one plane.")

    path = os.path.join(out, "rt_unlisted_roi.dcm")
    structure_set(path, [roi(1, "Kidney_L", planes), roi(7, "Stone", planes)])
    ds = pydicom.dcmread(path)
    del ds.StructureSetROISequence[1]
    ds.save_as(path)
    say("rt_unlisted_roi.dcm", "warned",
        "Contours name ROI number 7 (Referenced ROI Number (3006,0084)), which the Structure "
        "Set ROI Sequence does not list")


def write_cases(out):
    os.makedirs(out, exist_ok=True)

    def say(name, outcome, words):
        print(json.dumps({"case": name, "file": name, "outcome": outcome, "text": words},
                         ensure_ascii=False))

    write_dicom(out, say)
    write_seg(out, say)
    write_seg_planes(out, say)
    write_rtstruct(out, say)


if __name__ == "__main__":
    write_cases(sys.argv[1])
