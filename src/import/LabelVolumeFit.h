#pragma once

#include "LabelSurface.h"

#include <vector>

// How far the boundaries may move from where the voxels put them, in voxels
// along each voxel axis: smoothing takes off the stair-steps, the fit then
// gives every label its voxels' volume back, and neither leaves the shell of
// half a voxel around the voxels' own boundary.
struct FitOptions
{
    double smoothingReach = 0.2;
    double totalReach = 0.5;
    int rounds = 12;
    double tolerance = 1e-4; // of each label's volume
};

// The volume each label's voxels fill in world cubic millimetres, by label
// number (index 0, the background, is 0).
std::vector<double> voxelVolumes(const LabelVolume &volume);

// The volume each label's triangles enclose, by label number.
std::vector<double> enclosedVolumes(const LabelSurface &surface, int labelCount);

// Keeps the smoothed `surface` within reach of `before` (its vertices before
// smoothing), then moves every label's boundary along its normals until the
// label encloses `target` (by label number), each shared boundary moved once
// for both of its labels: the displacement of a boundary between labels a
// and b is the difference of the two labels' pushes, found together from the
// areas the labels share (background does not push).
// All of it happens in the voxel grid of `toWorld`, where voxels are unit
// cubes, so thin or oblique voxels are bounded as cubes are.
void fitLabelVolumes(LabelSurface &surface, const std::vector<double> &before,
                     const Affine &toWorld, const std::vector<double> &target,
                     const FitOptions &options = {});
