#include "launchpad/skin_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>

#include "core/cp1251.h"
#include "launchpad/registry_file.h"

namespace quendrix {

namespace {

// A skin folder is a plain directory: not hidden, not a link. Linux has no
// read-only attribute; permission bits say nothing of it, and a game
// installed on read-only media (a squashfs, a store path, mode 555) must
// still list its skins.
bool IsPlainDirectory(int dirFd, const char* name) {
  if (name[0] == '.') return false;  // hidden, and "." / ".."
  struct stat st {};
  if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return false;
  return S_ISDIR(st.st_mode);
}

}  // namespace

int FindSkinEntry(const std::vector<std::string>& items, std::string_view name) {
  for (size_t i = 0; i < items.size(); ++i) {
    if (items[i] == name) return static_cast<int>(i);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    if (SameRegistryName(items[i], name)) return static_cast<int>(i);
  }
  return 0;
}

SkinList BuildSkinList(const std::filesystem::path& skinsDir, std::string_view remembered) {
  SkinList list;
  list.items.emplace_back(kDefaultSkinEntry);
  if (DIR* dir = ::opendir(skinsDir.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      if (!IsPlainDirectory(::dirfd(dir), entry->d_name)) continue;
      const std::string_view onDisk = entry->d_name;
      std::string text = Utf8ToCp1251(onDisk);
      if (Cp1251ToUtf8(text) != onDisk) continue;
      list.items.push_back(std::move(text));
    }
    ::closedir(dir);
  }
  list.selected = FindSkinEntry(list.items, remembered);
  return list;
}

std::filesystem::path ExecutableDir() {
  std::array<char, 4096> buffer{};
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return std::filesystem::current_path();
  return std::filesystem::path(std::string(buffer.data(), static_cast<size_t>(n))).parent_path();
}

}  // namespace quendrix
