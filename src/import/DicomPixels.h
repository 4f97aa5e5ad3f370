#pragma once

#include "DicomFrames.h"

#include <functional>

// Decodes the planes of a laid-out series into an image, rescaled, after
// checking every size against the files; `progress` hears the fraction done.
ImageVolume readSlices(const SliceLayout &layout, const std::function<void(double)> &progress = {});
