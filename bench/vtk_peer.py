"""The benchmark peer of the import: VTK's Python modules doing the same work
on the same file. Prints "seconds cpu_seconds peak_megabytes triangles".

    vtk_peer.py labelmap FILE.nii LABELS ITERATIONS PASSBAND
        NIfTI reader, discrete flying edges on every label, windowed-sinc smoothing
    vtk_peer.py stl FILE.stl
        the STL reader, which joins identical points
"""
import resource
import sys
import time

import vtk


def labelmap(path, labels, iterations, passband):
    reader = vtk.vtkNIFTIImageReader()
    reader.SetFileName(path)
    surfaces = vtk.vtkDiscreteFlyingEdges3D()
    surfaces.SetInputConnection(reader.GetOutputPort())
    surfaces.GenerateValues(labels, 1, labels)
    surfaces.ComputeNormalsOff()
    smoother = vtk.vtkWindowedSincPolyDataFilter()
    smoother.SetInputConnection(surfaces.GetOutputPort())
    smoother.SetNumberOfIterations(iterations)
    smoother.SetPassBand(passband)
    smoother.BoundarySmoothingOff()
    smoother.FeatureEdgeSmoothingOff()
    smoother.NonManifoldSmoothingOn()
    smoother.NormalizeCoordinatesOn()
    smoother.Update()
    return smoother.GetOutput().GetNumberOfPolys()


def stl(path):
    reader = vtk.vtkSTLReader()
    reader.SetFileName(path)
    reader.Update()
    return reader.GetOutput().GetNumberOfPolys()


if __name__ == "__main__":
    start, cpu = time.perf_counter(), time.process_time()
    if sys.argv[1] == "labelmap":
        triangles = labelmap(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), float(sys.argv[5]))
    else:
        triangles = stl(sys.argv[2])
    seconds, cpu = time.perf_counter() - start, time.process_time() - cpu
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024.0
    print("%.4f %.4f %.1f %d" % (seconds, cpu, peak, triangles))
