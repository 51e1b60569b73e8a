#include "generator.h"

#include <algorithm>
#include <stdexcept>

namespace quendrix::assetgen {

DataSet Generate(const Sources& sources, const std::vector<std::string>& only) {
  for (const std::string& name : only) {
    bool known = std::any_of(Recipes().begin(), Recipes().end(),
                             [&](const Recipe& r) { return r.name == name; });
    if (!known) throw std::invalid_argument("unknown recipe: " + name);
  }
  DataSet data;
  for (const Recipe& r : Recipes()) {
    if (!only.empty() && std::find(only.begin(), only.end(), r.name) == only.end()) continue;
    r.build(sources, data);
  }
  return data;
}

}  // namespace quendrix::assetgen
