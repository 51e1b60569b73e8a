#include "core/program_folder.h"

namespace quendrix {

std::filesystem::path ExecutableFolder(const char* argv0) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) return self.parent_path();
  if (argv0 != nullptr && *argv0 != '\0') {
    const auto absolute = std::filesystem::absolute(argv0, error);
    if (!error) return absolute.parent_path();
  }
  return std::filesystem::current_path(error);
}

}  // namespace quendrix
