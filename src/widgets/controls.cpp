#include "widgets/controls.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/language.h"

namespace quendrix::widgets {

namespace {

void Fire(const Handler& handler, Control& sender) {
  if (handler) handler(sender);
}

// Every focusable control of `container` in tab order, tab boxes before
// the controls on them, whether usable or not.
void CollectFocusable(const Container& container, std::vector<Control*>& out) {
  for (const auto& child : container.Children()) {
    if (child->Focusable()) out.push_back(child.get());
    if (child->Kind() == ControlKind::kTabBox) CollectFocusable(static_cast<TabBox&>(*child), out);
  }
}

bool SameGroup(const RadioButton& a, const Control& b) {
  return b.Kind() == ControlKind::kRadioButton && b.Parent() == a.Parent() &&
         static_cast<const RadioButton&>(b).Group() == a.Group();
}

// The one stop of a radio group in the focus order: its checked usable
// button, else its first usable one.
bool IsGroupStop(const RadioButton& radio) {
  const RadioButton* first = nullptr;
  for (const auto& child : radio.Parent()->Children()) {
    if (!SameGroup(radio, *child) || !child->Usable()) continue;
    const auto& other = static_cast<const RadioButton&>(*child);
    if (other.Checked()) return &other == &radio;
    if (first == nullptr) first = &other;
  }
  return first == &radio;
}

bool IsStop(const Control& c) {
  if (!c.Usable()) return false;
  if (c.Kind() == ControlKind::kRadioButton) {
    const auto& radio = static_cast<const RadioButton&>(c);
    return radio.Parent() == nullptr || IsGroupStop(radio);
  }
  return true;
}

// One UTF-8 sequence starting at text[i]: its length, at least 1.
size_t SequenceLength(std::string_view text, size_t i) {
  const auto b = static_cast<unsigned char>(text[i]);
  size_t n = b < 0x80             ? 1
             : (b & 0xE0) == 0xC0 ? 2
             : (b & 0xF0) == 0xE0 ? 3
             : (b & 0xF8) == 0xF0 ? 4
                                  : 1;
  n = std::min(n, text.size() - i);
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return k;
  return n;
}

}  // namespace

bool Control::Usable() const {
  if (!visible || !enabled) return false;
  const TabBox* box = parent_ != nullptr ? parent_->AsTabBox() : nullptr;
  return box == nullptr || box->Usable();
}

bool Control::Focusable() const {
  return kind_ != ControlKind::kLabel && kind_ != ControlKind::kPicture;
}

void RadioButton::SetChecked(bool checked) {
  *value_ = checked;
  if (!checked || Parent() == nullptr) return;
  for (const auto& child : Parent()->Children())
    if (child.get() != this && SameGroup(*this, *child))
      *static_cast<RadioButton&>(*child).value_ = false;
}

std::string_view DropDown::Text() const {
  return HasItem(ItemIndex()) ? std::string_view(items[static_cast<size_t>(ItemIndex())])
                              : std::string_view();
}

void Edit::SetText(std::string_view text) {
  text_->assign(text);
}

std::string Edit::Accept(std::string_view utf8, size_t maxLength) {
  std::string out;
  for (size_t i = 0; i < utf8.size() && out.size() < maxLength;) {
    const size_t n = SequenceLength(utf8, i);
    const std::string_view one = utf8.substr(i, n);
    i += n;
    const std::string byte = Utf8ToCp1251(one);
    // '?' stands for what cp1251 cannot hold, unless it was typed itself.
    if (byte.size() != 1 || (byte[0] == '?' && one != "?")) continue;
    if (static_cast<unsigned char>(byte[0]) < 0x20 || byte[0] == 0x7F) continue;
    out += byte[0];
  }
  return out;
}

void Picture::SetImage(int32_t width, int32_t height, std::span<const uint8_t> rgb) {
  ++revision_;
  if (width <= 0 || height <= 0 ||
      rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
    width_ = height_ = 0;
    rgb_.clear();
    return;
  }
  width_ = width;
  height_ = height;
  rgb_.assign(rgb.begin(), rgb.end());
}

template <typename T>
T& Container::Adopt(std::unique_ptr<T> control) {
  T& result = *control;
  control->parent_ = this;
  children_.push_back(std::move(control));
  return result;
}

Label& Container::AddLabel(std::string name, std::string caption, Bounds b) {
  Label& label = Adopt(std::make_unique<Label>(std::move(name), b));
  label.caption = std::move(caption);
  return label;
}

Button& Container::AddButton(std::string name, std::string caption, Bounds b) {
  Button& button = Adopt(std::make_unique<Button>(std::move(name), b));
  button.caption = std::move(caption);
  return button;
}

CheckBox& Container::AddCheckBox(std::string name, std::string caption, Bounds b, bool& value) {
  CheckBox& box = Adopt(std::make_unique<CheckBox>(std::move(name), b, value));
  box.caption = std::move(caption);
  return box;
}

RadioButton& Container::AddRadioButton(std::string name, std::string caption, Bounds b,
                                       int32_t group, bool& value) {
  RadioButton& radio = Adopt(std::make_unique<RadioButton>(std::move(name), b, group, value));
  radio.caption = std::move(caption);
  return radio;
}

DropDown& Container::AddDropDown(std::string name, Bounds b, int32_t& itemIndex,
                                 std::vector<std::string> items, int32_t rows) {
  return Adopt(std::make_unique<DropDown>(std::move(name), b, itemIndex, std::move(items),
                                          std::max(rows, 1)));
}

Edit& Container::AddEdit(std::string name, Bounds b, std::string& text, size_t maxLength) {
  return Adopt(std::make_unique<Edit>(std::move(name), b, text, maxLength));
}

TabBox& Container::AddTabBox(std::string name, Bounds b, int32_t& tabIndex,
                             std::vector<std::string> tabs) {
  return Adopt(std::make_unique<TabBox>(std::move(name), b, &tabIndex, std::move(tabs)));
}

TabBox& Container::AddTabBox(std::string name, Bounds b, std::vector<std::string> tabs) {
  return Adopt(std::make_unique<TabBox>(std::move(name), b, nullptr, std::move(tabs)));
}

Picture& Container::AddPicture(std::string name, Bounds b, bool stretch) {
  return Adopt(std::make_unique<Picture>(std::move(name), b, stretch));
}

Control* Container::Find(std::string_view name) const {
  for (const auto& child : children_) {
    if (child->Name() == name) return child.get();
    if (child->Kind() == ControlKind::kTabBox)
      if (Control* inner = static_cast<TabBox&>(*child).Find(name)) return inner;
  }
  return nullptr;
}

void Panel::Show() {
  visible_ = true;
  focus_ = nullptr;
  typing_ = nullptr;
  list_ = nullptr;
  keyboardUsed_ = false;
}

void Panel::Hide() {
  visible_ = false;
  typing_ = nullptr;
  list_ = nullptr;
}

Control* Panel::Focus() const {
  return focus_ != nullptr && focus_->Usable() ? focus_ : nullptr;
}

void Panel::SetFocus(Control* control) {
  if (control != nullptr && (!control->Focusable() || !control->Usable())) return;
  if (control != focus_) list_ = nullptr;
  focus_ = control;
  typing_ = control != nullptr && control->Kind() == ControlKind::kEdit
                ? static_cast<Edit*>(control)
                : nullptr;
}

Edit* Panel::Typing() const {
  return typing_ != nullptr && typing_ == Focus() ? typing_ : nullptr;
}

DropDown* Panel::OpenList() const {
  return list_ != nullptr && list_ == Focus() ? list_ : nullptr;
}

void Panel::SetListHighlight(int32_t row) {
  if (list_ == nullptr || list_->items.empty()) return;
  highlight_ = std::clamp(row, 0, static_cast<int32_t>(list_->items.size()) - 1);
}

void Panel::OpenListOf(DropDown& list) {
  list_ = &list;
  highlight_ = list.HasItem(list.ItemIndex()) ? list.ItemIndex() : 0;
}

void Panel::ChooseItem(DropDown& list, int32_t item) {
  if (list_ == &list) list_ = nullptr;
  if (!list.Usable() || !list.HasItem(item) || item == list.ItemIndex()) return;
  list.SetItemIndex(item);
  Fire(list.onChange, list);
}

void Panel::TypeText(std::string_view utf8) {
  Edit* edit = Typing();
  if (edit == nullptr) return;
  SetEditText(*edit, Cp1251ToUtf8(edit->Text()) + std::string(utf8));
}

void Panel::SetEditText(Edit& edit, std::string_view utf8) {
  const std::string text = Edit::Accept(utf8, edit.Room());
  if (text == edit.Text()) return;
  edit.SetText(text);
  Fire(edit.onChange, edit);
}

void Panel::PointerDown(Control& control, int32_t part) {
  if (!control.Usable()) return;
  keyboardUsed_ = false;
  (void)part;
  if (control.Focusable()) SetFocus(&control);
  Fire(control.onMouseDown, control);
}

void Panel::PointerUp(Control& control, bool inside, int32_t part) {
  // The release goes to the control the press began on, as a captured
  // pointer's does; only a release inside completes the press.
  const bool changed = inside && control.Usable() && Complete(control, part);
  Fire(control.onMouseUp, control);
  if (inside && control.Usable()) Fire(control.onClick, control);
  if (changed) Fire(control.onChange, control);
}

void Panel::Press(Control& control, int32_t part) {
  if (!control.Usable()) return;
  Fire(control.onMouseDown, control);
  const bool changed = Complete(control, part);
  Fire(control.onMouseUp, control);
  Fire(control.onClick, control);
  if (changed) Fire(control.onChange, control);
}

// What a completed press does to the control's value; true when it changed.
bool Panel::Complete(Control& control, int32_t part) {
  switch (control.Kind()) {
    case ControlKind::kCheckBox: {
      auto& box = static_cast<CheckBox&>(control);
      box.SetChecked(!box.Checked());
      return true;
    }
    case ControlKind::kRadioButton: {
      auto& radio = static_cast<RadioButton&>(control);
      if (radio.Checked()) return false;
      radio.SetChecked(true);
      return true;
    }
    case ControlKind::kTabBox: {
      auto& box = static_cast<TabBox&>(control);
      if (part < 0 || static_cast<size_t>(part) >= box.tabs.size() || part == box.TabIndex())
        return false;
      box.SetTabIndex(part);
      return true;
    }
    case ControlKind::kDropDown: {
      auto& list = static_cast<DropDown&>(control);
      if (list_ == &list) {
        list_ = nullptr;
      } else if (Focus() == &list) {
        OpenListOf(list);
      }
      return false;
    }
    default:
      return false;
  }
}

void Panel::MoveFocus(int dir) {
  std::vector<Control*> all;
  CollectFocusable(*this, all);
  const auto count = static_cast<int64_t>(all.size());
  if (count == 0) return;
  Control* from = Focus();
  const auto at = std::find(all.begin(), all.end(), from);
  int64_t i = from != nullptr && at != all.end() ? at - all.begin() : (dir > 0 ? -1 : count);
  for (int64_t step = 0; step < count; ++step) {
    i = ((i + dir) % count + count) % count;
    Control* c = all[static_cast<size_t>(i)];
    if (!IsStop(*c)) continue;
    // Leaving a radio group passes over the rest of it.
    if (from != nullptr && from != c && from->Kind() == ControlKind::kRadioButton &&
        SameGroup(static_cast<RadioButton&>(*from), *c))
      continue;
    SetFocus(c);
    return;
  }
}

// Checks the neighbouring usable button of the radio's group; false at the
// group's end.
bool Panel::StepRadio(RadioButton& radio, int dir) {
  const auto& siblings = radio.Parent()->Children();
  auto at = std::find_if(siblings.begin(), siblings.end(),
                         [&](const auto& c) { return c.get() == &radio; });
  const auto index = at - siblings.begin();
  for (auto i = index + dir; i >= 0 && i < static_cast<int64_t>(siblings.size()); i += dir) {
    Control& c = *siblings[static_cast<size_t>(i)];
    if (!SameGroup(radio, c) || !c.Usable()) continue;
    SetFocus(&c);
    Press(c);
    return true;
  }
  return false;
}

bool Panel::HandleAction(MenuAction action) {
  if (action == MenuAction::kNone || !visible_) return false;
  keyboardUsed_ = true;
  const int dir = action == MenuAction::kUp || action == MenuAction::kLeft ||
                          action == MenuAction::kPreviousField
                      ? -1
                      : 1;
  // An open list, then an edit being typed in, take every action.
  if (DropDown* list = OpenList()) {
    ActionInOpenList(*list, action, dir);
    return true;
  }
  if (Typing() != nullptr) {
    ActionWhileTyping(action, dir);
    return true;
  }
  Control* focus = Focus();
  switch (action) {
    case MenuAction::kNextField:
    case MenuAction::kPreviousField:
    case MenuAction::kUp:
    case MenuAction::kDown: {
      const bool vertical = action == MenuAction::kUp || action == MenuAction::kDown;
      if (vertical && focus != nullptr && focus->Kind() == ControlKind::kRadioButton &&
          StepRadio(static_cast<RadioButton&>(*focus), dir))
        return true;
      MoveFocus(dir);
      return Focus() != nullptr;
    }
    case MenuAction::kLeft:
    case MenuAction::kRight:
      return focus != nullptr && StepFocused(*focus, dir);
    case MenuAction::kSelect:
      if (focus == nullptr) return false;
      SelectFocused(*focus);
      return true;
    default:
      return false;
  }
}

void Panel::ActionInOpenList(DropDown& list, MenuAction action, int dir) {
  switch (action) {
    case MenuAction::kUp:
    case MenuAction::kDown:
      SetListHighlight(highlight_ + dir);
      break;
    case MenuAction::kSelect:
      ChooseItem(list, highlight_);
      break;
    case MenuAction::kBack:
      CloseList();
      break;
    case MenuAction::kNextField:
    case MenuAction::kPreviousField:
      CloseList();
      MoveFocus(dir);
      break;
    default:
      break;
  }
}

void Panel::ActionWhileTyping(MenuAction action, int dir) {
  switch (action) {
    case MenuAction::kSelect:
    case MenuAction::kBack:
      EndTyping();
      break;
    case MenuAction::kUp:
    case MenuAction::kDown:
    case MenuAction::kNextField:
    case MenuAction::kPreviousField:
      EndTyping();
      MoveFocus(dir);
      break;
    default:  // left and right move the caret
      break;
  }
}

bool Panel::StepFocused(Control& focus, int dir) {
  switch (focus.Kind()) {
    case ControlKind::kRadioButton:
      StepRadio(static_cast<RadioButton&>(focus), dir);
      return true;
    case ControlKind::kTabBox: {
      auto& box = static_cast<TabBox&>(focus);
      const int32_t tab = box.TabIndex() + dir;
      if (tab >= 0 && static_cast<size_t>(tab) < box.tabs.size()) Press(box, tab);
      return true;
    }
    case ControlKind::kDropDown: {
      auto& list = static_cast<DropDown&>(focus);
      const int32_t item = list.HasItem(list.ItemIndex()) ? list.ItemIndex() + dir : 0;
      if (list.HasItem(item) && item != list.ItemIndex()) {
        list.SetItemIndex(item);
        Fire(list.onChange, list);
      }
      return true;
    }
    default:
      return false;
  }
}

void Panel::SelectFocused(Control& focus) {
  if (focus.Kind() == ControlKind::kTabBox) {
    auto& box = static_cast<TabBox&>(focus);
    const auto count = static_cast<int32_t>(box.tabs.size());
    if (count > 0) Press(box, box.TabIndex() + 1 < count ? box.TabIndex() + 1 : 0);
  } else if (focus.Kind() == ControlKind::kEdit) {
    typing_ = static_cast<Edit*>(&focus);
  } else {
    Press(focus);
  }
}

std::string DisplayText(std::string_view cp1251) {
  // The text ends at its first NUL, as a C string does.
  std::string_view text = cp1251.substr(0, cp1251.find('\0'));
  const size_t end = text.find_last_not_of(' ');
  if (end == std::string_view::npos) return {};
  text = text.substr(0, end + 1);
  // The words are looked up without the blanks that place them.
  const size_t begin = text.find_first_not_of(' ');
  const std::string words = Cp1251ToUtf8(text.substr(begin));
  return std::string(begin, ' ') + Tr(words.c_str());
}

}  // namespace quendrix::widgets
