#!/usr/bin/python3
"""Writes the seeds of the DICOM, segmentation and structure-set fuzz targets
with the pydicom writers of the import tests: small valid files, broken ones,
and the crash and hang classes of the hostile-file tests.

    make_dicom_seeds.py OUT_DIR    into OUT_DIR/dicom, OUT_DIR/seg and OUT_DIR/rtstruct
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "import"))
import numpy as np  # noqa: E402
import make_dicom  # noqa: E402
import make_dicom_seg as seg  # noqa: E402
import make_hostile as hostile  # noqa: E402
import make_rtstruct as rt  # noqa: E402


def dicom_seeds(out):
    """Uncompressed, RLE, multi-frame and a lying RLE fragment."""
    os.makedirs(out, exist_ok=True)
    make_dicom.small_slice(os.path.join(out, "tiny.dcm"), 3, 2).save_as(
        os.path.join(out, "tiny.dcm"), write_like_original=False)
    make_dicom.write_rle(os.path.join(out, "rle.dcm"))
    make_dicom.write_multiframe(make_dicom.Series(cols=3, rows=2, slices=3),
                                os.path.join(out, "frames.dcm"), [2, 0, 1])
    make_dicom.write_rle(os.path.join(out, "broken.dcm"), lie=True)


def seg_seeds(out):
    """A binary and a fractional segmentation and the refused ones."""
    os.makedirs(out, exist_ok=True)
    grid = seg.Grid(cols=7, rows=5, slices=3)
    blob = seg.ellipsoid(grid, (3, 2, 1), (2.5, 2, 1.2))
    seg.save(seg.seg_dataset("", grid, [seg.Segment(blob, "kidney_left", lab=(30000, 40000, 20000))]),
             os.path.join(out, "binary.dcm"))
    fraction = (blob * 200).astype(np.uint8)
    seg.save(seg.seg_dataset("", grid, [seg.Segment(blob, "", seg.STONE, fraction=fraction)],
                             fractional=True), os.path.join(out, "fractional.dcm"))
    seg.write_bad(os.path.join(out, "bad"))
    for name in os.listdir(os.path.join(out, "bad")):
        os.replace(os.path.join(out, "bad", name), os.path.join(out, "bad_" + name))
    os.rmdir(os.path.join(out, "bad"))


def rtstruct_seeds(out):
    """The anatomy's ROIs on every sixth plane, and a crossing, an empty and a
    miscounted ROI."""
    os.makedirs(out, exist_ok=True)
    rois, _ = rt.anatomy_rois()
    for r in rois:
        r["items"] = r["items"][::6]
    rt.structure_set(os.path.join(out, "anatomy.dcm"), rois)
    square = [(20, 0, 0), (30, 0, 0), (30, 10, 0), (20, 10, 0)]
    bow = [(40, 0, 0), (50, 10, 0), (50, 0, 0), (40, 10, 0)]
    rt.structure_set(os.path.join(out, "mixed.dcm"),
                     [rt.roi(1, "Bow", [bow]), {"number": 2, "name": "Empty", "items": None},
                      {"number": 3, "name": "Few", "items": [rt.contour_item(square[:2]),
                                                             rt.contour_item(square, declared=7)]}])


def hostile_seeds(out):
    """The crash and hang classes, small: a smaller bomb does as well."""
    dicom = os.path.join(out, "dicom")
    for target in ("dicom", "seg", "rtstruct"):
        os.makedirs(os.path.join(out, target), exist_ok=True)
    with open(os.path.join(dicom, "deflated-nesting-10000-deep.dcm"), "wb") as f:
        f.write(hostile.deflated_file(hostile.deep_nesting(10000)))
    with open(os.path.join(dicom, "deflate-bomb-80mb.dcm"), "wb") as f:
        f.write(hostile.deflated_file(hostile.bomb(80)))
    hostile.patched_stream("MR_small_jp2klossless.dcm", lambda f: hostile.siz(f, 4096, 4096)).save_as(
        os.path.join(dicom, "jpeg2000-siz-larger-than-header.dcm"))
    hostile.patched_stream("MR_small_jpeg_ls_lossless.dcm", lambda f: hostile.sof55(f, 65535)).save_as(
        os.path.join(dicom, "jpegls-65535-lines.dcm"))
    ds = hostile.patched_stream("MR_small_jp2klossless.dcm", lambda f: hostile.siz(f, 40000, 40000))
    ds.Rows = ds.Columns = 40000
    ds.save_as(os.path.join(dicom, "jpeg2000-consistent-40000-square.dcm"))
    hostile.patched_stream("JPGExtended.dcm", lambda f: hostile.sof(f, 2048)).save_as(
        os.path.join(dicom, "jpeg-sof-2048-lines.dcm"))
    hostile.write_seg(os.path.join(out, "seg"), lambda *_: None)
    hostile.write_seg_planes(os.path.join(out, "seg"), lambda *_: None, side=256)
    hostile.write_rtstruct(os.path.join(out, "rtstruct"), lambda *_: None)


if __name__ == "__main__":
    dicom_seeds(os.path.join(sys.argv[1], "dicom"))
    seg_seeds(os.path.join(sys.argv[1], "seg"))
    rtstruct_seeds(os.path.join(sys.argv[1], "rtstruct"))
    hostile_seeds(sys.argv[1])
