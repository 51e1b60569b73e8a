// The folder of the running executable, where the generated data lies.
#pragma once

#include <filesystem>

namespace quendrix {

// From /proc/self/exe; where that cannot be read, the folder of `argv0`
// (made absolute), or the current folder when there is none.
std::filesystem::path ExecutableFolder(const char* argv0 = nullptr);

}  // namespace quendrix
