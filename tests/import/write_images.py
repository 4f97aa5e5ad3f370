"""Writes the images the image tests read, with nibabel and by hand (NRRD),
and computes what the tests must find with numpy: the grid, the world place,
the range of values, and the values inside a box and an octahedron given in
world millimetres. Prints one JSON object.

    write_images.py FOLDER
"""
import json
import math
import os
import struct
import sys
import warnings

warnings.filterwarnings("ignore")
import numpy as np  # noqa: E402
import nibabel as nib  # noqa: E402

folder = sys.argv[1]
rng = np.random.default_rng(26)
out = {}


def path(name):
    return os.path.join(folder, name)


def oblique(spacing, origin):
    a, b = 0.5, 0.3
    rz = np.array([[math.cos(a), -math.sin(a), 0], [math.sin(a), math.cos(a), 0], [0, 0, 1]])
    rx = np.array([[1, 0, 0], [0, math.cos(b), -math.sin(b)], [0, math.sin(b), math.cos(b)]])
    m = np.eye(4)
    m[:3, :3] = rz @ rx @ np.diag(spacing)
    m[:3, 3] = origin
    return m


def describe(name, data, affine):
    v = data[np.isfinite(data)].astype(float)
    lengths = np.linalg.norm(affine[:3, :3], axis=0)
    out[name] = {"size": list(data.shape), "spacing": lengths.tolist(),
                 "origin": affine[:3, 3].tolist(),
                 "direction": (affine[:3, :3] / lengths).T.reshape(-1).tolist(),
                 "min": v.min(), "max": v.max(), "mean": v.mean()}


def centres(shape, affine):
    i, j, k = np.meshgrid(*[np.arange(n) for n in shape], indexing="ij")
    ijk = np.stack([i, j, k, np.ones(shape)], axis=-1)
    return ijk @ affine[:3].T


def box_stats(name, image, affine, bounds):
    """The values of the voxels whose centres lie inside the box `bounds`."""
    x, y, z = np.moveaxis(centres(image.shape, affine), -1, 0)
    inside = np.ones(image.shape, bool)
    for c, (low, high) in zip((x, y, z), bounds):
        inside &= (c > low) & (c < high)
    out[name] = {"bounds": bounds, **stats(image[inside])}


def stats(values):
    v = np.sort(values.astype(float))
    n = len(v)
    if n == 0:
        return {"voxels": 0}
    return {"voxels": n, "mean": v.mean(), "sd": v.std(), "min": v[0], "max": v[-1],
            "p95": v[math.ceil(0.95 * n) - 1]}


# An oblique CT of int16 HU; a label map of a box made on it.
ct_affine = oblique([0.8, 0.7, 1.5], [-20.0, -15.0, -25.0])
ct = rng.integers(-1000, 200, size=(40, 36, 30)).astype(np.int16)
mask = np.zeros(ct.shape, np.uint8)
mask[10:25, 8:20, 6:18] = 1
ct[mask == 1] = rng.integers(380, 420, size=int(mask.sum()))
ct[30:34, 25:30, 20:24] = rng.integers(1500, 2500, size=(4, 5, 4))  # a stone
nib.save(nib.Nifti1Image(ct, ct_affine), path("ct.nii.gz"))
nib.save(nib.Nifti1Image(mask, ct_affine), path("box_mask.nii.gz"))
describe("ct.nii.gz", ct, ct_affine)
out["box_mask"] = stats(ct[mask == 1])

box_stats("box", ct, ct_affine, [[-12.25, 1.75], [-4.875, 9.125], [-14.625, 3.375]])  # exact in float
# A box reaching out of the image below its first voxel.
box_stats("partly_outside", ct, ct_affine, [[-30.25, 5.375], [-30.75, 2.25], [-40.125, -10.25]])
x, y, z = np.moveaxis(centres(ct.shape, ct_affine), -1, 0)
centre, radii = [-3.125, 4.25, -2.75], [11.25, 8.5, 9.375]
inside = sum(abs(c - m) / r for c, m, r in zip((x, y, z), centre, radii)) < 1
out["octahedron"] = {"centre": centre, "radii": radii}
out["octahedron"].update(stats(ct[inside]))

# A float image with fractional values, axes flipped, no oblique part.
mr_affine = np.diag([-0.9, 1.1, -2.0, 1.0])
mr_affine[:3, 3] = [30.0, -10.0, 40.0]
mr = rng.normal(100.0, 30.0, size=(24, 20, 16)).astype(np.float32)
nib.save(nib.Nifti1Image(mr, mr_affine), path("mr_float.nii"))
describe("mr_float.nii", mr, mr_affine)
box_stats("mr_box", mr, mr_affine, [[12.5, 25.25], [-5.5, 4.75], [14.25, 36.5]])

# Stored values with a slope and intercept in the header (patched after
# writing, so no library rescales them), and whole values beyond 16 bits.
raw = rng.integers(0, 4000, size=(16, 12, 10)).astype(np.int16)
nib.save(nib.Nifti1Image(raw, mr_affine), path("scaled.nii"))
with open(path("scaled.nii"), "r+b") as f:
    f.seek(112)
    f.write(struct.pack("<ff", 0.5, -1024.0))
describe("scaled.nii", raw * 0.5 - 1024.0, mr_affine)
wide = rng.integers(0, 60000, size=(16, 12, 10)).astype(np.uint16)
nib.save(nib.Nifti1Image(wide, mr_affine), path("uint16.nii"))
describe("uint16.nii", wide, mr_affine)

# Few whole values but an intent that is not labels: an image.
zscore = nib.Nifti1Image((mask * 3).astype(np.uint8), ct_affine)
zscore.header.set_intent("z score")
nib.save(zscore, path("zscore.nii"))
describe("zscore.nii", mask * 3, ct_affine)

# Many distinct values but the label intent: read as labels, so refused.
many = (np.arange(40 * 36 * 30) % 1500).reshape(ct.shape).astype(np.int16)
labelled = nib.Nifti1Image(many, ct_affine)
labelled.header.set_intent("label")
nib.save(labelled, path("many_labels.nii"))

# The CT as NRRD in left-posterior-superior space, written by hand.
lps = np.diag([-1.0, -1.0, 1.0])
directions = lps @ ct_affine[:3, :3]
origin = lps @ ct_affine[:3, 3]
header = ("NRRD0004\ntype: short\ndimension: 3\nspace: left-posterior-superior\nsizes: 40 36 30\n"
          "space directions: " + " ".join("(%.17g,%.17g,%.17g)" % tuple(directions[:, c]) for c in range(3))
          + "\nkinds: domain domain domain\nendian: little\nencoding: raw\n"
          "space origin: (%.17g,%.17g,%.17g)\n\n" % tuple(origin))
with open(path("ct.nrrd"), "wb") as f:
    f.write(header.encode("ascii"))
    f.write(ct.astype("<i2").tobytes(order="F"))

print(json.dumps(out))
