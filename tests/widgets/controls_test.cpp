#include "widgets/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/hud.h"

namespace quendrix::widgets {
namespace {

using Log = std::vector<std::string>;

// Records every event of `c` as "name:event".
void Record(Control& c, Log& log) {
  c.onMouseDown = [&log](Control& s) { log.push_back(s.Name() + ":down"); };
  c.onMouseUp = [&log](Control& s) { log.push_back(s.Name() + ":up"); };
  c.onClick = [&log](Control& s) { log.push_back(s.Name() + ":click"); };
  c.onChange = [&log](Control& s) { log.push_back(s.Name() + ":change"); };
}

TEST(WidgetRadioRule, CheckingUnchecksOnlyTheSameGroupInTheSameContainer) {
  bool s640 = true, s800 = false, s1024 = false, s512 = true, on = true, off = false;
  Container window;
  Panel setup("setup", 379, 141);
  TabBox& res = setup.AddTabBox("resbox", {4, 4, 118, 82}, {"Res"});
  TabBox& sound = setup.AddTabBox("soundbox", {126, 4, 104, 82}, {"Snd"});
  auto& r640 = res.AddRadioButton("screen640", "640", {8, 24, 90, 16}, 0, s640);
  auto& r800 = res.AddRadioButton("screen800", "800", {8, 40, 90, 16}, 0, s800);
  res.AddRadioButton("screen1024", "1024", {8, 56, 90, 16}, 0, s1024);
  sound.AddRadioButton("soundon", "on", {8, 24, 60, 16}, 0, on);
  sound.AddRadioButton("soundoff", "off", {8, 40, 60, 16}, 0, off);
  auto& r512 = window.AddRadioButton("screen512", "512", {0, 0, 90, 16}, 0, s512);
  r512.visible = r512.enabled = false;

  r800.SetChecked(true);  // as the settings reader sets it
  EXPECT_TRUE(s800);
  EXPECT_FALSE(s640);
  EXPECT_FALSE(s1024);
  EXPECT_TRUE(s512) << "a button of the group on the window is not affected";
  EXPECT_TRUE(on) << "the same group number in another tab box is another group";

  r800.SetChecked(false);
  EXPECT_FALSE(s800);
  EXPECT_FALSE(s640) << "unchecking leaves the others";
  EXPECT_TRUE(s512);

  r640.SetChecked(true);
  r512.SetChecked(true);
  EXPECT_TRUE(s640) << "checking the window's button leaves the panel's";

  // A press follows the same rule.
  setup.Show();
  setup.Press(r800);
  EXPECT_TRUE(s800);
  EXPECT_FALSE(s640);
}

TEST(WidgetPress, FiresDownUpClickChangeAndReleaseSeesTheNewState) {
  bool easy = false;
  bool pushed = false;
  Panel start("start", 379, 141);
  auto& box = start.AddCheckBox("easytarget", "aim", {8, 68, 140, 16}, easy);
  auto& push = start.AddRadioButton("pushputt", "push", {80, 48, 60, 16}, 0, pushed);
  Log log;
  Record(box, log);
  Record(push, log);
  box.onMouseUp = [&](Control&) { log.push_back(easy ? "up:on" : "up:off"); };
  start.Show();

  start.PointerDown(box);
  start.PointerUp(box, true);
  EXPECT_EQ(log, (Log{"easytarget:down", "up:on", "easytarget:click", "easytarget:change"}));

  log.clear();
  start.PointerDown(box);
  start.PointerUp(box, false);  // released outside: no click, value kept
  EXPECT_EQ(log, (Log{"easytarget:down", "up:on"}));
  EXPECT_TRUE(easy);

  log.clear();
  start.Press(push);
  start.Press(push);  // already checked: no change the second time
  EXPECT_EQ(log, (Log{"pushputt:down", "pushputt:up", "pushputt:click", "pushputt:change",
                      "pushputt:down", "pushputt:up", "pushputt:click"}));

  log.clear();
  box.enabled = false;
  start.PointerDown(box);
  start.Press(box);
  EXPECT_TRUE(log.empty()) << "a disabled control takes no press";
}

struct FocusPanel {
  bool hidden = false, disabled = false, r1 = false, r2 = true, r3 = false;
  int32_t tab = 0;
  std::string name = "x";
  Panel panel{"p", 379, 141};
  Button& a = panel.AddButton("a", "A", {0, 0, 50, 20});
  CheckBox& b = panel.AddCheckBox("b", "B", {0, 20, 50, 16}, hidden);
  CheckBox& c = panel.AddCheckBox("c", "C", {0, 40, 50, 16}, disabled);
  Label& label = panel.AddLabel("label", "L", {0, 60, 50, 14});
  TabBox& t = panel.AddTabBox("t", {60, 0, 200, 100}, tab, {"1", "2", "3"});
  Edit& e = t.AddEdit("e", {8, 24, 100, 18}, name, kPlayerNameLength);
  RadioButton& g1 = t.AddRadioButton("g1", "1", {8, 48, 60, 16}, 0, r1);
  RadioButton& g2 = t.AddRadioButton("g2", "2", {8, 64, 60, 16}, 0, r2);
  RadioButton& g3 = t.AddRadioButton("g3", "3", {8, 80, 60, 16}, 0, r3);
  Button& d = panel.AddButton("d", "D", {300, 110, 70, 22});
  FocusPanel() {
    b.visible = false;
    c.enabled = false;
    panel.Show();
  }
  std::string Step(MenuAction action) {
    panel.HandleAction(action);
    return panel.Focus() != nullptr ? panel.Focus()->Name() : "none";
  }
};

TEST(WidgetFocus, TabWalksUsableControlsInOrderWithOneStopPerRadioGroup) {
  FocusPanel f;
  EXPECT_EQ(f.panel.Focus(), nullptr) << "nothing is focused when a panel opens";
  std::vector<std::string> order;
  for (int i = 0; i < 6; ++i) order.push_back(f.Step(MenuAction::kNextField));
  EXPECT_EQ(order, (std::vector<std::string>{"a", "t", "e", "g2", "d", "a"}));
  EXPECT_EQ(f.Step(MenuAction::kPreviousField), "d");
  EXPECT_EQ(f.Step(MenuAction::kPreviousField), "g2");

  f.t.visible = false;  // a hidden tab box hides what is on it
  EXPECT_EQ(f.panel.Focus(), nullptr);
  EXPECT_EQ(f.Step(MenuAction::kNextField), "a");
  EXPECT_EQ(f.Step(MenuAction::kNextField), "d");

  f.panel.Show();
  EXPECT_EQ(f.panel.Focus(), nullptr) << "opening again forgets the focus";
  EXPECT_FALSE(f.panel.HandleAction(MenuAction::kSelect)) << "select with no focus is the caller's";
  EXPECT_FALSE(f.panel.HandleAction(MenuAction::kBack));
}

TEST(WidgetFocus, ArrowsMoveWithinARadioGroupCheckingAndLeaveItPastTheEnd) {
  FocusPanel f;
  f.g2.enabled = false;
  f.g1.SetChecked(true);
  Log log;
  Record(f.g3, log);
  f.panel.SetFocus(&f.g1);
  EXPECT_EQ(f.Step(MenuAction::kDown), "g3") << "disabled g2 is passed over";
  EXPECT_TRUE(f.r3);
  EXPECT_FALSE(f.r1);
  EXPECT_EQ(log, (Log{"g3:down", "g3:up", "g3:click", "g3:change"}));
  EXPECT_EQ(f.Step(MenuAction::kRight), "g3") << "left and right stop at the ends";
  EXPECT_EQ(f.Step(MenuAction::kDown), "d") << "down past the end leaves the group";
  EXPECT_TRUE(f.r3);
  EXPECT_EQ(f.Step(MenuAction::kUp), "g3") << "coming back lands on the checked button";

  f.panel.SetFocus(&f.t);
  EXPECT_TRUE(f.panel.HandleAction(MenuAction::kRight));
  EXPECT_EQ(f.tab, 1);
  f.panel.HandleAction(MenuAction::kSelect);
  f.panel.HandleAction(MenuAction::kSelect);
  EXPECT_EQ(f.tab, 0) << "select shows the next tab, round the end";
}

TEST(WidgetFocus, SpaceTogglesTheFocusedCheckBox) {
  bool on = false;
  Panel p("p", 100, 100);
  auto& box = p.AddCheckBox("box", "x", {0, 0, 50, 16}, on);
  p.Show();
  EXPECT_TRUE(p.HandleAction(MenuAction::kDown));
  EXPECT_EQ(p.Focus(), &box);
  EXPECT_TRUE(p.FocusShown());
  p.HandleAction(MenuAction::kSelect);
  EXPECT_TRUE(on);
  p.HandleAction(MenuAction::kSelect);
  EXPECT_FALSE(on);
  p.PointerDown(box);
  EXPECT_FALSE(p.FocusShown()) << "the pointer hides the focus ring";
}

TEST(WidgetDropDownKeys, OpenMoveChooseAndCancel) {
  int32_t skin = 1;
  Panel p("setup", 379, 141);
  auto& list = p.AddDropDown("skin", {236, 54, 139, 18}, skin, {"a", "b", "c", "d"}, 6);
  int changes = 0;
  list.onChange = [&](Control&) { ++changes; };
  p.Show();
  p.SetFocus(&list);

  p.HandleAction(MenuAction::kSelect);
  ASSERT_EQ(p.OpenList(), &list);
  EXPECT_EQ(p.ListHighlight(), 1) << "the list opens on the chosen item";
  for (int i = 0; i < 5; ++i) p.HandleAction(MenuAction::kDown);
  EXPECT_EQ(p.ListHighlight(), 3) << "the highlight stops at the last row";
  EXPECT_EQ(skin, 1) << "moving the highlight chooses nothing yet";
  p.HandleAction(MenuAction::kSelect);
  EXPECT_EQ(p.OpenList(), nullptr);
  EXPECT_EQ(skin, 3);
  EXPECT_EQ(changes, 1);

  p.HandleAction(MenuAction::kSelect);
  p.HandleAction(MenuAction::kUp);
  EXPECT_TRUE(p.HandleAction(MenuAction::kBack)) << "back closes an open list";
  EXPECT_EQ(p.OpenList(), nullptr);
  EXPECT_EQ(skin, 3);
  p.HandleAction(MenuAction::kSelect);
  p.HandleAction(MenuAction::kSelect);  // the same item again
  EXPECT_EQ(changes, 1) << "no change when nothing changed";

  p.HandleAction(MenuAction::kRight);  // a closed list steps
  EXPECT_EQ(skin, 3);
  p.HandleAction(MenuAction::kLeft);
  EXPECT_EQ(skin, 2);
  EXPECT_EQ(changes, 2);
  EXPECT_FALSE(p.HandleAction(MenuAction::kBack)) << "back on a closed list is the caller's";
}

TEST(WidgetEditTyping, KeepsWhatCp1251HoldsUpToTheNameLength) {
  // The full panel shows this many characters of a name; the edit takes them.
  EXPECT_GE(kPlayerNameLength, kLabelFull);

  std::string name = "\xC8\xE3\xF0\xEE\xEA  1";  // "Игрок  1"
  Panel p("start", 379, 141);
  auto& edit = p.AddEdit("name", {36, 24, 120, 18}, name, kPlayerNameLength);
  int changes = 0;
  edit.onChange = [&](Control&) { ++changes; };
  p.Show();
  p.TypeText("x");
  EXPECT_EQ(changes, 0) << "no typing before the edit has the focus";

  p.SetFocus(&edit);
  ASSERT_EQ(p.Typing(), &edit);
  p.SetEditText(edit, "\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80\t\xE4\xB8\xADok");  // Ж € 😀 tab 中 ok
  EXPECT_EQ(name, "\xC6\x88ok") << "emoji, tab and the CJK sign are dropped";
  EXPECT_EQ(changes, 1);
  p.TypeText("\xF0\x9F\x98\x80");
  EXPECT_EQ(changes, 1) << "typing only what is dropped changes nothing";
  p.TypeText("0123456789abcdefghijklmnopqrstuvwxyz");
  EXPECT_EQ(name, "\xC6\x88ok0123456789abcdefghij");
  EXPECT_EQ(name.size(), kPlayerNameLength);

  EXPECT_TRUE(p.HandleAction(MenuAction::kSelect)) << "Enter only ends the typing";
  EXPECT_EQ(p.Typing(), nullptr);
  EXPECT_EQ(p.Focus(), &edit);
  EXPECT_FALSE(p.HandleAction(MenuAction::kBack)) << "after it Esc is the caller's again";
  p.HandleAction(MenuAction::kSelect);
  EXPECT_EQ(p.Typing(), &edit) << "select types again";
  EXPECT_TRUE(p.HandleAction(MenuAction::kBack)) << "Esc only ends the typing";
  EXPECT_EQ(p.Typing(), nullptr);
  EXPECT_EQ(name.size(), kPlayerNameLength);

  // A longer stored name shows whole; it can be shortened, never lengthened.
  const std::string stored = "a stored name much longer than the edit's own";
  edit.SetText(stored);
  EXPECT_EQ(name, stored);
  p.SetFocus(&edit);
  p.TypeText("!");
  EXPECT_EQ(name, stored);
  p.SetEditText(edit, stored.substr(0, stored.size() - 1));
  EXPECT_EQ(name, stored.substr(0, stored.size() - 1));
}

TEST(WidgetDisplayText, DropsTrailingBlanksAndNulsButKeepsLeadingBlanks) {
  using namespace std::string_literals;
  EXPECT_EQ(DisplayText("      \xCF\xEE\xE4\xF1\xF7\xE5\xF2"s),
            "      \xD0\x9F\xD0\xBE\xD0\xB4\xD1\x81\xD1\x87\xD0\xB5\xD1\x82");
  EXPECT_EQ(DisplayText("\xC4\xE0   \0\0\0"s), "\xD0\x94\xD0\xB0");
  EXPECT_EQ(DisplayText("   "), "");
}

}  // namespace
}  // namespace quendrix::widgets
