// The items of the game's image lists, taken by number or by their name in
// the catalogue. A list shorter than the catalogue (damaged or foreign data)
// gives nullptr, and nothing is drawn.
#pragma once

#include <cstdint>
#include <type_traits>

#include "game/data_catalogue.h"
#include "media/image_list.h"

namespace quendrix {

inline const TPictureCollectionItem* ImageItem(const TDXImageList& list, int32_t index) {
  return list.Items.Find(index);
}

template <typename Item>
requires std::is_enum_v<Item>
const TPictureCollectionItem* ImageItem(const TDXImageList& list, Item item) {
  return list.Items.Find(ItemIndex(item));
}

}  // namespace quendrix
