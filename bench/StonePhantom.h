#pragma once

// Synthetic CTs with stones of known size: a body of fat and soft tissue in
// air, a spine on the midline behind, two kidneys, and stones (ellipsoids
// turned any way) inside them; blurred by a Gaussian point spread and
// sampled with noise. The truth is analytic.

#include "model/ImageVolume.h"

#include <array>
#include <vector>

struct PhantomStone
{
    std::array<double, 3> centre {}; // world mm
    std::array<double, 3> semi {};   // semi-axes (mm) along the three axes below
    double hu = 1000;
    // The unit directions of the semi-axes in the world; the image's axes unless turned.
    std::array<std::array<double, 3>, 3> axes {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    double volume() const; // 4/3 pi a b c
    double largestDiameter() const;
    double halfWidth(int worldAxis) const; // half the extent along a world axis (mm)
};

struct PhantomPlan
{
    qint64 size[3] = {128, 128, 40};
    double pixel = 0.7, slice = 1.5; // mm
    double fwhmInPlane = 0.9;        // the point spread; along z it is the slice
    double fwhmZ = 0;                // 0: the slice thickness
    double noiseHu = 15;
    unsigned seed = 1;
    bool body = true;     // else a uniform block of tissue (and still air at the rim)
    double tissueHu = 40; // soft tissue around the kidneys
    double kidneyHu = 30;
    std::vector<PhantomStone> stones;
};

// The world frame: x = (i - nx / 2) pixel, y = (j - ny / 2) pixel, z = k slice.
ImageVolume makeStonePhantom(const PhantomPlan &plan);

// Where the kidneys' centres lie in a phantom of this grid (x > 0 first).
std::array<std::array<double, 3>, 2> phantomKidneys(const PhantomPlan &plan);
// The value of the phantom's body before blur and noise at a world point.
double phantomBodyHu(const PhantomPlan &plan, const std::array<double, 3> &p);
