// The ImGui view without a renderer: real ImGui interaction, nothing drawn.
#include "widgets/widget_view.h"

#include <SDL_events.h>
#include <gtest/gtest.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <cstring>
#include <string>
#include <vector>

namespace quendrix::widgets {
namespace {

class WidgetViewTest : public ::testing::Test {
 protected:
  WidgetViewTest() {
    panel.left = 150;
    panel.top = 177;
    panel.Show();
  }

  void Frame() { view.Frame({&panel}); }
  void Move(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    view.HandleEvent(e, &panel);
    Frame();
  }
  void Button(int x, int y, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = x;
    e.button.y = y;
    view.HandleEvent(e, &panel);
  }
  // A click at canvas (x, y): the press and the release may come between
  // two frames, as they do on a busy frame.
  void Click(int x, int y, bool oneFrame = false) {
    Move(x, y);
    Button(x, y, true);
    if (!oneFrame) Frame();
    Button(x, y, false);
    Frame();
    Frame();
  }
  void Key(SDL_Keycode key) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    view.HandleEvent(e, &panel);
    e.type = SDL_KEYUP;
    view.HandleEvent(e, &panel);
  }
  void Type(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    view.HandleEvent(e, &panel);
    Frame();
  }

  WidgetView view{nullptr};
  Panel panel{"start", 379, 141};
};

TEST_F(WidgetViewTest, DeferredPressesRunOnlyWhenDelivered) {
  int clicks = 0;
  panel.AddButton("OkButton1", "Ok", {295, 111, 80, 24}).onClick = [&](Control&) { ++clicks; };
  view.SetDeferredReleases(true);
  Frame();
  Click(150 + 330, 177 + 120);
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(view.DeliverReleases());
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(view.DeliverReleases());
  EXPECT_EQ(clicks, 1);
}

TEST_F(WidgetViewTest, ClickOnACheckBoxTogglesItWithEventsInOrder) {
  bool easy = false;
  auto& box = panel.AddCheckBox("easytarget", "\xCF\xF0\xE8\xF6\xE5\xEB", {8, 68, 140, 16}, easy);
  std::vector<std::string> log;
  box.onMouseDown = [&](Control&) { log.push_back("down"); };
  box.onMouseUp = [&](Control&) { log.push_back(easy ? "up:on" : "up:off"); };
  box.onClick = [&](Control&) { log.push_back("click"); };
  box.onChange = [&](Control&) { log.push_back("change"); };
  Frame();

  Click(150 + 8 + 60, 177 + 68 + 8);
  EXPECT_TRUE(easy);
  EXPECT_EQ(log, (std::vector<std::string>{"down", "up:on", "click", "change"}));

  log.clear();
  Click(150 + 8 + 2, 177 + 68 + 2, true);
  EXPECT_FALSE(easy) << "a press and release within one frame still clicks";
  EXPECT_EQ(log.size(), 4u);

  log.clear();
  Click(150 + 200, 177 + 68 + 8);  // beside it
  EXPECT_FALSE(easy);
  EXPECT_TRUE(log.empty());
}

TEST_F(WidgetViewTest, ListRowClickChoosesOnceAndAClickOutsideClosesUnchanged) {
  int32_t course = 0;
  auto& list = panel.AddDropDown("course", {236, 18, 139, 18}, course, {"one", "two", "three"});
  int changes = 0;
  list.onChange = [&](Control&) { ++changes; };
  Frame();

  Click(150 + 300, 177 + 26);
  ASSERT_EQ(panel.OpenList(), &list);
  // Rows start just under the box; the third row.
  const int rowHeight = static_cast<int>(13 + 4);
  Click(150 + 300, 177 + 36 + 1 + 2 * rowHeight + rowHeight / 2);
  EXPECT_EQ(course, 2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(panel.OpenList(), nullptr);

  Click(150 + 300, 177 + 26);
  ASSERT_EQ(panel.OpenList(), &list);
  Click(150 + 20, 177 + 120);  // outside the list
  EXPECT_EQ(panel.OpenList(), nullptr);
  EXPECT_EQ(course, 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(WidgetViewTest, TypingIntoAnEditKeepsCp1251AndTheLengthCap) {
  std::string name = "ab";
  auto& edit = panel.AddEdit("name", {36, 24, 120, 18}, name, kPlayerNameLength);
  int changes = 0;
  edit.onChange = [&](Control&) { ++changes; };
  Frame();
  panel.HandleAction(MenuAction::kNextField);  // Tab: typing starts, the text selected
  ASSERT_EQ(panel.Typing(), &edit);
  Frame();
  Frame();
  Type("\xD0\x96\xF0\x9F\x98\x80z");  // Ж, an emoji, z: replaces the selected text
  EXPECT_EQ(name, "\xC6z");
  Type("0123456789abcdefghij");
  Type("klmnopqrstuvwxyz");
  EXPECT_EQ(name, "\xC6z0123456789abcdefghijkl");
  EXPECT_EQ(name.size(), kPlayerNameLength);
  const int before = changes;
  Type("\xE4\xB8\xAD");  // cannot be held: nothing changes
  EXPECT_EQ(changes, before);
  EXPECT_GE(changes, 2);

  Key(SDLK_RETURN);
  EXPECT_EQ(panel.Typing(), nullptr);
  edit.SetText("ab");
  Frame();
  Key(SDLK_SPACE);  // types again; its blank is not typed over the text,
  Frame();          // even when it comes once the edit has taken the keys
  Frame();
  Type(" ");
  EXPECT_EQ(panel.Typing(), &edit);
  EXPECT_EQ(name, "ab");
}

// What goes under the panels (the background animation, the FLIC player's
// missing-file text) is drawn inside the frame, into the list drawn first.
TEST_F(WidgetViewTest, UnderRunsOnceInsideTheFrameIntoTheBackgroundList) {
  panel.AddLabel("Label1", "x", {4, 4, 40, 14});
  int calls = 0;
  bool inFrame = false;
  ImDrawList* background = nullptr;
  Panel* const panels[] = {&panel};
  view.Frame(panels, [&] {
    ++calls;
    inFrame = ImGui::GetCurrentContext()->WithinFrameScope;
    background = ImGui::GetBackgroundDrawList();
    background->AddText(ImVec2(5, 5), IM_COL32(128, 128, 128, 255), "under");
  });
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(inFrame);
  const ImDrawData* drawn = ImGui::GetDrawData();
  ASSERT_NE(drawn, nullptr);
  ASSERT_GE(drawn->CmdListsCount, 2) << "the panel's own list follows";
  EXPECT_EQ(drawn->CmdLists[0], background);
  EXPECT_GT(background->VtxBuffer.Size, 0);
}

}  // namespace
}  // namespace quendrix::widgets
