#include "core/user_folders.h"

#include <gtest/gtest.h>

#include <string>

namespace quendrix {
namespace {

// Null stands for unset.
struct FolderCase {
  const char* name;
  const char *xdg, *home, *passwdHome;
  const char* expected;  // "" for none
};

class UserFolderChoice : public ::testing::TestWithParam<FolderCase> {};

TEST_P(UserFolderChoice, AbsoluteXdgThenHomeThenThePasswordEntry) {
  const FolderCase& c = GetParam();
  std::string why;
  const std::filesystem::path folder =
      ChooseUserFolder("XDG_CONFIG_HOME", c.xdg, c.home, c.passwdHome, ".config", why);
  EXPECT_EQ(folder, std::filesystem::path(c.expected));
  if (folder.empty()) {
    EXPECT_NE(why.find("XDG_CONFIG_HOME"), std::string::npos) << why;
    EXPECT_NE(why.find(c.passwdHome != nullptr ? "no home folder" : "no password entry"),
              std::string::npos)
        << why;
  } else {
    EXPECT_EQ(why, "");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Folders, UserFolderChoice,
    ::testing::Values(FolderCase{"Xdg", "/x", "/home/q", "/pw", "/x"},
                      FolderCase{"Home", nullptr, "/home/q", "/pw", "/home/q/.config"},
                      FolderCase{"RelativeXdg", "x", "/home/q", nullptr, "/home/q/.config"},
                      FolderCase{"EmptyHome", "", "", "/pw", "/pw/.config"},
                      FolderCase{"RelativeHome", nullptr, "home", "/pw", "/pw/.config"},
                      FolderCase{"NoPasswordEntry", nullptr, nullptr, nullptr, ""},
                      FolderCase{"NoHomeInTheEntry", "", "", "", ""}),
    [](const ::testing::TestParamInfo<FolderCase>& param) { return param.param.name; });

}  // namespace
}  // namespace quendrix
