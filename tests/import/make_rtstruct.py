#!/usr/bin/python3
"""Writes structure sets of known contours for the RTSTRUCT tests.

    make_rtstruct.py OUT_DIR             the test cases, a line of JSON per case
    make_rtstruct.py --count MASK_DIR    the non-zero voxels of every mask
                                         plastimatch wrote, as one JSON object

Contours are in left-posterior-superior millimetres. Every case's JSON gives
each ROI's volume as the contour prisms make it: the sum over its planes of
the even-odd area of the plane's contours times the contour spacing.
"""

import json
import math
import os
import sys
import warnings

import numpy as np
import pydicom
from pydicom.sequence import Sequence
from pydicom.uid import generate_uid

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_dicom import Series, base_dataset, item  # noqa: E402

RT_STRUCTURE_SET = "1.2.840.10008.5.1.4.1.1.481.3"
FRAME = "1.2.826.0.1.3680043.8.498.77"
warnings.filterwarnings("ignore")
pydicom.config.settings.writing_validation_mode = pydicom.config.IGNORE


def ellipse(cx, cy, a, b, z, n=64, turn=1):
    t = np.linspace(0, 2 * math.pi, n, endpoint=False) * turn
    return [(cx + a * math.cos(s), cy + b * math.sin(s), z) for s in t]


def area(points):
    x = np.array([p[0] for p in points])
    y = np.array([p[1] for p in points])
    return 0.5 * abs(np.dot(x, np.roll(y, -1)) - np.dot(y, np.roll(x, -1)))


def ellipsoid(centre, axes, zs, n=64):
    """Axial sections of an ellipsoid at the planes zs, and their prism volume."""
    contours, volume = [], 0.0
    step = zs[1] - zs[0]
    for z in zs:
        f = 1 - ((z - centre[2]) / axes[2]) ** 2
        if f <= 0.01:
            continue
        c = ellipse(centre[0], centre[1], axes[0] * math.sqrt(f), axes[1] * math.sqrt(f), z, n)
        contours.append(c)
        volume += area(c) * step
    return contours, volume


def ring(centre, outer, inner, zs):
    """An annulus on every plane: the inner circle a hole, drawn the other way round."""
    contours = []
    for z in zs:
        contours.append(ellipse(centre[0], centre[1], outer, outer, z, 96))
        contours.append(ellipse(centre[0], centre[1], inner, inner, z, 96, turn=-1))
    step = zs[1] - zs[0]
    return contours, math.pi * (outer ** 2 - inner ** 2) * step * len(zs)


def contour_item(points, declared=None, kind="CLOSED_PLANAR", raw=None):
    return item(ContourGeometricType=kind,
                NumberOfContourPoints=len(points) if declared is None else declared,
                ContourData=raw if raw is not None else [f"{v:.4f}" for p in points for v in p])


def structure_set(path, rois, series_uid=None):
    """rois: dicts of number, name, colour (or None) and contour items."""
    ds = base_dataset(path, RT_STRUCTURE_SET)
    ds.Modality, ds.SeriesInstanceUID, ds.StructureSetLabel = "RTSTRUCT", generate_uid(), "test"
    ds.FrameOfReferenceUID = FRAME
    frame = item(FrameOfReferenceUID=FRAME)
    if series_uid:
        series = item(SeriesInstanceUID=series_uid, ContourImageSequence=Sequence())
        frame.RTReferencedStudySequence = Sequence([item(
            ReferencedSOPClassUID="1.2.840.10008.3.1.2.3.1",
            ReferencedSOPInstanceUID=ds.StudyInstanceUID,
            RTReferencedSeriesSequence=Sequence([series]))])
    ds.ReferencedFrameOfReferenceSequence = Sequence([frame])
    ds.StructureSetROISequence = Sequence([item(
        ROINumber=r["number"], ReferencedFrameOfReferenceUID=FRAME, ROIName=r["name"],
        ROIGenerationAlgorithm="MANUAL") for r in rois])
    ds.RTROIObservationsSequence = Sequence([item(
        ObservationNumber=r["number"], ReferencedROINumber=r["number"],
        RTROIInterpretedType="ORGAN", ROIInterpreter="") for r in rois])
    contoured = []
    for r in (r for r in rois if r.get("items") is not None):
        contoured.append(item(ReferencedROINumber=r["number"], ContourSequence=Sequence(r["items"])))
        if r.get("colour"):
            contoured[-1].ROIDisplayColor = list(r["colour"])
    ds.ROIContourSequence = Sequence(contoured)
    ds.save_as(path, write_like_original=False)


def roi(number, name, contours, colour=None):
    return {"number": number, "name": name, "colour": colour,
            "items": [contour_item(c) for c in contours]}


# The image: 120 x 100 pixels of 1 mm, 40 slices 2 mm apart from z = 20.
CT = dict(cols=120, rows=100, slices=40, spacing=(1.0, 1.0), step=(0, 0, 2.0),
          origin=(-60.0, -50.0, 20.0))
PLANES = [20.0 + 2 * k for k in range(40)]


def anatomy_rois():
    left, v_left = ellipsoid((30.0, 5.0, 56.0), (12.0, 16.0, 24.0), PLANES)
    right, v_right = ellipsoid((-30.0, 5.0, 56.0), (11.0, 15.0, 22.0), PLANES)
    hole, v_ring = ring((0.0, -30.0, 56.0), 15.0, 7.0, PLANES[10:26])
    # Drawn on every other image plane: each contour a slab of two slices.
    sparse, v_sparse = ellipsoid((0.0, 30.0, 50.0), (10.0, 9.0, 14.0), PLANES[::2])
    rois = [roi(1, "Kidney_L", left, (200, 30, 40)), roi(2, "Kidney R", right),
            roi(3, "Ring", hole, (10, 200, 10)), roi(4, "Tumor", sparse)]
    # A structure the anatomy knows takes its colour over the ROI's; another keeps its own.
    expected = [{"name": "Kidney_L", "volume": v_left, "centre": [30, 5, 56],
                 "colour": [255, 191, 213], "oracle": True},
                {"name": "Kidney R", "volume": v_right, "centre": [-30, 5, 56], "oracle": True},
                {"name": "Ring", "volume": v_ring, "centre": [0, -30, 56],
                 "colour": [10, 200, 10]},
                {"name": "Tumor", "volume": v_sparse, "centre": [0, 30, 50]}]
    return rois, expected


def write_cases(out):
    series = Series(**CT)
    rois, expected = anatomy_rois()
    with_ct = os.path.join(out, "with_ct")
    series.write(with_ct)
    structure_set(os.path.join(with_ct, "rs.dcm"), rois, series.uid)
    print(json.dumps({"case": "with_ct", "file": "with_ct/rs.dcm", "rois": expected,
                      "image": True, "voxel": [1.0, 1.0, 2.0]}))
    alone = os.path.join(out, "alone")
    os.makedirs(alone, exist_ok=True)
    rois, expected = anatomy_rois()
    structure_set(os.path.join(alone, "RS_alone"), rois, series.uid)
    print(json.dumps({"case": "alone", "file": "alone/RS_alone", "rois": expected,
                      "image": False}))
    write_names(out)
    write_bad(out)


def small(k):
    """A cylinder of 4 planes, 10 mm across, at its own place."""
    return [ellipse(-60 + 25 * k, 0, 5, 5, z) for z in (0.0, 2.0, 4.0, 6.0)]


def write_names(out):
    names = [("Kidney_L", None), ("Kidney R", None), ("Left Kidney", (1, 2, 3)),
             ("Tumor", None), ("GTV_kidney", None), ("Prostata boost", None)]
    rois = [roi(k + 1, n, small(k), c) for k, (n, c) in enumerate(names)]
    path = os.path.join(out, "names.dcm")
    structure_set(path, rois)
    print(json.dumps({"case": "names", "file": "names.dcm"}))


def write_bad(out):
    good = roi(1, "Bladder", small(0))

    def case(name, bad_rois, **expect):
        path = os.path.join(out, name + ".dcm")
        structure_set(path, [good] + bad_rois)
        print(json.dumps(dict(case=name, file=name + ".dcm", **expect)))

    square = [(20, 0, 0), (30, 0, 0), (30, 10, 0), (20, 10, 0)]
    bow = [(40, 0, 0), (50, 10, 0), (50, 0, 0), (40, 10, 0)]
    two = contour_item(square[:2])
    nan = contour_item(square, raw=["20", "0", "0", "nan", "0", "0", "30", "10", "0"])
    nan["NumberOfContourPoints"].value = 3
    inf = contour_item(square, raw=["20", "0", "0", "1e999", "0", "0", "30", "10", "0"])
    inf["NumberOfContourPoints"].value = 3
    miscount = contour_item(square, declared=5)
    not_three = contour_item(square, raw=["20", "0", "0", "30", "0", "0", "30", "10"])
    not_three["NumberOfContourPoints"].value = 3
    kept = contour_item([(20, 0, 2), (30, 0, 2), (25, 8, 2)])
    case("few_points", [{"number": 2, "name": "Stone", "items": [two, kept]}],
         warning='"Stone": contours of fewer than three points were left out: 1.', models=2)
    case("not_finite", [{"number": 2, "name": "Stone", "items": [nan, inf, kept]}],
         warning='"Stone": contours with coordinates that are not finite numbers were left out: 2.', models=2)
    case("miscounted", [{"number": 2, "name": "Stone", "items": [miscount, not_three, kept]}],
         warning='"Stone": contours whose coordinates are not three per point were left out: 2.', models=2)
    case("self_crossing", [{"number": 2, "name": "Bow", "items": [contour_item(bow)]}],
         warning='"Bow": contours that cross themselves: 1;', models=2)
    case("no_contours", [{"number": 2, "name": "Empty", "items": None}],
         warning='"Empty" has no contours', models=1)
    # Each ROI has a grid of its own: one far off is no harm, one spanning
    # 50 m is left out (a huge one beside a tiny one: make_hostile.py).
    far = roi(2, "Far", [[(p[0], p[1], 50000.0) for p in c] for c in small(1)])
    case("far_off", [far], warning="", models=2)
    spread = roi(2, "Spread", small(1) + [[(p[0], p[1], 50000.0) for p in c] for c in small(1)])
    case("absurd_grid", [spread], warning="slices; at most 10000 are made", models=1)
    path = os.path.join(out, "truncated.dcm")
    structure_set(path, [good])
    with open(path, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data[: len(data) - 200])
    print(json.dumps({"case": "truncated", "file": "truncated.dcm", "error": "damaged"}))


def count_masks(folder):
    """Non-zero voxels of every .mha plastimatch wrote (uncompressed)."""
    counts = {}
    for name in sorted(os.listdir(folder)):
        if not name.endswith(".mha"):
            continue
        with open(os.path.join(folder, name), "rb") as f:
            data = f.read()
        at = data.index(b"ElementDataFile = LOCAL\n") + len(b"ElementDataFile = LOCAL\n")
        header = data[:at].decode()
        kind = [l.split("=")[1].strip() for l in header.splitlines()
                if l.startswith("ElementType")][0]
        dtype = {"MET_UCHAR": np.uint8, "MET_UINT": np.uint32, "MET_SHORT": np.int16,
                 "MET_USHORT": np.uint16}[kind]
        counts[name[:-4]] = int(np.count_nonzero(np.frombuffer(data[at:], dtype=dtype)))
    print(json.dumps(counts))


if __name__ == "__main__":
    if sys.argv[1] == "--count":
        count_masks(sys.argv[2])
    else:
        write_cases(sys.argv[1])
