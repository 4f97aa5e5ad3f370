"""Prints what meshio reads from a mesh file: the number of points, one point
per line, then one cell per line as its type and point numbers."""
import sys
import warnings

warnings.filterwarnings("ignore")
import meshio  # noqa: E402

mesh = meshio.read(sys.argv[1])
print(len(mesh.points))
for point in mesh.points:
    print(*(repr(float(x)) for x in point))
for block in mesh.cells:
    for cell in block.data:
        print(block.type, *(int(i) for i in cell))
