#!/usr/bin/python3
"""Writes DICOM segmentations of known voxels for the segmentation reader's tests.

    make_dicom_seg.py OUT_DIR    the test cases and a line of JSON per case on
                                 standard output

Each segment's mask is a boolean array [slice, row, column] on a grid of the
case; the JSON gives each segment's voxel count, the voxel's volume, the name
and colour the reader should give, and the mask's centre in our patient frame
(x to the right, y to the front: DICOM's x and y negated).
"""

import json
import os
import random
import sys

import numpy as np
from pydicom.sequence import Sequence
from pydicom.uid import RLELossless, generate_uid

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_dicom import (Series, base_dataset, frame_item, item, oblique_axes,  # noqa: E402
                        shared_groups)

SEG_CLASS = "1.2.840.10008.5.1.4.1.1.66.4"
LEFT, RIGHT = ("7771000", "Left"), ("24028007", "Right")
KIDNEY, STONE = ("64033007", "Kidney"), ("56381008", "Calculus")
UNKNOWN = ("123037004", "Anatomical Structure")


def code(value, meaning, scheme="SCT"):
    return item(CodeValue=value, CodingSchemeDesignator=scheme, CodeMeaning=meaning)


class Grid:
    """A grid of planes: origin in DICOM millimetres, spacing (rows, columns), the
    step between planes along their normal; axial unless row and column say."""

    def __init__(self, cols, rows, slices, spacing=(0.8, 0.6), step=1.5,
                 origin=(-20.0, -15.0, 30.0), row=(1, 0, 0), col=(0, 1, 0)):
        self.cols, self.rows, self.slices = cols, rows, slices
        self.spacing, self.step = spacing, step
        self.origin = np.array(origin, float)
        self.row, self.col = np.array(row, float), np.array(col, float)
        self.normal = np.cross(self.row, self.col)

    def position(self, k):
        return self.origin + self.normal * self.step * k

    def world(self, a, b, c):
        """Our patient frame at voxel (column a, row b, slice c)."""
        p = (self.origin + self.row * a * self.spacing[1] + self.col * b * self.spacing[0]
             + self.normal * c * self.step)
        return [-p[0], -p[1], p[2]]

    def voxel(self):
        return self.spacing[0] * self.spacing[1] * self.step

    def indices(self):
        return np.meshgrid(np.arange(self.slices), np.arange(self.rows), np.arange(self.cols),
                           indexing="ij")


def ellipsoid(grid, centre, radii):
    c, b, a = grid.indices()
    return (((a - centre[0]) / radii[0]) ** 2 + ((b - centre[1]) / radii[1]) ** 2
            + ((c - centre[2]) / radii[2]) ** 2) <= 1.0


def ring(grid, centre, outer, inner, half_height):
    c, b, a = grid.indices()
    r2 = (a - centre[0]) ** 2 + (b - centre[1]) ** 2
    return (r2 <= outer ** 2) & (r2 >= inner ** 2) & (abs(c - centre[2]) <= half_height)


class Segment:
    def __init__(self, mask, label="", prop=None, modifier=None, lab=None, fraction=None,
                 name=None, colour=None):
        self.mask, self.label, self.prop, self.modifier = mask, label, prop, modifier
        self.lab, self.fraction = lab, fraction
        self.name, self.colour = name, colour


def segment_item(number, s):
    prop = code(*(s.prop or UNKNOWN))
    if s.modifier:
        prop.SegmentedPropertyTypeModifierCodeSequence = Sequence([code(*s.modifier)])
    ds = item(SegmentNumber=number, SegmentLabel=s.label, SegmentAlgorithmType="MANUAL",
              SegmentedPropertyCategoryCodeSequence=Sequence([code("91723000", "Anatomical Structure")]),
              SegmentedPropertyTypeCodeSequence=Sequence([prop]))
    if s.lab:
        ds.RecommendedDisplayCIELabValue = list(s.lab)
    return ds


def frame_bytes(masks_or_values, fractional):
    if not masks_or_values:
        return b""
    flat = np.concatenate([m.ravel() for m in masks_or_values])
    if fractional:
        return flat.astype(np.uint8).tobytes()
    # First pixel in the lowest bit, frames back to back.
    data = np.packbits(flat.astype(np.uint8), bitorder="little").tobytes()
    return data + (b"\0" if len(data) % 2 else b"")


def seg_dataset(path, grid, segments, fractional=False, order=None, referenced=None,
                frame_of_reference=None, keep_empty=False):
    ds = base_dataset(path, SEG_CLASS)
    ds.Modality, ds.SeriesInstanceUID = "SEG", generate_uid()
    ds.FrameOfReferenceUID = frame_of_reference or generate_uid()
    if referenced:
        ds.ReferencedSeriesSequence = Sequence([item(SeriesInstanceUID=referenced)])
    ds.SegmentationType = "FRACTIONAL" if fractional else "BINARY"
    if fractional:
        ds.SegmentationFractionalType = "PROBABILITY"
        ds.MaximumFractionalValue = 255
    ds.Rows, ds.Columns = grid.rows, grid.cols
    ds.SamplesPerPixel, ds.PhotometricInterpretation = 1, "MONOCHROME2"
    ds.BitsAllocated = ds.BitsStored = 8 if fractional else 1
    ds.HighBit, ds.PixelRepresentation = ds.BitsStored - 1, 0
    ds.SegmentSequence = Sequence([segment_item(n + 1, s) for n, s in enumerate(segments)])
    ds.SharedFunctionalGroupsSequence = Sequence([shared_groups(
        grid.row, grid.col, grid.spacing,
        {"SliceThickness": f"{grid.step:g}", "SpacingBetweenSlices": f"{grid.step:g}"})])
    frames = []  # (segment number, slice, 2-D frame)
    for n, s in enumerate(segments):
        values = s.fraction if fractional else s.mask
        for k in range(grid.slices):
            if keep_empty or s.mask[k].any():
                frames.append((n + 1, k, values[k]))
    if order == "shuffled":
        random.Random(3).shuffle(frames)
    ds.PerFrameFunctionalGroupsSequence = Sequence([frame_item(
        grid.position(k), SegmentIdentificationSequence=Sequence([item(ReferencedSegmentNumber=n)]))
        for n, k, _ in frames])
    ds.NumberOfFrames = len(frames)
    ds.PixelData = frame_bytes([f for _, _, f in frames], fractional)
    return ds


def save(ds, path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    ds.save_as(path, write_like_original=False)


def record(case, grid, segments):
    out = []
    for s in segments:
        c, b, a = np.nonzero(s.mask)
        out.append({"name": s.name, "voxels": int(s.mask.sum()), "colour": s.colour,
                    "centre": grid.world(a.mean(), b.mean(), c.mean())})
    print(json.dumps({"case": case, "voxel": grid.voxel(), "segments": out}))


def kidneys(grid):
    """Ellipsoids left and right of the midline and a ring with a hole."""
    mid = grid.cols / 2
    left = ellipsoid(grid, (mid + 9, 14, 7), (5.5, 8, 5))  # DICOM +x: the patient's left
    right = ellipsoid(grid, (mid - 10, 15, 8), (5, 7.5, 4.5))
    hoop = ring(grid, (mid, 30, 8), 7, 3.5, 3)
    # A small block off the centre: the packed bits' order decides where it lands.
    c, b, a = grid.indices()
    block = (a >= 2) & (a <= 5) & (b >= 3) & (b <= 5) & (c >= 2) & (c <= 4)
    return [Segment(left, "", KIDNEY, LEFT, name="Kidney_left", colour=[255, 191, 213]),
            Segment(block, "kidney stone", name="kidney stone", colour=[255, 255, 255]),
            Segment(right, "Right Kidney", name="Right Kidney", colour=[255, 191, 213]),
            Segment(hoop, "Ring", lab=(34891, 53478, 50167), name="Ring", colour=[255, 0, 0])]


def write_cases(out):
    # 47 × 39 pixels: frames start inside a byte of the packed bits.
    grid = Grid(cols=47, rows=39, slices=16, origin=(-13.8, -15.0, 30.0))
    segments = kidneys(grid)
    save(seg_dataset("", grid, segments), os.path.join(out, "binary.dcm"))
    record("binary", grid, segments)
    save(seg_dataset("", grid, segments, order="shuffled"), os.path.join(out, "shuffled.dcm"))
    record("shuffled", grid, segments)
    # One segment "Kidney" without a side holding both kidneys.
    both = segments[0].mask | segments[2].mask
    save(seg_dataset("", grid, [Segment(both, "Kidney", KIDNEY)]), os.path.join(out, "unsided.dcm"))
    print(json.dumps({"case": "unsided", "voxel": grid.voxel(),
                      "left": int(segments[0].mask.sum()), "right": int(segments[2].mask.sum())}))

    # Fractional: a probability falling off outwards; inside from half the maximum.
    g = Grid(cols=30, rows=28, slices=12, spacing=(0.7, 0.7), step=1.0)
    c, b, a = g.indices()
    r = np.sqrt(((a - 15) / 8.0) ** 2 + ((b - 13) / 6.0) ** 2 + ((c - 6) / 4.0) ** 2)
    fraction = np.clip(np.round(255 * (1.6 - r)), 0, 255).astype(np.uint8)
    stone = Segment(fraction >= 128, "", STONE, lab=(65535, 32896, 32896), fraction=fraction,
                    name="Calculus", colour=[255, 255, 255])
    save(seg_dataset("", g, [stone], fractional=True), os.path.join(out, "fractional.dcm"))
    record("fractional", g, [stone])
    # The same, its frames run-length encoded: the library decodes them.
    ds = seg_dataset("", g, [stone], fractional=True)
    ds.compress(RLELossless)
    save(ds, os.path.join(out, "fractional_rle.dcm"))
    record("fractional_rle", g, [stone])

    # Oblique planes: the segments keep their shapes and places in the world.
    row, col = oblique_axes()
    g = Grid(cols=40, rows=36, slices=14, row=row, col=col)
    segments = kidneys(g)
    save(seg_dataset("", g, segments), os.path.join(out, "oblique.dcm"))
    record("oblique", g, segments)

    # Overlapping segments, and names from codes alone; a label the anatomy
    # does not know, its code does; a known structure takes the anatomy's
    # colour over its recommended one.
    g = Grid(cols=36, rows=30, slices=14)
    one = Segment(ellipsoid(g, (15, 15, 7), (7, 6, 5)), "Upper pole", KIDNEY, RIGHT,
                  name="Upper pole_right", colour=[255, 191, 213])
    two = Segment(ellipsoid(g, (20, 14, 7), (6, 6, 5)), "", STONE, lab=(50000, 20000, 40000),
                  name="Calculus", colour=[255, 255, 255])
    three = Segment(ellipsoid(g, (18, 16, 6), (4, 4, 3)), "", lab=(50000, 20000, 40000),
                    name="Segment 3", colour=list(lab_expected((50000, 20000, 40000))))
    cava = Segment(ellipsoid(g, (8, 22, 7), (2.5, 2.5, 6)), "", ("64131007", "Inferior vena cava"),
                   name="Inferior vena cava", colour=[108, 159, 237])
    save(seg_dataset("", g, [one, two, three, cava]), os.path.join(out, "overlap.dcm"))
    record("overlap", g, [one, two, three, cava])

    write_over_ct(out)
    write_bad(os.path.join(out, "bad"))


def lab_expected(lab):
    """sRGB of DICOM's scaled CIELab under D65, computed independently in numpy."""
    L = lab[0] * 100 / 65535
    a, b = lab[1] * 255 / 65535 - 128, lab[2] * 255 / 65535 - 128
    fy = (L + 16) / 116
    f = np.array([fy + a / 500, fy, fy - b / 200])
    xyz = np.where(f ** 3 > 0.008856, f ** 3, (f - 16 / 116) / 7.787) * [0.95047, 1.0, 1.08883]
    m = np.array([[3.2404542, -1.5371385, -0.4985314], [-0.9692660, 1.8760108, 0.0415560],
                  [0.0556434, -0.2040259, 1.0572252]])
    lin = np.clip(m @ xyz, 0, 1)
    srgb = np.where(lin <= 0.0031308, 12.92 * lin, 1.055 * lin ** (1 / 2.4) - 0.055)
    return [int(round(v * 255)) for v in srgb]


def write_over_ct(out):
    """A CT series and a segmentation of slices 2..6 of it, in one folder."""
    folder = os.path.join(out, "ct_and_seg")
    ct = Series(cols=24, rows=20, slices=9, spacing=(0.8, 0.6), step=(0, 0, 1.5),
                origin=(-20.0, -15.0, 30.0))
    ct.write(folder)
    grid = Grid(cols=24, rows=20, slices=9, spacing=(0.8, 0.6), step=1.5,
                origin=(-20.0, -15.0, 30.0))
    blob = Segment(ellipsoid(grid, (11, 9, 4), (5, 4, 2.2)), "kidney_left",
                   name="kidney_left", colour=[255, 191, 213])
    save(seg_dataset("", grid, [blob], referenced=ct.uid), os.path.join(folder, "seg.dcm"))
    # A segmentation of another series is left out.
    save(seg_dataset("", grid, [blob], referenced=generate_uid()),
         os.path.join(folder, "other_seg.dcm"))
    record("ct_and_seg", grid, [blob])


def write_bad(folder):
    grid = Grid(cols=16, rows=12, slices=6)
    blob = ellipsoid(grid, (8, 6, 3), (4, 3, 2))
    two = [Segment(blob, "kidney_left"), Segment(blob, "kidney_right")]

    ds = seg_dataset("", grid, two)
    ds.PixelData = ds.PixelData[: len(ds.PixelData) // 2]
    save(ds, os.path.join(folder, "short_pixels.dcm"))

    ds = seg_dataset("", grid, two)
    ds.PerFrameFunctionalGroupsSequence[0].SegmentIdentificationSequence[0].ReferencedSegmentNumber = 9
    save(ds, os.path.join(folder, "stray_segment.dcm"))

    ds = seg_dataset("", grid, [two[0]])
    ds.SegmentSequence.append(segment_item(2, two[1]))
    save(ds, os.path.join(folder, "frameless_segment.dcm"))

    ds = seg_dataset("", grid, two)
    for item in ds.PerFrameFunctionalGroupsSequence:
        del item.PlanePositionSequence
    save(ds, os.path.join(folder, "no_positions.dcm"))

    ds = seg_dataset("", grid, two)
    ds.Rows = 0
    save(ds, os.path.join(folder, "no_rows.dcm"))


if __name__ == "__main__":
    write_cases(sys.argv[1])
