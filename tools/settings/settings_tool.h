// quendrix-settings: look at or remove the stored settings.
//
//   quendrix-settings show          every setting as the game would read it
//   quendrix-settings path          where the settings file is
//   quendrix-settings reset [--yes] remove the stored settings (asks first)
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace quendrix {

// Runs one command on the settings file `file`; skins are looked for in
// `dataDir`/skins. Returns the exit status: 0 done, 1 failed, 2 bad usage.
int RunSettingsTool(const std::vector<std::string>& args, const std::filesystem::path& file,
                    const std::filesystem::path& dataDir, std::istream& in, std::ostream& out,
                    std::ostream& err);

}  // namespace quendrix
