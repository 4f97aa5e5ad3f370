#!/usr/bin/python3
"""Writes DICOM series of known values and geometry for the reader's tests.

    make_dicom.py OUT_DIR    the test cases, one folder each, and a line of JSON
                             per case on standard output

Every value follows one pattern in the generating grid's indices (a, b, c):
column a, row b, slice c in position order:
    value = 10 a - 3 b + 100 c - 1000
and the JSON gives the grid's map from (a, b, c) to left-posterior-superior
millimetres, so a test can check any voxel of what it reads at its world
position.
"""

import json
import warnings
import math
import os
import random
import shutil
import struct
import sys

import numpy as np
import pydicom
from pydicom.dataset import Dataset, FileDataset, FileMetaDataset
from pydicom.sequence import Sequence
from pydicom.uid import (ExplicitVRBigEndian, ExplicitVRLittleEndian, RLELossless, generate_uid,
                         CTImageStorage)

warnings.simplefilter("ignore")  # pydicom warns of the bad values written on purpose

ENHANCED_CT = "1.2.840.10008.5.1.4.1.1.2.1"


def pattern(cols, rows, c):
    a = np.arange(cols)[None, :]
    b = np.arange(rows)[:, None]
    return 10 * a - 3 * b + 100 * c - 1000


def item(**fields):
    """A data set of the fields, as the items of sequences are."""
    ds = Dataset()
    for key, value in fields.items():
        setattr(ds, key, value)
    return ds


def shared_groups(row, col, spacing, measures, **more):
    """A multi-frame file's shared functional groups: the planes' orientation,
    the pixel spacing and other `measures`, and any `more` groups."""
    return item(PlaneOrientationSequence=Sequence([item(
                    ImageOrientationPatient=[f"{v:.8f}" for v in list(row) + list(col)])]),
                PixelMeasuresSequence=Sequence([item(PixelSpacing=[f"{v:g}" for v in spacing],
                                                     **measures)]), **more)


def frame_item(position, **more):
    """A frame's own functional groups: its position, and any `more`."""
    return item(PlanePositionSequence=Sequence([item(
        ImagePositionPatient=[f"{v:.6f}" for v in position])]), **more)


def base_dataset(path, sop_class=CTImageStorage):
    meta = FileMetaDataset()
    meta.MediaStorageSOPClassUID, meta.MediaStorageSOPInstanceUID = sop_class, generate_uid()
    meta.TransferSyntaxUID = ExplicitVRLittleEndian
    ds = FileDataset(path, {}, file_meta=meta, preamble=b"\0" * 128)
    ds.is_little_endian, ds.is_implicit_VR = True, False
    ds.SOPClassUID, ds.SOPInstanceUID = sop_class, meta.MediaStorageSOPInstanceUID
    ds.PatientName, ds.PatientID, ds.StudyDate = "Test^Patient", "T1", "20260101"
    ds.StudyInstanceUID = "1.2.826.0.1.3680043.8.498.1"
    return ds


def pixel_fields(ds, rows, cols, signed):
    ds.Rows, ds.Columns = rows, cols
    ds.SamplesPerPixel = 1
    ds.PhotometricInterpretation = "MONOCHROME2"
    ds.BitsAllocated, ds.BitsStored, ds.HighBit = 16, 12 if not signed else 16, 11 if not signed else 15
    ds.PixelRepresentation = 1 if signed else 0


def stored_of(values, slope, intercept, signed):
    stored = np.round((values - intercept) / slope).astype(np.int64)
    assert np.all(stored * slope + intercept == values)
    return stored.astype(np.int16 if signed else np.uint16)


class Series:
    """A series on a regular grid: origin, row and column directions, pixel
    spacing (between rows, between columns) and the step between slices."""

    def __init__(self, cols=6, rows=5, slices=8, spacing=(0.8, 0.7), step=None,
                 row=(1, 0, 0), col=(0, 1, 0), origin=(-20.0, -30.0, 40.0),
                 slope=1.0, intercept=-1024.0, modality="CT", uid=None, signed=False,
                 description="test series"):
        self.cols, self.rows, self.slices = cols, rows, slices
        self.spacing = spacing
        self.row, self.col = np.array(row, float), np.array(col, float)
        normal = np.cross(self.row, self.col)
        self.step = np.array(step, float) if step is not None else normal * 2.5
        self.origin = np.array(origin, float)
        self.slope, self.intercept = slope, intercept
        self.modality, self.signed = modality, signed
        self.uid = uid or generate_uid()
        self.description = description

    def position(self, c):
        return self.origin + c * self.step

    def affine(self):
        """The grid's map from (a, b, c, 1) to millimetres, three rows of four."""
        columns = [self.row * self.spacing[1], self.col * self.spacing[0], self.step, self.origin]
        return [[float(columns[k][r]) for k in range(4)] for r in range(3)]

    def slice_dataset(self, path, c, instance):
        ds = base_dataset(path)
        ds.Modality = self.modality
        ds.SeriesInstanceUID = self.uid
        ds.SeriesDescription = self.description
        ds.ImageType = ["ORIGINAL", "PRIMARY", "AXIAL"]
        ds.InstanceNumber = instance
        ds.ImagePositionPatient = [f"{v:.6f}" for v in self.position(c)]
        ds.ImageOrientationPatient = [f"{v:.8f}" for v in list(self.row) + list(self.col)]
        ds.PixelSpacing = [f"{v:g}" for v in self.spacing]
        ds.SliceThickness = "2.5"
        ds.RescaleSlope = f"{self.slope:g}"
        ds.RescaleIntercept = f"{self.intercept:g}"
        pixel_fields(ds, self.rows, self.cols, self.signed)
        values = pattern(self.cols, self.rows, c)
        ds.PixelData = stored_of(values, self.slope, self.intercept, self.signed).tobytes()
        return ds

    def write(self, folder, slices=None, names=None, instances=None):
        os.makedirs(folder, exist_ok=True)
        slices = list(range(self.slices)) if slices is None else slices
        names = names or ["s%03d.dcm" % c for c in slices]
        instances = instances or [c + 1 for c in slices]
        for c, name, instance in zip(slices, names, instances):
            path = os.path.join(folder, name)
            self.slice_dataset(path, c, instance).save_as(path, write_like_original=False)

    def case(self, name, missing=(), unit="HU", shorts=True, **extra):
        record = {"case": name, "size": [self.cols, self.rows, self.slices],
                  "affine": self.affine(), "missing": list(missing), "unit": unit,
                  "shorts": shorts}
        record.update(extra)
        print(json.dumps(record))


def oblique_axes():
    """Row and column directions turned 30 degrees about z, then 20 about x."""
    t, u = math.radians(30), math.radians(20)
    rz = np.array([[math.cos(t), -math.sin(t), 0], [math.sin(t), math.cos(t), 0], [0, 0, 1]])
    rx = np.array([[1, 0, 0], [0, math.cos(u), -math.sin(u)], [0, math.sin(u), math.cos(u)]])
    m = rx @ rz
    return m[:, 0], m[:, 1]


def write_localizers(series, folder):
    """A localizer of the series (coronal, marked so) and a lone coronal image."""
    scout = Series(cols=series.cols, rows=series.rows, slices=1, row=(1, 0, 0),
                   col=(0, 0, -1), uid=series.uid)
    ds = scout.slice_dataset(os.path.join(folder, "scout.dcm"), 0, 99)
    ds.ImageType = ["ORIGINAL", "PRIMARY", "LOCALIZER"]
    ds.save_as(os.path.join(folder, "scout.dcm"), write_like_original=False)
    lone = Series(cols=series.cols, rows=series.rows, slices=1, row=(0, 1, 0),
                  col=(0, 0, -1), uid=series.uid)
    lone.write(folder, slices=[0], names=["lone.dcm"], instances=[98])


def write_multiframe(series, path, order, rle=False):
    """One enhanced CT file: frames in `order`, each placed by its own position;
    run-length encoded when `rle`."""
    ds = base_dataset(path, ENHANCED_CT)
    ds.Modality = "CT"
    ds.SeriesInstanceUID = series.uid
    ds.SeriesDescription = series.description
    ds.ImageType = ["ORIGINAL", "PRIMARY", "AXIAL", "NONE"]
    ds.NumberOfFrames = len(order)
    pixel_fields(ds, series.rows, series.cols, series.signed)
    transform = item(RescaleSlope=f"{series.slope:g}", RescaleIntercept=f"{series.intercept:g}",
                     RescaleType="HU")
    ds.SharedFunctionalGroupsSequence = Sequence([shared_groups(
        series.row, series.col, series.spacing, {"SliceThickness": "2.5"},
        PixelValueTransformationSequence=Sequence([transform]))])
    ds.PerFrameFunctionalGroupsSequence = Sequence([frame_item(series.position(c)) for c in order])
    ds.PixelData = b"".join(stored_of(pattern(series.cols, series.rows, c), series.slope,
                                      series.intercept, series.signed).tobytes() for c in order)
    if rle:
        ds.compress(RLELossless)
    ds.save_as(path, write_like_original=False)


def write_cases(out):
    random.seed(7)
    # Shuffled file names, instance numbers in reverse, and two images that
    # are not slices of the series: a localizer and a lone image across it.
    s = Series(cols=6, rows=5, slices=8)
    names = ["f%02d.dcm" % n for n in random.sample(range(40), 8)]
    s.write(os.path.join(out, "shuffled"), names=names, instances=[8 - c for c in range(8)])
    write_localizers(s, os.path.join(out, "shuffled"))
    s.case("shuffled")

    s = Series(slices=8)
    s.write(os.path.join(out, "missing"), slices=[0, 1, 2, 4, 5, 6, 7])
    s.case("missing", missing=[3])

    s = Series(slices=6)
    s.write(os.path.join(out, "duplicate"))
    s.write(os.path.join(out, "duplicate"), slices=[2], names=["again.dcm"], instances=[40])
    s.case("duplicate")

    s = Series(slices=7, step=(0.0, 0.35, 2.0))
    s.write(os.path.join(out, "tilt"))
    s.case("tilt")

    # A negative whole slope still keeps the values in 16 bits.
    s = Series(cols=7, rows=4, slices=5, spacing=(0.5, 0.9), step=(0, 0, 3.7), slope=-1.0,
               intercept=3000.0)
    s.write(os.path.join(out, "anisotropic"))
    s.case("anisotropic")

    row, col = oblique_axes()
    s = Series(slices=6, row=row, col=col, step=np.cross(row, col) * 1.25)
    s.write(os.path.join(out, "oblique"))
    s.case("oblique")

    s = Series(slices=4, slope=0.5, intercept=-1000.0, signed=True)
    s.write(os.path.join(out, "rescale"))
    s.case("rescale", shorts=False)

    s = Series(slices=5, modality="MR")
    s.write(os.path.join(out, "mr"))
    s.case("mr", unit="")

    s = Series(cols=5, rows=4, slices=6)
    os.makedirs(os.path.join(out, "multiframe"), exist_ok=True)
    write_multiframe(s, os.path.join(out, "multiframe", "frames.dcm"), [3, 0, 5, 1, 4, 2])
    s.case("multiframe")

    # Run-length encoded, its stored values signed and below zero.
    s = Series(cols=5, rows=4, slices=6, intercept=0.0, signed=True)
    os.makedirs(os.path.join(out, "multiframe_rle"), exist_ok=True)
    write_multiframe(s, os.path.join(out, "multiframe_rle", "frames.dcm"), [3, 0, 5, 1, 4, 2],
                     rle=True)
    s.case("multiframe_rle")

    s = Series(slices=1)
    s.write(os.path.join(out, "one"))
    s.case("one")

    first = Series(cols=4, rows=3, slices=3, description="small")
    second = Series(cols=6, rows=5, slices=5, description="large", origin=(0, 0, 0))
    first.write(os.path.join(out, "two", "a"))
    second.write(os.path.join(out, "two", "b"))
    first.case("two_first", uid=first.uid)
    second.case("two_second", uid=second.uid)

    # Image Position (Patient) stored as UN, as converters from implicit VR leave it.
    s = Series(slices=4)
    s.write(os.path.join(out, "un_position"))
    def as_un(data):
        at = data.index(b"\x20\x00\x32\x00DS")
        length = struct.unpack_from("<H", data, at + 6)[0]
        data[at:at + 8] = b"\x20\x00\x32\x00UN\x00\x00" + struct.pack("<I", length)
    for name in os.listdir(os.path.join(out, "un_position")):
        patch(os.path.join(out, "un_position", name), as_un)
    s.case("un_position")

    write_outside_classes(os.path.join(out, "classes"))
    write_bad(os.path.join(out, "bad"))
    copy_pydicom(os.path.join(out, "pydicom"))


def oracle(name, path, datasets, **extra):
    """What pydicom reads from the files: the rescaled values' first, sum,
    lowest and highest, in the order the files are given."""
    values = []
    for ds in datasets:
        ds = pydicom.dcmread(ds) if isinstance(ds, str) else ds
        slope = float(ds.get("RescaleSlope", ds.get("DoseGridScaling", 1)))
        values.append(ds.pixel_array.astype(np.float64) * slope + float(ds.get("RescaleIntercept", 0)))
    v = np.concatenate([a.ravel() for a in values])
    record = {"case": name, "path": path, "first": float(v[0]), "sum": float(v.sum()),
              "min": float(v.min()), "max": float(v.max()), "count": int(v.size)}
    record.update(extra)
    print(json.dumps(record))


def write_outside_classes(folder):
    """One file of each class that outside files showed read wrong."""
    os.makedirs(folder, exist_ok=True)
    # 32-bit big-endian values of about a million.
    ds = small_slice("x", rows=6, cols=7)
    ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 32, 32, 31, 0
    ds.RescaleSlope, ds.RescaleIntercept = "1", "0"
    ds.Modality = "MR"
    values = (800000 + np.arange(42, dtype=np.uint32) * 12345).reshape(6, 7)
    ds.PixelData = values.astype(">u4").tobytes()
    ds.file_meta.TransferSyntaxUID = ExplicitVRBigEndian
    ds.is_little_endian, ds.is_implicit_VR = False, False
    path = os.path.join(folder, "big32.dcm")
    ds.save_as(path, write_like_original=False)
    oracle("big32", path, [path])

    write_dose(os.path.join(folder, "dose.dcm"))
    write_directory(os.path.join(folder, "directory"), keep=2)

    # The header says 4 rows where the pixel data holds 8.
    ds = small_slice("x", rows=8, cols=5)
    ds.Rows = 4
    ds.save_as(os.path.join(folder, "rows_short.dcm"), write_like_original=False)

    # A lossy JPEG whose coded data is overwritten in its middle: the codec
    # complains of it.
    from pydicom.data import get_testdata_file
    data = bytearray(open(get_testdata_file("JPEG-lossy.dcm"), "rb").read())
    at = data.rindex(b"\xff\xda")
    for i in range(at + 200, at + 260):
        data[i] = 0xff if i % 7 == 0 else 0
    open(os.path.join(folder, "jpeg_damaged.dcm"), "wb").write(bytes(data))
    os.makedirs(os.path.join(folder, "mosaic_count"), exist_ok=True)
    write_mosaic(os.path.join(folder, "mosaic_count", "m.dcm")).case("mosaic_count", unit="")
    os.makedirs(os.path.join(folder, "mosaic_csa"), exist_ok=True)
    write_mosaic(os.path.join(folder, "mosaic_csa", "m.dcm"), count=9, where="csa",
                 reverse=True).case("mosaic_csa", unit="")


def write_dose(path):
    """An RT dose grid of 4 frames 5 mm apart, 32-bit values scaled to gray."""
    ds = base_dataset(path, "1.2.840.10008.5.1.4.1.1.481.2")
    ds.Modality = "RTDOSE"
    ds.SeriesInstanceUID = generate_uid()
    ds.ImagePositionPatient = ["-10", "-20", "30"]
    ds.ImageOrientationPatient = ["1", "0", "0", "0", "1", "0"]
    ds.PixelSpacing = ["2.5", "2.5"]
    ds.SliceThickness = "1"
    ds.NumberOfFrames = 4
    ds.FrameIncrementPointer = 0x3004000C
    ds.GridFrameOffsetVector = ["0", "5", "10", "15"]
    ds.DoseUnits, ds.DoseType, ds.DoseSummationType = "GY", "PHYSICAL", "PLAN"
    ds.DoseGridScaling = "2.5e-6"
    ds.Rows, ds.Columns, ds.SamplesPerPixel = 3, 4, 1
    ds.PhotometricInterpretation = "MONOCHROME2"
    ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 32, 32, 31, 0
    values = (np.arange(48, dtype=np.uint32) * 400000 + 1000000).reshape(4, 3, 4)
    ds.PixelData = values.tobytes()
    ds.save_as(path, write_like_original=False)
    oracle("dose", path, [path], step=5.0, unit="Gy")


def csa_header(elements):
    """A private CSA image header of the second form holding `elements`, a
    dict of name to a list of texts."""
    out = b"SV10\x04\x03\x02\x01" + struct.pack("<II", len(elements), 77)
    for name, values in elements.items():
        numbers = all(v.lstrip("-").replace(".", "").isdigit() for v in values)
        vr = (b"IS" if all("." not in v for v in values) else b"DS") if numbers else b"LO"
        vr += b"\0\0"
        out += name.encode().ljust(64, b"\0") + struct.pack("<i4siii", len(values), vr, 3,
                                                             len(values), 77)
        for v in values:
            text = v.encode() + b"\0"
            out += struct.pack("<iiii", len(text), len(text), 77, len(text))
            out += text.ljust((len(text) + 3) // 4 * 4, b"\0")
    return out


def write_mosaic(path, count=5, where="0019", reverse=False):
    """An MR mosaic of `count` slices of 3 x 2 pixels in tiles of ceil(sqrt(count))
    to a row, its count in (0019,100A), in the CSA header (with a slice normal
    against the cross product when `reverse`), or nowhere. Returns the series
    its slices form, in position order."""
    tiles = math.ceil(math.sqrt(count))
    ds = small_slice(path, rows=2 * tiles, cols=3 * tiles)
    ds.Modality = "MR"
    ds.ImageType = ["ORIGINAL", "PRIMARY", "M", "ND", "MOSAIC"]
    ds.Manufacturer = "SIEMENS"
    ds.SpacingBetweenSlices = "4"
    ds.PixelSpacing = ["0.8", "0.7"]
    ds.ImageOrientationPatient = ["1", "0", "0", "0", "1", "0"]
    corner = np.array([-20.0, -30.0, 40.0])
    ds.ImagePositionPatient = [f"{v:g}" for v in corner]
    ds.RescaleSlope, ds.RescaleIntercept = "1", "-1024"
    if where == "0019":
        ds.private_block(0x0019, "SIEMENS MR HEADER", create=True).add_new(0x0A, "US", count)
    elif where == "csa":
        normal = ["0.0", "0.0", "-1.0" if reverse else "1.0"]
        ds.private_block(0x0029, "SIEMENS CSA HEADER", create=True).add_new(
            0x10, "OB", csa_header({"NumberOfImagesInMosaic": [str(count)],
                                    "AcquisitionMatrixText": ["2*3"],
                                    "SliceNormalVector": normal}))
    first = corner + np.array([0.7 * (3 * tiles - 3) / 2, 0.8 * (2 * tiles - 2) / 2, 0])
    step = np.array([0, 0, -4.0 if reverse else 4.0])
    mosaic = np.zeros((2 * tiles, 3 * tiles), np.int64)
    for k in range(count):
        c = count - 1 - k if reverse else k  # the slice's index in position order
        r0, c0 = k // tiles * 2, k % tiles * 3
        mosaic[r0:r0 + 2, c0:c0 + 3] = pattern(3, 2, c)
    ds.PixelData = stored_of(mosaic, 1, -1024, False).tobytes()
    ds.save_as(path, write_like_original=False)
    origin = first + step * (count - 1) if reverse else first
    return Series(cols=3, rows=2, slices=count, spacing=(0.8, 0.7), origin=tuple(origin),
                  step=(0, 0, 4.0), modality="MR")


def small_slice(path, rows=4, cols=5):
    s = Series(cols=cols, rows=rows, slices=1)
    return s.slice_dataset(path, 0, 1)


def write_bad(folder):
    """Files each refused for one reason."""
    os.makedirs(folder, exist_ok=True)
    save = lambda ds, name: ds.save_as(os.path.join(folder, name), write_like_original=False)

    # Little- and big-endian (which the library decodes, not our own reading).
    for name in ("short_pixels", "short_pixels_big"):
        ds = small_slice("x", rows=64, cols=64)
        ds.PixelData = b"\0" * 100
        ds.add_new(0xFFFCFFFC, "OB", b"\0" * 9000)  # padding keeps the file long enough
        if name.endswith("big"):
            ds.file_meta.TransferSyntaxUID = ExplicitVRBigEndian
            ds.is_little_endian, ds.is_implicit_VR = False, False
        save(ds, name + ".dcm")

    # One slice with fields changed: rescales no value can be scaled by (each
    # read silently as 1 or 0 before), sizes, bits and a spacing.
    rescale = lambda slope, intercept="0": {"RescaleSlope": slope, "RescaleIntercept": intercept}
    for name, fields in [("rows_zero", {"Rows": 0}), ("rows_65535", {"Rows": 65535, "Columns": 65535}),
                         ("bits_12", {"BitsAllocated": 12, "BitsStored": 12, "HighBit": 11}),
                         ("too_large", {"Rows": 60000, "Columns": 60000}),
                         ("slope_nan", rescale("NaN")), ("slope_inf", rescale("inf")),
                         ("slope_huge", rescale("1e308")), ("slope_tiny", rescale("1e-310")),
                         ("intercept_nan", rescale("1", "nan")), ("bits_stored_20", {"BitsStored": 20}),
                         ("representation_2", {"PixelRepresentation": 2}),
                         ("spacing_999999", {"PixelSpacing": ["999999", "999999"]})]:
        ds = small_slice("x")
        for key, value in fields.items():
            setattr(ds, key, value)
        save(ds, name + ".dcm")

    ds = small_slice("x", rows=100, cols=100)
    ds.PixelData = ds.PixelData[:2000]
    save(ds, "short_file.dcm")

    with open(os.path.join(folder, "garbage.dcm"), "wb") as f:
        f.write(b"\0" * 128 + b"DICM" + bytes(random.Random(3).randrange(256) for _ in range(300)))

    write_rle(os.path.join(folder, "lying_fragment.dcm"), lie=True)

    # The end mark of the compressed pixel data claims 32 MiB: it holds none.
    write_rle(os.path.join(folder, "lying_end_mark.dcm"))
    patch(os.path.join(folder, "lying_end_mark.dcm"),
          lambda d: struct.pack_into("<I", d, d.rindex(b"\xfe\xff\xdd\xe0") + 4, 0x02000000))

    # An element before the pixels claims 2 GiB.
    ds = small_slice("x")
    ds.add_new(0x00091010, "OB", b"abcd")
    save(ds, "lying_element.dcm")
    lie_at(os.path.join(folder, "lying_element.dcm"), b"\x09\x00\x10\x10OB")

    ds = small_slice("x", rows=64, cols=64)
    del ds.PixelData
    ds.add_new(0x00091010, "OB", b"\0" * 400)
    save(ds, "no_pixels.dcm")

    write_mosaic(os.path.join(folder, "mosaic.dcm"), where=None)

    # One series UID over images of two modalities, and over 8- and 16-bit ones.
    s = Series(slices=4)
    s.write(os.path.join(folder, "ct_and_mr"), slices=[0, 1])
    Series(slices=4, modality="MR", uid=s.uid).write(os.path.join(folder, "ct_and_mr"),
                                                       slices=[2, 3])
    s = Series(slices=4)
    s.write(os.path.join(folder, "bits_8_and_16"), slices=[0, 1])
    for c in (2, 3):
        path = os.path.join(folder, "bits_8_and_16", "b%d.dcm" % c)
        ds = s.slice_dataset(path, c, c + 1)
        ds.BitsAllocated, ds.BitsStored, ds.HighBit = 8, 8, 7
        ds.RescaleIntercept = "0"
        ds.PixelData = np.full((s.rows, s.cols), 7, np.uint8).tobytes()
        ds.save_as(path, write_like_original=False)

    write_directory(os.path.join(folder, "directory_empty"), keep=0)

    # The orientation written as a date: the decoder would abort on it.
    ds = small_slice("x")
    ds.save_as(os.path.join(folder, "orientation_date.dcm"), write_like_original=False)

    def as_date(data):
        at = data.index(b"\x20\x00\x37\x00DS")
        data[at + 4:at + 6] = b"DA"
    patch(os.path.join(folder, "orientation_date.dcm"), as_date)


def write_directory(folder, keep):
    """A DICOMDIR of three slices of which only the first `keep` are there."""
    from pydicom.fileset import FileSet
    s = Series(slices=3)
    staging = folder + "_staging"
    s.write(staging)
    fs = FileSet()
    for name in sorted(os.listdir(staging)):
        ds = pydicom.dcmread(os.path.join(staging, name))
        ds.StudyTime, ds.StudyID, ds.SeriesNumber = "120000", "1", 1
        fs.add(ds)
    fs.write(folder)
    shutil.rmtree(staging)
    listed = sorted(os.path.join(root, n) for root, _, names in os.walk(folder) for n in names
                    if n != "DICOMDIR")
    for path in listed[keep:]:
        os.remove(path)
    return s


def patch(path, change):
    """Rewrites the file as `change` leaves its bytes."""
    data = bytearray(open(path, "rb").read())
    change(data)
    open(path, "wb").write(bytes(data))


def lie_at(path, header):
    """Sets the 4-byte length of the element whose header starts so to 2 GiB."""
    patch(path, lambda d: struct.pack_into("<I", d, d.index(header) + 8, 0x7FFFFF00))


def write_rle(path, lie=False):
    ds = small_slice(path, rows=8, cols=8)
    ds.compress(RLELossless)
    ds.save_as(path, write_like_original=False)
    def fragment_lies(data):
        at = data.index(b"\xe0\x7f\x10\x00")
        items = [i for i in range(at, len(data) - 8) if data[i:i + 4] == b"\xfe\xff\x00\xe0"]
        struct.pack_into("<I", data, items[1] + 4, 0x7FFFFF00)
    if lie:  # the first data fragment claims far more bytes than the file holds
        patch(path, fragment_lies)


def copy_pydicom(folder):
    """pydicom's own files: one MR image in six encodings and a CT image."""
    from pydicom.data import get_testdata_file
    os.makedirs(folder, exist_ok=True)
    for name in ["MR_small.dcm", "MR_small_implicit.dcm", "MR_small_bigendian.dcm",
                 "MR_small_RLE.dcm", "MR_small_jpeg_ls_lossless.dcm",
                 "MR_small_jp2klossless.dcm", "CT_small.dcm"]:
        shutil.copy(get_testdata_file(name), os.path.join(folder, name))
    oracle("ct_small", os.path.join(folder, "CT_small.dcm"), [get_testdata_file("CT_small.dcm")])


if __name__ == "__main__":
    write_cases(sys.argv[1])
