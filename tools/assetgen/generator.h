// Running the recipes.
#pragma once

#include <string>
#include <vector>

#include "items.h"

namespace quendrix::assetgen {

// Runs the named recipes (all of them when `only` is empty) in registry
// order. Throws std::invalid_argument for an unknown name.
DataSet Generate(const Sources& sources, const std::vector<std::string>& only = {});

}  // namespace quendrix::assetgen
