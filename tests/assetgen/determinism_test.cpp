// Generating the data twice gives the same bytes, in this process and
// against the files the build wrote in another.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "assetgen/clip_art.h"
#include "assetgen/draw.h"
#include "assetgen/flic_writer.h"
#include "assetgen/generator.h"
#include "assetgen/writer.h"
#include "data_test_util.h"

namespace quendrix::testing {
namespace {

using assetgen::DataSet;
using assetgen::Generate;
using assetgen::Sources;

Sources TheSources() {
  return Sources{QUENDRIX_SOURCE_DIR "/assets"};
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class Determinism : public ::testing::Test {
 protected:
  static void TearDownTestSuite() { assetgen::ShutdownFonts(); }
};

TEST_F(Determinism, InterfacePicturesAreTheSameEveryRun) {
  DataSet a = Generate(TheSources(), {"gui"});
  DataSet b = Generate(TheSources(), {"gui"});
  ASSERT_EQ(a.imageLists.size(), 1u);
  auto bytesA = EncodeImageList(assetgen::ToItems(a.imageLists[0]));
  auto bytesB = EncodeImageList(assetgen::ToItems(b.imageLists[0]));
  EXPECT_EQ(bytesA, bytesB);
  EXPECT_EQ(bytesA, ReadAll(DataPath("gui.dxg"))) << "differs from the build's gui.dxg";
}

TEST_F(Determinism, SoundsAreTheSameEveryRun) {
  DataSet a = Generate(TheSources(), {"sounds"});
  ASSERT_EQ(a.waveLists.size(), 2u);
  for (const auto& list : a.waveLists) {
    SCOPED_TRACE(list.path);
    EXPECT_EQ(EncodeSoundList(assetgen::ToItems(list)), ReadAll(DataPath(list.path)));
  }
}

// A second run in the same process has made more cairo surfaces, whose
// shared counter must not leak into the scalable icon.
TEST_F(Determinism, MenuPictureAndIconsAreTheSameEveryRun) {
  Generate(TheSources(), {"icons"});
  DataSet a = Generate(TheSources(), {"launchpad", "icons"});
  ASSERT_EQ(a.imageLists.size(), 1u);
  EXPECT_EQ(EncodeImageList(assetgen::ToItems(a.imageLists[0])),
            ReadAll(DataPath("launchpad.dxg")));
  ASSERT_EQ(a.files.size(), 9u);
  for (const auto& f : a.files) {
    SCOPED_TRACE(f.path);
    EXPECT_EQ(std::vector<uint8_t>(f.bytes.begin(), f.bytes.end()), ReadAll(DataPath(f.path)));
  }
}

TEST_F(Determinism, LaunchPadAnimationsAreTheSameEveryRun) {
  DataSet a = Generate(TheSources(), {"flic"});
  ASSERT_EQ(a.animations.size(), 2u);
  for (const auto& anim : a.animations) {
    SCOPED_TRACE(anim.path);
    assetgen::FlicWriter w(anim.width, anim.height, anim.speedMs);
    for (const auto& f : anim.frames) w.AddFrame(f, anim.palette);
    const std::string bytes = w.Finish();
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), ReadAll(DataPath(anim.path)));
  }
}

// Every clip's opening pictures twice in this process, and the whole logo
// clip against the build's file: encoder, muxer and art hold no clock, no
// version string and no thread timing.
TEST_F(Determinism, ClipsAreTheSameEveryRun) {
  for (auto make : {assetgen::LogoClip, assetgen::IntroClip, assetgen::CreditsClip}) {
    const assetgen::ClipOutput a = make(TheSources(), 6), b = make(TheSources(), 6);
    SCOPED_TRACE(a.clip.path);
    EXPECT_GT(a.clip.bytes.size(), 10000u);
    EXPECT_TRUE(a.clip.bytes == b.clip.bytes);
  }
  const std::string logo = assetgen::LogoClip(TheSources()).clip.bytes;
  EXPECT_TRUE(std::vector<uint8_t>(logo.begin(), logo.end()) == ReadAll(DataPath("tarn.avi")))
      << "differs from the build's tarn.avi";
}

TEST_F(Determinism, UnknownRecipeIsRefused) {
  EXPECT_THROW(Generate(TheSources(), {"no such list"}), std::invalid_argument);
}

}  // namespace
}  // namespace quendrix::testing
