"""Writes the files the import tests read, with other software than ours:
NIfTI label maps through nibabel and mesh files through meshio. Prints one
line per file: its name, then what the test must find (see test_import_files.cpp).

    write_inputs.py FOLDER
"""
import os
import sys
import warnings
import zipfile

warnings.filterwarnings("ignore")
import numpy as np  # noqa: E402
import nibabel as nib  # noqa: E402
import meshio  # noqa: E402

folder = sys.argv[1]


def path(name):
    return os.path.join(folder, name)

#A cube of label 5 at voxels i 4..7, j 3..5, k 2..6, and a ball of label 9.
def label_map(dtype):
    a = np.zeros((20, 16, 12), dtype)
    a[4:8, 3:6, 2:7] = 5
    i, j, k = np.mgrid[0:20, 0:16, 0:12]
    a[(i - 14) ** 2 + (j - 9) ** 2 + (k - 6) ** 2 < 12] = 9
    return a


def rotated(spacing, offset, flips):
    c, s = np.cos(0.4), np.sin(0.4)
    m = np.array([[c, -s, 0], [s, c, 0], [0, 0, 1]]) @ np.diag(flips) @ np.diag(spacing)
    a = np.eye(4)
    a[:3, :3] = m
    a[:3, 3] = offset
    return a


def cube_centre(affine):
    return affine @ np.array([5.5, 4.0, 4.0, 1.0])


sform = rotated([0.7, 0.9, 2.5], [120.0, -80.0, 33.0], [-1, 1, -1])
qform = rotated([0.7, 0.9, 2.5], [-15.0, 20.0, -5.0], [1, -1, 1])
cases = [
    ("uint8_sform.nii.gz", np.uint8, sform, None, sform),
    ("int16_qform.nii", np.int16, None, qform, qform),
    ("float_both.nii.gz", np.float32, sform, qform, sform),
    ("uint16_both.nii", np.uint16, sform, qform, sform),
]
for name, dtype, s, q, world in cases:
    image = nib.Nifti1Image(label_map(dtype), None)
    image.set_sform(s, 1 if s is not None else 0)
    image.set_qform(q, 1 if q is not None else 0)
    nib.save(image, path(name))
    print(name, *("%.9g" % v for v in cube_centre(world)[:3]))

image = nib.Nifti2Image(label_map(np.int32), sform)
nib.save(image, path("int32.nii"))
print("int32.nii", *("%.9g" % v for v in cube_centre(sform)[:3]))

#Label maps that must be refused.
fractions = label_map(np.float32)
fractions[1, 1, 1] = 0.5
nib.save(nib.Nifti1Image(fractions, sform), path("fractions.nii"))
intensities = np.arange(20 * 16 * 12, dtype=np.int16).reshape((20, 16, 12)) % 1500
nib.save(nib.Nifti1Image(intensities, sform), path("intensities.nii.gz"))
nib.save(nib.Nifti1Image(label_map(np.uint8)[..., None].repeat(3, 3), sform), path("four_d.nii"))

#An octahedron : 6 points, 8 triangles; and a mixed grid with data.
octahedron = meshio.Mesh(
    np.array([[1, 0, 0], [-1, 0, 0], [0, 2, 0], [0, -2, 0], [0, 0, 3], [0, 0, -3]], float),
    [("triangle", np.array([[0, 2, 4], [2, 1, 4], [1, 3, 4], [3, 0, 4],
                            [2, 0, 5], [1, 2, 5], [3, 1, 5], [0, 3, 5]]))])
for name, options in [("octahedron.stl", {"binary": False}), ("octahedron_binary.stl", {"binary": True}),
                      ("octahedron.obj", {}), ("octahedron.ply", {"binary": False}),
                      ("octahedron_binary.ply", {"binary": True}), ("octahedron.off", {})]:
    meshio.write(path(name), octahedron, **options)
    print(name)

mixed = meshio.Mesh(
    np.array([[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0], [0, 0, 1], [1, 0, 1], [0.5, 0.5, 2]], float),
    [("quad", np.array([[0, 1, 2, 3]])), ("tetra", np.array([[0, 1, 3, 4]])),
     ("triangle", np.array([[1, 5, 6], [4, 5, 6]]))],
    point_data={"temperature": np.arange(7, dtype=float) * 1.5},
    cell_data={"pressure": [np.array([10.0]), np.array([20.0]), np.array([30.0, 40.0])]})
meshio.write(path("mixed.vtk"), mixed, binary=False)
meshio.write(path("mixed_binary.vtk"), mixed, binary=True)
print("mixed.vtk")
print("mixed_binary.vtk")

#The octahedron as a 3MF package : a zip of the content types, the
#relationships and the model's XML.
vertices = "".join('<vertex x="%g" y="%g" z="%g"/>' % tuple(p) for p in octahedron.points)
triangles = "".join('<triangle v1="%d" v2="%d" v3="%d"/>' % tuple(t) for t in octahedron.cells[0].data)
with zipfile.ZipFile(path("octahedron.3mf"), "w") as package:
    package.writestr("[Content_Types].xml",
                     '<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/'
                     'package/2006/content-types"><Default Extension="rels" ContentType="application/'
                     'vnd.openxmlformats-package.relationships+xml"/><Default Extension="model" '
                     'ContentType="application/vnd.ms-package.3dmanufacturing-3dmodel+xml"/></Types>')
    package.writestr("_rels/.rels",
                     '<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.'
                     'openxmlformats.org/package/2006/relationships"><Relationship Target="/3D/3dmodel.model" '
                     'Id="rel0" Type="http://schemas.microsoft.com/3dmanufacturing/2013/01/3dmodel"/>'
                     '</Relationships>')
    package.writestr("3D/3dmodel.model",
                     '<?xml version="1.0" encoding="UTF-8"?><model unit="millimeter" xml:lang="en-US" '
                     'xmlns="http://schemas.microsoft.com/3dmanufacturing/core/2015/02"><resources>'
                     '<object id="1" type="model"><mesh><vertices>' + vertices + '</vertices><triangles>'
                     + triangles + '</triangles></mesh></object></resources><build><item objectid="1"/>'
                     '</build></model>')
print("octahedron.3mf")
