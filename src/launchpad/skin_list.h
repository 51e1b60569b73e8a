// The interface skins the setup panel offers: entry 0 (no skin) and then one
// entry per skin folder under "skins" beside the executable.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix {

// Entry 0, "[обычный интерфейс]" in cp1251. It names no skin folder, so the
// images of "gui.dxg" stay.
inline constexpr std::string_view kDefaultSkinEntry =
    "[\xEE\xE1\xFB\xF7\xED\xFB\xE9 \xE8\xED\xF2\xE5\xF0\xF4\xE5\xE9\xF1]";

struct SkinList {
  std::vector<std::string> items;  // cp1251; items[0] is kDefaultSkinEntry
  int selected = 0;

  const std::string& SelectedText() const { return items[static_cast<size_t>(selected)]; }
};

// Lists `skinsDir`: every entry that is a real directory (not a link) and
// not hidden (no leading "."), whatever its permission bits, in the order
// the file system returns them. Folder names are UTF-8 on disk and become cp1251
// entries; a name cp1251 cannot hold is left out, since the game could not
// find that folder again. A missing or unreadable folder gives entry 0 alone.
// Then selects `remembered` (cp1251): the entry spelt exactly so, else the
// first equal without case, else entry 0.
SkinList BuildSkinList(const std::filesystem::path& skinsDir, std::string_view remembered);

// Index of the entry equal to `name` (exact spelling first, then without
// case), or 0.
int FindSkinEntry(const std::vector<std::string>& items, std::string_view name);

// The folder of the running executable, where the game's data lives.
std::filesystem::path ExecutableDir();

}  // namespace quendrix
