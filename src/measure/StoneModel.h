#pragma once

#include "StoneFinder.h"

#include <memory>
#include <vector>

class ModelClass;

namespace measure {

// The stones found as one model of the anatomy table's stones, one closed
// ellipsoid per stone (stoneSurface()), named as the table names stones.
std::unique_ptr<ModelClass> stonesModel(const std::vector<FoundStone> &stones);

} // namespace measure
