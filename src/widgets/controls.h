// The launch pad's controls as plain state: check boxes, radio buttons,
// drop-down lists, one-line edits, tab boxes, buttons, labels and pictures,
// placed on panels in tab order. No SDL, no ImGui: the ImGui view
// (widget_view.h) draws a panel and turns pointer use into calls on it, and
// tests drive it the same way without a display.
//
// A control is a VIEW of outside state: a check box shows a `bool&` it was
// given, a drop-down list an `int32_t&` item index, an edit a
// `std::string&`. So the launch pad's controls all show its one
// LaunchSettings, and a value written there is what the control shows next.
// Values with rules of their own (the radio rule, the edit's length) are set
// through the control so the rule holds.
//
// Texts are cp1251, as the game keeps them; the view converts them for
// drawing. Positions are pixels of the container, x right, y down.
//
// Events: a press, by the pointer or by the keyboard, fires mouse down,
// mouse up, click, then change (only when the value changed), in that
// order. The value changes as the press completes, before the mouse-up
// fires, so every handler of the release sees the new state. Setting a
// value from code fires nothing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix::widgets {

// What keys, the mouse and game pads mean to a menu (menu_input.h makes
// them from SDL events).
enum class MenuAction : uint8_t {
  kNone,
  kSelect,  // Enter, Space, pad A: press the focused control
  kBack,    // Esc, pad B
  kUp,
  kDown,
  kLeft,
  kRight,
  kNextField,      // Tab, pad right shoulder
  kPreviousField,  // Shift+Tab, pad left shoulder
};

struct Bounds {
  int32_t left = 0, top = 0, width = 0, height = 0;
  bool Contains(int32_t x, int32_t y) const {
    return x >= left && y >= top && x < left + width && y < top + height;
  }
};

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};

enum class ControlKind : uint8_t {
  kLabel,
  kButton,
  kCheckBox,
  kRadioButton,
  kDropDown,
  kEdit,
  kTabBox,
  kPicture,
};

enum class TextAlign : uint8_t { kLeft, kCenter, kRight };

class Control;
class Container;
class TabBox;
class Panel;

// Event handlers get the control the event happened on.
using Handler = std::function<void(Control& sender)>;

class Control {
 public:
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  ControlKind Kind() const { return kind_; }
  const std::string& Name() const { return name_; }
  // The container the control was added to.
  Container* Parent() const { return parent_; }

  std::string caption;  // cp1251 as stored; trailing blanks and NULs are not drawn
  Bounds bounds;        // in the parent's pixels
  bool visible = true;
  bool enabled = true;

  Handler onMouseDown, onMouseUp, onClick, onChange;

  // Visible and enabled, and so is every tab box it sits on: only such a
  // control takes the focus or a press.
  bool Usable() const;
  // Kinds that take the focus (labels and pictures do not).
  bool Focusable() const;

 protected:
  Control(ControlKind kind, std::string name, Bounds place)
      : bounds(place), kind_(kind), name_(std::move(name)) {}

 private:
  friend class Container;
  ControlKind kind_;
  std::string name_;
  Container* parent_ = nullptr;
};

class Label : public Control {
 public:
  Label(std::string name, Bounds b) : Control(ControlKind::kLabel, std::move(name), b) {}
  TextAlign align = TextAlign::kLeft;
};

class Button : public Control {
 public:
  Button(std::string name, Bounds b) : Control(ControlKind::kButton, std::move(name), b) {}
};

class CheckBox : public Control {
 public:
  CheckBox(std::string name, Bounds b, bool& value)
      : Control(ControlKind::kCheckBox, std::move(name), b), value_(&value) {}
  bool Checked() const { return *value_; }
  void SetChecked(bool checked) { *value_ = checked; }

 private:
  bool* value_;
};

// Radio buttons exclude each other by group number, within one container.
class RadioButton : public Control {
 public:
  RadioButton(std::string name, Bounds b, int32_t group, bool& value)
      : Control(ControlKind::kRadioButton, std::move(name), b), group_(group), value_(&value) {}
  int32_t Group() const { return group_; }
  bool Checked() const { return *value_; }
  // Checking unchecks the buttons of the same group in the same container;
  // unchecking leaves the others as they are.
  void SetChecked(bool checked);

 private:
  int32_t group_;
  bool* value_;
};

class DropDown : public Control {
 public:
  DropDown(std::string name, Bounds b, int32_t& itemIndex, std::vector<std::string> itemList,
           int32_t rowCount)
      : Control(ControlKind::kDropDown, std::move(name), b),
        items(std::move(itemList)),
        rows(rowCount),
        index_(&itemIndex) {}
  std::vector<std::string> items;  // cp1251
  int32_t rows;                    // rows the open list shows; more scroll
  // The bound index as it stands; -1 or any index outside the items shows
  // no item.
  int32_t ItemIndex() const { return *index_; }
  void SetItemIndex(int32_t index) { *index_ = index; }
  bool HasItem(int32_t index) const {
    return index >= 0 && static_cast<size_t>(index) < items.size();
  }
  // The chosen item's text, or empty.
  std::string_view Text() const;

 private:
  int32_t* index_;
};

// Longest player name typed into the name edit. The play screen shows the
// name's first 11 characters over the ball, 13 on the compact panel and 17
// on the full one, so a name of up to 17 shows whole somewhere; the rest is
// room to spare, and bounds what typing or pasting can make.
inline constexpr size_t kPlayerNameLength = 24;

class Edit : public Control {
 public:
  Edit(std::string name, Bounds b, std::string& text, size_t maxLength)
      : Control(ControlKind::kEdit, std::move(name), b), text_(&text), maxLength_(maxLength) {}
  const std::string& Text() const { return *text_; }
  // cp1251, kept whole: a longer stored text shows as it is.
  void SetText(std::string_view text);
  // The most characters typing may leave.
  size_t MaxLength() const { return maxLength_; }
  // The most characters the text may have after an edit: the maximum, or
  // the text's own length when longer, so that a longer stored text can be
  // shortened but never grows.
  size_t Room() const { return std::max(maxLength_, text_->size()); }
  // What typing `utf8` leaves: the characters cp1251 can hold (others, and
  // control characters, are dropped), in cp1251, at most `maxLength` of them.
  static std::string Accept(std::string_view utf8, size_t maxLength);

 private:
  std::string* text_;
  size_t maxLength_;
};

class Picture : public Control {
 public:
  Picture(std::string name, Bounds b, bool stretched)
      : Control(ControlKind::kPicture, std::move(name), b), stretch(stretched) {}
  // Stretched to the control's size, or drawn at its own size, centred.
  bool stretch;
  // `rgb` holds width * height pixels of three bytes, rows top down; any
  // other size clears the picture.
  void SetImage(int32_t width, int32_t height, std::span<const uint8_t> rgb);
  int32_t ImageWidth() const { return width_; }
  int32_t ImageHeight() const { return height_; }
  const std::vector<uint8_t>& Pixels() const { return rgb_; }
  // Goes up with every new image, so a view knows when to upload it again.
  uint32_t Revision() const { return revision_; }

 private:
  int32_t width_ = 0, height_ = 0;
  std::vector<uint8_t> rgb_;
  uint32_t revision_ = 0;
};

// Something that holds controls in tab order: a panel, a tab box, or the
// window itself (for hidden controls that carry state, such as a radio
// button kept apart from its group's panel).
class Container {
 public:
  Container() = default;
  virtual ~Container() = default;
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;

  Label& AddLabel(std::string name, std::string caption, Bounds b);
  Button& AddButton(std::string name, std::string caption, Bounds b);
  CheckBox& AddCheckBox(std::string name, std::string caption, Bounds b, bool& value);
  RadioButton& AddRadioButton(std::string name, std::string caption, Bounds b, int32_t group,
                              bool& value);
  DropDown& AddDropDown(std::string name, Bounds b, int32_t& itemIndex,
                        std::vector<std::string> items, int32_t rows = 8);
  Edit& AddEdit(std::string name, Bounds b, std::string& text, size_t maxLength);
  TabBox& AddTabBox(std::string name, Bounds b, int32_t& tabIndex, std::vector<std::string> tabs);
  // A tab box whose index has no home outside: it keeps its own.
  TabBox& AddTabBox(std::string name, Bounds b, std::vector<std::string> tabs);
  Picture& AddPicture(std::string name, Bounds b, bool stretch = true);

  // In tab order.
  const std::vector<std::unique_ptr<Control>>& Children() const { return children_; }
  // The control of that name here or in a tab box inside, or nullptr.
  Control* Find(std::string_view name) const;
  // The tab box this container is, if it is one.
  virtual const TabBox* AsTabBox() const { return nullptr; }

 private:
  template <typename T>
  T& Adopt(std::unique_ptr<T> control);
  std::vector<std::unique_ptr<Control>> children_;
};

// Tabs along the top; the controls on it are placed in its own pixels
// (from its top-left corner, tab strip included) and are the same for
// every tab.
class TabBox : public Control, public Container {
 public:
  TabBox(std::string name, Bounds b, int32_t* tabIndex, std::vector<std::string> tabList)
      : Control(ControlKind::kTabBox, std::move(name), b),
        tabs(std::move(tabList)),
        index_(tabIndex != nullptr ? tabIndex : &own_) {}
  std::vector<std::string> tabs;  // cp1251
  int32_t TabIndex() const { return *index_; }
  void SetTabIndex(int32_t index) { *index_ = index; }
  const TabBox* AsTabBox() const override { return this; }

 private:
  int32_t own_ = 0;
  int32_t* index_;
};

// A borderless, fixed-size panel in the face colour, holding controls; it
// also keeps the keyboard state of its controls: the focus, the edit being
// typed in, the open drop-down list.
class Panel : public Container {
 public:
  Panel(std::string name, int32_t w, int32_t h) : width(w), height(h), name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  int32_t left = 0, top = 0;  // canvas pixels
  int32_t width, height;
  Rgb face{224, 216, 207};

  bool Visible() const { return visible_; }
  // Opens the panel with nothing focused, nothing typed in, no list open.
  void Show();
  void Hide();

  // The focused control, or nullptr (also once it is hidden or disabled).
  Control* Focus() const;
  // nullptr takes the focus away. Focusing an edit starts typing in it.
  void SetFocus(Control* control);
  // Whether the focus was last moved by keys or a pad (the view then draws
  // the focus ring); a pointer press clears it.
  bool FocusShown() const { return keyboardUsed_ && Focus() != nullptr; }

  // Keys, the mouse's back button and pads: true when the panel used the
  // action, false when it is the caller's (Enter with nothing focused, Esc
  // outside an edit or a list, ...).
  //   next / previous field: focus the next / previous usable control,
  //     round the ends; a radio group is one stop, at its checked button.
  //   up / down: within an open list, move its highlight; on a radio
  //     button, check the previous / next one of its group, and leave the
  //     group past its ends; anywhere else, like previous / next field.
  //   left / right: within a radio group as up / down, but stop at its
  //     ends; on a tab box, the neighbouring tab; on a closed drop-down
  //     list, the neighbouring item.
  //   select: press the focused control (a drop-down list opens, or takes
  //     the highlighted item when open; a tab box shows its next tab; an
  //     edit is typed in again).
  //   back: close an open list unchanged.
  // While an edit is typed in, select and back only end the typing, and
  // left / right belong to its caret.
  bool HandleAction(MenuAction action);

  // The edit being typed in, or nullptr.
  Edit* Typing() const;
  void EndTyping() { typing_ = nullptr; }
  // Typing into the edit being typed in: `utf8` is added at the end.
  void TypeText(std::string_view utf8);
  // The view's edit holds `utf8` now: kept as Edit::Accept leaves it; fires
  // change when the text changed.
  void SetEditText(Edit& edit, std::string_view utf8);

  // The open drop-down list and its highlighted row.
  DropDown* OpenList() const;
  int32_t ListHighlight() const { return highlight_; }
  void SetListHighlight(int32_t row);
  void CloseList() { list_ = nullptr; }
  // A row of the open list was chosen: closes it; change when the index
  // changed.
  void ChooseItem(DropDown& list, int32_t item);

  // The pointer went down on a control (`part`: the tab of a tab box) and
  // came up again, inside or outside it. Disabled and hidden controls take
  // no part.
  void PointerDown(Control& control, int32_t part = -1);
  void PointerUp(Control& control, bool inside, int32_t part = -1);

  // A whole press, as the keyboard makes it.
  void Press(Control& control, int32_t part = -1);

 private:
  // HandleAction's parts: an open drop-down list's keys, an edit's while it
  // is typed in, left / right on the focused control (false when it takes
  // none), select on it.
  void ActionInOpenList(DropDown& list, MenuAction action, int dir);
  void ActionWhileTyping(MenuAction action, int dir);
  bool StepFocused(Control& focus, int dir);
  void SelectFocused(Control& focus);
  bool Complete(Control& control, int32_t part);
  void MoveFocus(int dir);
  bool StepRadio(RadioButton& radio, int dir);
  void OpenListOf(DropDown& list);

  std::string name_;
  bool visible_ = false;
  Control* focus_ = nullptr;
  Edit* typing_ = nullptr;
  DropDown* list_ = nullptr;
  int32_t highlight_ = 0;
  bool keyboardUsed_ = false;
};

// A caption or item as it is drawn: cp1251 to UTF-8, without trailing
// blanks and NUL bytes, in the run's language (the Russian words are the
// catalogue's key; leading blanks stay in front of the translation).
std::string DisplayText(std::string_view cp1251);

}  // namespace quendrix::widgets
