// The presenter on SDL's software renderer: centred at natural size in the
// current target, cropped when larger, uploads only on change, and the
// missing-file text in the open ImGui frame.
#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include "flic_support.h"
#include "widgets/flic_player.h"
#include "widgets/flic_presenter.h"

namespace quendrix::testing {
namespace {

class Target {
 public:
  Target(int w, int h)
      : surface_(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888)),
        renderer_(SDL_CreateSoftwareRenderer(surface_)) {}
  ~Target() {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }
  SDL_Renderer* Renderer() const { return renderer_; }
  void Clear() {
    SDL_SetRenderDrawColor(renderer_, 1, 2, 3, 255);
    SDL_RenderClear(renderer_);
  }
  uint32_t At(int x, int y) const {
    return static_cast<const uint32_t*>(surface_->pixels)[y * surface_->pitch / 4 + x] |
           0xFF000000u;
  }

 private:
  SDL_Surface* surface_;
  SDL_Renderer* renderer_;
};

constexpr uint32_t kCleared = 0xFF010203u;

TEST(FlicPresenter, DrawsCentredAtNaturalSizeAndUploadsOnlyChanges) {
  const FlicClip clip = MakeClip(64, 9, 50);
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName(dir.Write("c.flc", Encode(clip)));
  ASSERT_TRUE(player.Play());
  const uint32_t* frame = player.Picture();
  ASSERT_NE(frame, nullptr);

  Target big(100, 41);  // frame at (18, 16)
  ASSERT_NE(big.Renderer(), nullptr);
  FlicPresenter presenter;
  big.Clear();
  ASSERT_TRUE(presenter.Draw(big.Renderer(), player, 100, 41));
  EXPECT_EQ(big.At(18, 16), frame[0]);
  EXPECT_EQ(big.At(18 + 63, 16 + 8), frame[64 * 9 - 1]);
  EXPECT_EQ(big.At(17, 16), kCleared);
  EXPECT_EQ(big.At(18 + 64, 16 + 8), kCleared);
  EXPECT_EQ(big.At(18, 16 + 9), kCleared);
  ASSERT_TRUE(presenter.Draw(big.Renderer(), player, 100, 41));
  EXPECT_EQ(presenter.Uploads(), 1u);
  clock.Advance(50);
  ASSERT_TRUE(player.Tick());
  ASSERT_TRUE(presenter.Draw(big.Renderer(), player, 100, 41));
  EXPECT_EQ(presenter.Uploads(), 2u);
  EXPECT_EQ(big.At(18 + 10, 16 + 4), player.Picture()[4 * 64 + 10]);

  // A smaller target shows the middle of the frame.
  Target small(40, 5);  // frame at (-12, -2)
  small.Clear();
  ASSERT_TRUE(presenter.Draw(small.Renderer(), player, 40, 5));
  EXPECT_EQ(small.At(0, 0), player.Picture()[2 * 64 + 12]);
  EXPECT_EQ(small.At(39, 4), player.Picture()[6 * 64 + 51]);
  presenter.Release();
}

TEST(FlicPresenter, MissingFileTextGoesIntoTheOpenImGuiFrame) {
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName(dir.Path("none.flc"));
  ASSERT_FALSE(player.Play());
  Target target(64, 48);
  FlicPresenter presenter;
  // No ImGui at all, then a context without a frame: nothing drawn, no harm.
  target.Clear();
  EXPECT_TRUE(presenter.Draw(target.Renderer(), player, 64, 48));
  EXPECT_EQ(target.At(20, 20), kCleared);
  ImGui::CreateContext();
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = ImVec2(640, 480);
  io.DeltaTime = 1.0f / 60;
  unsigned char* pixels;
  int w, h;
  io.Fonts->GetTexDataAsAlpha8(&pixels, &w, &h);
  EXPECT_TRUE(presenter.Draw(target.Renderer(), player, 64, 48));
  ImGui::NewFrame();
  const int before = ImGui::GetBackgroundDrawList()->VtxBuffer.Size;
  EXPECT_TRUE(presenter.Draw(target.Renderer(), player, 64, 48));
  EXPECT_GT(ImGui::GetBackgroundDrawList()->VtxBuffer.Size, before);
  ImGui::EndFrame();
  ImGui::DestroyContext();
}

}  // namespace
}  // namespace quendrix::testing
