#!/usr/bin/python3
"""Writes the DICOM load benchmark's series once, and is the pydicom peer.

    dicom_series.py write FOLDER COLUMNS ROWS SLICES   an uncompressed CT series
    dicom_series.py stack FOLDER                       pydicom + numpy: read every
                                                       file, sort, stack, rescale

The series is a smooth body-like pattern with noise, 12 bits stored, so that
every encoding has something real to compress.
"""

import os
import sys

import numpy as np


def write(folder, cols, rows, slices):
    import pydicom
    from pydicom.dataset import FileDataset, FileMetaDataset
    from pydicom.uid import ExplicitVRLittleEndian, CTImageStorage, generate_uid

    os.makedirs(folder, exist_ok=True)
    series = generate_uid()
    y, x = np.mgrid[0:rows, 0:cols]
    body = ((x - cols / 2) / (cols * 0.4)) ** 2 + ((y - rows / 2) / (rows * 0.3)) ** 2 < 1
    rng = np.random.default_rng(5)
    for k in range(slices):
        meta = FileMetaDataset()
        meta.MediaStorageSOPClassUID = CTImageStorage
        meta.MediaStorageSOPInstanceUID = generate_uid()
        meta.TransferSyntaxUID = ExplicitVRLittleEndian
        ds = FileDataset(None, {}, file_meta=meta, preamble=b"\0" * 128)
        ds.is_little_endian, ds.is_implicit_VR = True, False
        ds.SOPClassUID, ds.SOPInstanceUID = CTImageStorage, meta.MediaStorageSOPInstanceUID
        ds.Modality, ds.PatientName, ds.SeriesInstanceUID = "CT", "Bench^Series", series
        ds.StudyInstanceUID = "1.2.826.0.1.3680043.8.498.2"
        ds.InstanceNumber = k + 1
        ds.ImagePositionPatient = [-180.0, -180.0, -300.0 + 1.25 * k]
        ds.ImageOrientationPatient = [1, 0, 0, 0, 1, 0]
        ds.PixelSpacing = [0.7, 0.7]
        ds.SliceThickness = 1.25
        ds.Rows, ds.Columns = rows, cols
        ds.SamplesPerPixel, ds.PhotometricInterpretation = 1, "MONOCHROME2"
        ds.BitsAllocated, ds.BitsStored, ds.HighBit, ds.PixelRepresentation = 16, 12, 11, 0
        ds.RescaleSlope, ds.RescaleIntercept = 1, -1024
        hu = np.where(body, 40, -1000) + rng.normal(0, 15, (rows, cols))
        ds.PixelData = np.clip(hu + 1024, 0, 4095).astype(np.uint16).tobytes()
        ds.save_as(os.path.join(folder, "IM%04d.dcm" % ((k * 7919) % slices)),
                   write_like_original=False)


def stack(folder):
    import pydicom
    files = [pydicom.dcmread(os.path.join(folder, n)) for n in os.listdir(folder)]
    normal = np.cross(*np.array(files[0].ImageOrientationPatient, float).reshape(2, 3))
    files.sort(key=lambda d: float(np.dot(np.array(d.ImagePositionPatient, float), normal)))
    volume = np.stack([d.pixel_array for d in files]).astype(np.int16)
    volume = volume * int(files[0].RescaleSlope) + int(files[0].RescaleIntercept)
    print(volume.shape)


if __name__ == "__main__":
    if sys.argv[1] == "write":
        write(sys.argv[2], *map(int, sys.argv[3:6]))
    else:
        stack(sys.argv[2])
