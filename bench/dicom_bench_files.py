#!/usr/bin/python3
"""Writes the large DICOM files of the segmentation and structure-set
benchmarks with the pydicom writers of the import tests.

    dicom_bench_files.py seg OUT_FILE [SEGMENTS COLS ROWS SLICES]
    dicom_bench_files.py rtstruct OUT_DIR
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "import"))
import numpy as np  # noqa: E402
from pydicom.dataset import Dataset  # noqa: E402
from pydicom.sequence import Sequence  # noqa: E402
import make_dicom_seg as seg  # noqa: E402
import make_rtstruct as rt  # noqa: E402


def write_seg(path, count=100, cols=512, rows=512, slices=300):
    """`count` spheres of radius 12 voxels scattered over the grid, each written
    on its own slices only, as segmentation tools write them. COLS × ROWS must
    be a multiple of 8."""
    grid = seg.Grid(cols=cols, rows=rows, slices=slices, spacing=(0.7, 0.7), step=1.0)
    rng = np.random.default_rng(5)
    radius = 12
    centres = [rng.integers([radius] * 3, [cols - radius, rows - radius, slices - radius])
               for _ in range(count)]
    frames, items = [], []
    a = np.arange(cols)[None, :]
    b = np.arange(rows)[:, None]
    for n, centre in enumerate(centres):
        for k in range(centre[2] - radius, centre[2] + radius + 1):
            mask = (a - centre[0]) ** 2 + (b - centre[1]) ** 2 <= radius ** 2 - (k - centre[2]) ** 2
            # Whole frames fill whole bytes, so each packs alone.
            frames.append(np.packbits(mask.astype(np.uint8).ravel(), bitorder="little").tobytes())
            item, place, ident = Dataset(), Dataset(), Dataset()
            place.ImagePositionPatient = [f"{v:.6f}" for v in grid.position(k)]
            ident.ReferencedSegmentNumber = n + 1
            item.PlanePositionSequence = Sequence([place])
            item.SegmentIdentificationSequence = Sequence([ident])
            items.append(item)
    empty = [seg.Segment(np.zeros((1, 1, 1), bool), f"Structure {n + 1}") for n in range(count)]
    ds = seg.seg_dataset(path, seg.Grid(cols=cols, rows=rows, slices=0, spacing=(0.7, 0.7), step=1.0),
                         empty)
    ds.PerFrameFunctionalGroupsSequence = Sequence(items)
    ds.NumberOfFrames = len(frames)
    ds.PixelData = b"".join(frames)
    ds.save_as(path, write_like_original=False)


def write_rtstruct(out):
    """30 ellipsoids of 128-point contours on 300 planes 1 mm apart, no image;
    and three flat rectangles of 400 x 300 mm, 2.5 mm apart: one large slab."""
    os.makedirs(out, exist_ok=True)
    rng = np.random.default_rng(7)
    planes = [float(z) for z in range(300)]
    rois = []
    for k in range(30):
        centre = (rng.uniform(-150, 150), rng.uniform(-100, 100), 5 + k * 9.6 + 25)
        axes = (rng.uniform(10, 40), rng.uniform(10, 40), rng.uniform(20, 60))
        contours, _ = rt.ellipsoid(centre, axes, planes, 128)
        rois.append(rt.roi(k + 1, "Structure %d" % (k + 1), contours))
    rt.structure_set(os.path.join(out, "bench_rs.dcm"), rois)
    rect = [(-200, -150), (200, -150), (200, 150), (-200, 150)]
    slab = rt.roi(1, "Slab", [[(x, y, z) for x, y in rect] for z in (0.0, 2.5, 5.0)])
    rt.structure_set(os.path.join(out, "bench_slabs.dcm"), [slab])


if __name__ == "__main__":
    if sys.argv[1] == "seg":
        write_seg(sys.argv[2], *[int(v) for v in sys.argv[3:]])
    else:
        write_rtstruct(sys.argv[2])
