// Writes a DataSet into the data folder through the game's own list-file,
// BMP and WAVE writers, so everything written loads with the game's loaders.
#pragma once

#include <string>

#include "items.h"
#include "media/bitmap.h"
#include "media/list_file.h"

namespace quendrix::assetgen {

Bitmap ToBitmap(const Picture& picture);
std::vector<PictureItemData> ToItems(const ImageList& list);
std::vector<WaveItemData> ToItems(const WaveList& list);

// Writes every output under `dataDir`, making folders as needed. Returns the
// total number of bytes written.
uint64_t WriteDataSet(const DataSet& data, const std::string& dataDir);

}  // namespace quendrix::assetgen
