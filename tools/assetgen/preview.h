// Previews for people: a PNG contact sheet per image list (every item with
// its index, size and pattern grid), sheets of the skins and textures, the
// fonts setting sample texts, a mock HUD over several course colours, and a
// text listing of every sound list.
#pragma once

#include <string>

#include "items.h"

namespace quendrix::assetgen {

// Writes every preview of `data` into `dir`; `sources` gives the assets for
// the font samples.
void WritePreviews(const DataSet& data, const Sources& sources, const std::string& dir);

}  // namespace quendrix::assetgen
