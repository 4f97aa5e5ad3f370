#pragma once

// An affine map from voxel indices (i, j, k) to world millimetres:
// world = m * (i, j, k, 1). Column c of m's left 3 × 3 block is the step one
// voxel takes along index axis c; column 3 is the first voxel's centre.
struct Affine
{
    double m[3][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}};

    void apply(double i, double j, double k, double out[3]) const
    {
        for (int r = 0; r < 3; ++r)
            out[r] = m[r][0] * i + m[r][1] * j + m[r][2] * k + m[r][3];
    }
    double determinant() const;
    // Every entry finite and every voxel axis of non-zero length.
    bool isUsable() const;
    // Length in millimetres of one voxel step along index axis `axis`.
    double spacing(int axis) const;
    // The map from world millimetres back to voxel indices; only for a usable map.
    Affine inverse() const;
};
