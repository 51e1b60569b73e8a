#include "widgets/widget_view.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/cp1251.h"
#include "widgets/flat_style.h"
#include "widgets/imgui_impl_sdlrenderer.h"

namespace quendrix::widgets {

namespace {

constexpr float kBox = 13;         // check box side, radio button diameter
constexpr float kBoxGap = 5;       // box to caption
constexpr float kTabHeight = 19;   // tab strip of a tab box
constexpr float kTabPad = 9;       // each side of a tab's caption
constexpr float kArrowWidth = 17;  // the drop-down list's arrow area
constexpr float kRowPad = 2;       // above and below a list row's text
constexpr float kTextInset = 5;    // text from the left edge of a field

// Keys an edit takes while it is typed in, as the slots of io.KeysDown.
constexpr SDL_Keycode kEditKeys[] = {SDLK_BACKSPACE, SDLK_DELETE, SDLK_LEFT, SDLK_RIGHT,
                                     SDLK_HOME,      SDLK_END,    SDLK_a,    SDLK_c,
                                     SDLK_v,         SDLK_x,      SDLK_z,    SDLK_y};
constexpr ImGuiKey kEditImGuiKeys[] = {ImGuiKey_Backspace,  ImGuiKey_Delete, ImGuiKey_LeftArrow,
                                       ImGuiKey_RightArrow, ImGuiKey_Home,   ImGuiKey_End,
                                       ImGuiKey_A,          ImGuiKey_C,      ImGuiKey_V,
                                       ImGuiKey_X,          ImGuiKey_Z,      ImGuiKey_Y};

int EditKeySlot(SDL_Keycode key) {
  for (int i = 0; i < static_cast<int>(std::size(kEditKeys)); ++i)
    if (kEditKeys[i] == key) return i;
  return -1;
}

ImU32 Colour(Rgb c) {
  return IM_COL32(c.r, c.g, c.b, 255);
}

// A one-pixel frame just inside the rectangle, drawn as fills so it stays
// sharp at any scale.
// Canvas corners of a control placed at `b` in a panel whose client area
// starts at (x, y).
struct Corners {
  float x0, y0, x1, y1;
};
Corners Place(const Bounds& b, float x, float y) {
  const float x0 = x + static_cast<float>(b.left), y0 = y + static_cast<float>(b.top);
  return {x0, y0, x0 + static_cast<float>(b.width), y0 + static_cast<float>(b.height)};
}

void Hairline(ImDrawList* dl, float x0, float y0, float x1, float y1, ImU32 c) {
  dl->AddRectFilled({x0, y0}, {x1, y0 + 1}, c);
  dl->AddRectFilled({x0, y1 - 1}, {x1, y1}, c);
  dl->AddRectFilled({x0, y0 + 1}, {x0 + 1, y1 - 1}, c);
  dl->AddRectFilled({x1 - 1, y0 + 1}, {x1, y1 - 1}, c);
}

// Top of a line of text centred in [y0, y1).
float TextTop(float y0, float y1) {
  return std::floor(y0 + (y1 - y0 - ImGui::GetFontSize()) * 0.5f);
}

float TextWidth(const std::string& utf8) {
  return ImGui::CalcTextSize(utf8.c_str()).x;
}

// The text as it fits in `width` pixels: whole, or cut at a character and
// ended with an ellipsis.
std::string Fitted(const std::string& utf8, float width) {
  if (TextWidth(utf8) <= width) return utf8;
  static const std::string kEllipsis = "\xE2\x80\xA6";
  std::string cut = utf8;
  while (!cut.empty()) {
    // Back to the start of the last UTF-8 sequence.
    size_t end = cut.size() - 1;
    while (end > 0 && (static_cast<unsigned char>(cut[end]) & 0xC0) == 0x80) --end;
    cut.resize(end);
    while (!cut.empty() && cut.back() == ' ') cut.pop_back();
    if (TextWidth(cut + kEllipsis) <= width) break;
  }
  return cut + kEllipsis;
}

void Text(ImDrawList* dl, float x, float y, ImU32 colour, const std::string& utf8) {
  dl->AddText({std::floor(x), std::floor(y)}, colour, utf8.c_str());
}

bool MouseIn(float x0, float y0, float x1, float y1) {
  const ImVec2 m = ImGui::GetIO().MousePos;
  return m.x >= x0 && m.y >= y0 && m.x < x1 && m.y < y1;
}

size_t Utf8Count(const char* text, int bytes) {
  size_t count = 0;
  for (int i = 0; i < bytes; ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++count;
  return count;
}

// Keeps an edit's ImGui buffer to what the control accepts: characters
// cp1251 cannot hold are refused as they are typed or pasted, and past the
// maximum length the characters just typed are taken back.
int EditCallback(ImGuiInputTextCallbackData* data) {
  const auto* edit = static_cast<const Edit*>(data->UserData);
  if (data->EventFlag == ImGuiInputTextFlags_CallbackCharFilter) {
    const unsigned c = data->EventChar;
    char utf8[4] = {};
    if (c < 0x80) {
      utf8[0] = static_cast<char>(c);
    } else if (c < 0x800) {
      utf8[0] = static_cast<char>(0xC0 | (c >> 6));
      utf8[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8[0] = static_cast<char>(0xE0 | (c >> 12));
      utf8[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8[2] = static_cast<char>(0x80 | (c & 0x3F));
    }
    return Edit::Accept(utf8, 1).empty() ? 1 : 0;
  }
  if (data->EventFlag == ImGuiInputTextFlags_CallbackEdit) {
    size_t count = Utf8Count(data->Buf, data->BufTextLen);
    while (count > edit->Room() && data->BufTextLen > 0) {
      const int end = data->CursorPos > 0 ? data->CursorPos : data->BufTextLen;
      int start = end - 1;
      while (start > 0 && (static_cast<unsigned char>(data->Buf[start]) & 0xC0) == 0x80) --start;
      data->DeleteChars(start, end - start);
      --count;
    }
  }
  return 0;
}

const char* ClipboardText(void* user) {
  auto* kept = static_cast<std::string*>(user);
  char* text = SDL_GetClipboardText();
  kept->assign(text != nullptr ? text : "");
  SDL_free(text);
  return kept->c_str();
}

void SetClipboard(void*, const char* text) {
  SDL_SetClipboardText(text);
}

std::string& ClipboardKeep() {
  static std::string kept;
  return kept;
}

}  // namespace

WidgetView::WidgetView(SDL_Renderer* renderer, int32_t canvasWidth, int32_t canvasHeight)
    : renderer_(renderer),
      context_(ImGui::CreateContext()),
      canvasWidth_(canvasWidth),
      canvasHeight_(canvasHeight) {
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  io.IniFilename = nullptr;
  io.LogFilename = nullptr;
  io.BackendPlatformName = "quendrix_widgets";
  io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
  for (int i = 0; i < kKeys; ++i) io.KeyMap[kEditImGuiKeys[i]] = i;
  flatFont_ = LoadFlatFont();
  ApplyFlatStyle();
  if (renderer_ != nullptr) {
    ImGui_ImplSDLRenderer_Init(renderer_);
    io.GetClipboardTextFn = ClipboardText;
    io.SetClipboardTextFn = SetClipboard;
    io.ClipboardUserData = &ClipboardKeep();
  } else {
    unsigned char* pixels = nullptr;
    int width = 0, height = 0;
    io.Fonts->GetTexDataAsRGBA32(&pixels, &width, &height);
  }
}

WidgetView::~WidgetView() {
  ImGui::SetCurrentContext(context_);
  for (auto& [picture, texture] : textures_) SDL_DestroyTexture(texture.texture);
  if (renderer_ != nullptr) ImGui_ImplSDLRenderer_Shutdown();
  ImGui::DestroyContext(context_);
}

void WidgetView::SetCanvasSize(int32_t width, int32_t height) {
  canvasWidth_ = width;
  canvasHeight_ = height;
}

MenuAction WidgetView::Use(MenuAction action, Panel* keyPanel) {
  if (action == MenuAction::kNone) return action;
  if (keyPanel != nullptr && keyPanel->HandleAction(action)) return MenuAction::kNone;
  return action;
}

MenuAction WidgetView::HandleEvent(const SDL_Event& event, Panel* keyPanel) {
  keyPanel_ = keyPanel;
  const bool typing = keyPanel != nullptr && keyPanel->Typing() != nullptr;
  switch (event.type) {
    case SDL_MOUSEMOTION:
      mouseX_ = static_cast<float>(event.motion.x);
      mouseY_ = static_cast<float>(event.motion.y);
      return MenuAction::kNone;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      mouseX_ = static_cast<float>(event.button.x);
      mouseY_ = static_cast<float>(event.button.y);
      if (event.button.button == SDL_BUTTON_LEFT) {
        mouseDown_ = event.type == SDL_MOUSEBUTTONDOWN;
        mousePressed_ = mousePressed_ || mouseDown_;
        return MenuAction::kNone;
      }
      return Use(input_.Translate(event, typing), keyPanel);
    case SDL_MOUSEWHEEL:
      wheel_ += static_cast<float>(event.wheel.y);
      return MenuAction::kNone;
    case SDL_TEXTINPUT:
      if (typing && !swallowText_) pendingText_ += event.text.text;
      swallowText_ = false;
      return MenuAction::kNone;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = event.type == SDL_KEYDOWN;
      if (down) swallowText_ = false;
      ctrl_ = (event.key.keysym.mod & KMOD_CTRL) != 0;
      shift_ = (event.key.keysym.mod & KMOD_SHIFT) != 0;
      const int slot = EditKeySlot(event.key.keysym.sym);
      if (slot >= 0 && (typing || !down)) {
        keyDown_[slot] = down;
        keyPressed_[slot] = keyPressed_[slot] || down;
      }
      if (!down) return MenuAction::kNone;
      const MenuAction unused = Use(input_.Translate(event, typing), keyPanel);
      // Space that starts the typing is no blank in the text: SDL sends its
      // text right after the key.
      swallowText_ = !typing && keyPanel != nullptr && keyPanel->Typing() != nullptr;
      return unused;
    }
    default:
      return Use(input_.Translate(event, typing), keyPanel);
  }
}

uint32_t WidgetView::MillisecondsToNextTick() const {
  return input_.MillisecondsToRepeat(SDL_GetTicks());
}

MenuAction WidgetView::Tick(Panel* keyPanel) {
  keyPanel_ = keyPanel;
  return Use(input_.Repeat(SDL_GetTicks()), keyPanel);
}

void WidgetView::Frame(std::span<Panel* const> panels, const std::function<void()>& under) {
  ImGui::SetCurrentContext(context_);
  ImGuiIO& io = ImGui::GetIO();
  io.DisplaySize = ImVec2(static_cast<float>(canvasWidth_), static_cast<float>(canvasHeight_));
  const uint32_t now = SDL_GetTicks();
  io.DeltaTime = std::clamp(static_cast<float>(now - lastTicks_) / 1000.0f, 0.001f, 0.1f);
  lastTicks_ = now;
  io.MousePos = ImVec2(mouseX_, mouseY_);
  io.MouseDown[0] = mouseDown_ || mousePressed_;
  mousePressed_ = false;
  io.MouseWheel = wheel_;
  wheel_ = 0;
  for (int i = 0; i < kKeys; ++i) {
    io.KeysDown[i] = keyDown_[i] || keyPressed_[i];
    keyPressed_[i] = false;
  }
  io.KeyCtrl = ctrl_;
  io.KeyShift = shift_;
  if (!pendingText_.empty()) {
    io.AddInputCharactersUTF8(pendingText_.c_str());
    pendingText_.clear();
  }

  if (renderer_ != nullptr) ImGui_ImplSDLRenderer_NewFrame();
  ImGui::NewFrame();
  if (under) under();

  // A list its panel closed, or whose panel is no longer drawn, loses its
  // popup.
  if (viewList_ != nullptr) {
    const bool open = std::any_of(panels.begin(), panels.end(), [&](const Panel* p) {
      return p != nullptr && p->Visible() && p->OpenList() == viewList_;
    });
    if (!open) {
      ImGui::ClosePopupToLevel(0, false);
      viewList_ = nullptr;
    }
  }

  for (Panel* panel : panels)
    if (panel != nullptr && panel->Visible()) DrawPanel(*panel);

  // The release goes to the control the press began on.
  if (owner_.control != nullptr && !io.MouseDown[0]) {
    released_ = owner_;
    releasedInside_ = MouseIn(owner_.x0, owner_.y0, owner_.x1, owner_.y1);
    owner_ = PointerOwner{};
  }

  ImGui::Render();
  if (renderer_ != nullptr) ImGui_ImplSDLRenderer_RenderDrawData(ImGui::GetDrawData());
  if (!deferReleases_) DeliverReleases();
}

bool WidgetView::DeliverReleases() {
  if (released_.control == nullptr) return false;
  const PointerOwner o = released_;
  released_ = PointerOwner{};
  o.panel->PointerUp(*o.control, releasedInside_, o.part);
  return true;
}

void WidgetView::DrawPanel(Panel& panel) {
  constexpr ImGuiWindowFlags kFlags =
      ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
      ImGuiWindowFlags_NoNav | ImGuiWindowFlags_NoScrollWithMouse |
      ImGuiWindowFlags_NoFocusOnAppearing | ImGuiWindowFlags_NoBringToFrontOnFocus;
  ImGui::SetNextWindowPos(ImVec2(static_cast<float>(panel.left), static_cast<float>(panel.top)));
  ImGui::SetNextWindowSize(
      ImVec2(static_cast<float>(panel.width), static_cast<float>(panel.height)));
  ImGui::PushStyleColor(ImGuiCol_WindowBg, Colour(panel.face));
  char name[48];
  std::snprintf(name, sizeof name, "##panel%p", static_cast<void*>(&panel));
  ImGui::Begin(name, nullptr, kFlags);
  const ImVec2 origin = ImGui::GetWindowPos();
  DrawContainer(panel, panel, origin.x, origin.y);
  ImGui::End();
  ImGui::PopStyleColor();
}

void WidgetView::DrawContainer(Panel& panel, const Container& container, float x, float y) {
  // By index: a handler may not add controls, but stay safe if one does.
  for (size_t i = 0; i < container.Children().size(); ++i) {
    Control& control = *container.Children()[i];
    if (control.visible) DrawControl(panel, control, x, y);
  }
}

void WidgetView::DrawControl(Panel& panel, Control& control, float x, float y) {
  ImGui::PushID(&control);
  switch (control.Kind()) {
    case ControlKind::kLabel:
      DrawLabel(static_cast<Label&>(control), x, y);
      break;
    case ControlKind::kButton:
      DrawButton(panel, static_cast<Button&>(control), x, y);
      break;
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      DrawCheck(panel, control, x, y);
      break;
    case ControlKind::kDropDown:
      DrawDropDown(panel, static_cast<DropDown&>(control), x, y);
      break;
    case ControlKind::kEdit:
      DrawEdit(panel, static_cast<Edit&>(control), x, y);
      break;
    case ControlKind::kTabBox:
      DrawTabBox(panel, static_cast<TabBox&>(control), x, y);
      break;
    case ControlKind::kPicture:
      DrawPicture(static_cast<Picture&>(control), x, y);
      break;
  }
  ImGui::PopID();
}

bool WidgetView::Hit(Panel& panel, Control& control, int32_t part, float x0, float y0, float x1,
                     float y1) {
  if (x1 - x0 < 1 || y1 - y0 < 1 || !control.Usable()) return false;
  ImGui::PushID(part);
  ImGui::SetCursorScreenPos(ImVec2(x0, y0));
  ImGui::InvisibleButton("##hit", ImVec2(x1 - x0, y1 - y0));
  const bool hovered = ImGui::IsItemHovered();
  if (ImGui::IsItemActivated()) {
    owner_ = PointerOwner{&panel, &control, part, x0, y0, x1, y1};
    panel.PointerDown(control, part);
  }
  ImGui::PopID();
  return hovered;
}

bool WidgetView::Held(const Control& control, int32_t part) const {
  return owner_.control == &control && owner_.part == part &&
         MouseIn(owner_.x0, owner_.y0, owner_.x1, owner_.y1);
}

void WidgetView::FocusRing(const Panel& panel, const Control& control, float x0, float y0, float x1,
                           float y1) {
  if (&panel != keyPanel_ || !panel.FocusShown() || panel.Focus() != &control) return;
  ImDrawList* dl = ImGui::GetWindowDrawList();
  const ImU32 c = Palette().focus;
  Hairline(dl, x0 - 3, y0 - 3, x1 + 3, y1 + 3, c);
  Hairline(dl, x0 - 2, y0 - 2, x1 + 2, y1 + 2, c);
}

void WidgetView::DrawLabel(Label& label, float x, float y) {
  const FlatPalette& p = Palette();
  const std::string text = DisplayText(label.caption);
  const Bounds& b = label.bounds;
  float left = x + static_cast<float>(b.left);
  const float room = static_cast<float>(b.width) - TextWidth(text);
  if (label.align == TextAlign::kRight) left += room;
  if (label.align == TextAlign::kCenter) left += room * 0.5f;
  Text(ImGui::GetWindowDrawList(), left, y + static_cast<float>(b.top),
       label.Usable() ? p.text : p.textDisabled, text);
}

void WidgetView::DrawButton(Panel& panel, Button& button, float x, float y) {
  const FlatPalette& p = Palette();
  const Bounds& b = button.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  const bool usable = button.Usable();
  const bool hovered = Hit(panel, button, -1, x0, y0, x1, y1);
  const bool held = Held(button, -1);
  ImDrawList* dl = ImGui::GetWindowDrawList();
  const ImU32 fill = held ? p.buttonPressed : hovered ? p.buttonHover : p.button;
  dl->AddRectFilled({x0, y0}, {x1, y1}, fill);
  // A lighter top edge lifts the face a little; pressed, it is gone.
  if (!held) dl->AddRectFilled({x0 + 1, y0 + 1}, {x1 - 1, y0 + 2}, IM_COL32(255, 255, 255, 70));
  Hairline(dl, x0, y0, x1, y1, hovered || held ? p.borderHover : p.buttonBorder);
  const std::string text = DisplayText(button.caption);
  Text(dl, x0 + (static_cast<float>(b.width) - TextWidth(text)) * 0.5f,
       TextTop(y0, y1) + (held ? 1.0f : 0.0f), usable ? p.text : p.textDisabled, text);
  FocusRing(panel, button, x0, y0, x1, y1);
}

void WidgetView::DrawCheck(Panel& panel, Control& control, float x, float y) {
  const FlatPalette& p = Palette();
  const Bounds& b = control.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  const bool usable = control.Usable();
  const bool hovered = Hit(panel, control, -1, x0, y0, x1, y1);
  const bool held = Held(control, -1);
  const bool radio = control.Kind() == ControlKind::kRadioButton;
  const bool checked = radio ? static_cast<RadioButton&>(control).Checked()
                             : static_cast<CheckBox&>(control).Checked();
  ImDrawList* dl = ImGui::GetWindowDrawList();
  const float by = std::floor(y0 + (static_cast<float>(b.height) - kBox) * 0.5f);
  const ImU32 fill = !usable   ? p.fieldPressed
                     : held    ? p.fieldPressed
                     : hovered ? p.fieldHover
                               : p.field;
  const ImU32 edge = hovered || held ? p.borderHover : p.border;
  const ImU32 mark = usable ? p.accent : p.textDisabled;
  if (radio) {
    const ImVec2 centre(x0 + kBox * 0.5f, by + kBox * 0.5f);
    dl->AddCircleFilled(centre, kBox * 0.5f, edge, 24);
    dl->AddCircleFilled(centre, kBox * 0.5f - 1, fill, 24);
    if (checked) dl->AddCircleFilled(centre, 3.5f, mark, 16);
  } else {
    dl->AddRectFilled({x0, by}, {x0 + kBox, by + kBox}, fill);
    Hairline(dl, x0, by, x0 + kBox, by + kBox, edge);
    if (checked) {
      const ImVec2 tick[3] = {
          {x0 + 3.0f, by + 6.5f}, {x0 + 5.5f, by + 9.0f}, {x0 + 10.0f, by + 3.5f}};
      dl->AddPolyline(tick, 3, mark, ImDrawFlags_None, 2.0f);
    }
  }
  const std::string text = DisplayText(control.caption);
  const float tx = x0 + kBox + kBoxGap;
  Text(dl, tx, TextTop(y0, y1), usable ? p.text : p.textDisabled, text);
  FocusRing(panel, control, x0, y0, std::min(x1, tx + TextWidth(text) + 2), y1);
}

void WidgetView::DrawDropDown(Panel& panel, DropDown& list, float x, float y) {
  const FlatPalette& p = Palette();
  const Bounds& b = list.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  const bool usable = list.Usable();
  const bool open = panel.OpenList() == &list;
  const bool hovered = Hit(panel, list, -1, x0, y0, x1, y1);
  ImDrawList* dl = ImGui::GetWindowDrawList();
  dl->AddRectFilled({x0, y0}, {x1, y1},
                    usable ? (hovered ? p.fieldHover : p.field) : p.fieldPressed);
  Hairline(dl, x0, y0, x1, y1, open ? p.accent : hovered ? p.borderHover : p.border);
  const ImU32 ink = usable ? p.text : p.textDisabled;
  dl->PushClipRect({x0 + 1, y0 + 1}, {x1 - kArrowWidth, y1 - 1}, true);
  Text(dl, x0 + kTextInset, TextTop(y0, y1), ink,
       Fitted(DisplayText(list.Text()), x1 - kArrowWidth - x0 - kTextInset - 2));
  dl->PopClipRect();
  // The arrow sits on a slightly darker strip: the part that opens the list.
  dl->AddRectFilled({x1 - kArrowWidth, y0 + 1}, {x1 - 1, y1 - 1},
                    open      ? p.fieldPressed
                    : hovered ? p.buttonHover
                              : p.tabIdle);
  dl->AddRectFilled({x1 - kArrowWidth, y0 + 1}, {x1 - kArrowWidth + 1, y1 - 1}, p.border);
  const float cx = std::floor(x1 - kArrowWidth * 0.5f) + 0.5f;
  const float cy = std::floor((y0 + y1) * 0.5f);
  dl->AddTriangleFilled({cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 2.5f}, ink);
  FocusRing(panel, list, x0, y0, x1, y1);
  DrawList(panel, list, x0, y0, y1);
}

void WidgetView::DrawList(Panel& panel, DropDown& list, float x, float boxTop, float bottom) {
  const FlatPalette& p = Palette();
  const bool open = panel.OpenList() == &list;
  if (open && viewList_ != &list) {
    ImGui::OpenPopup("##list");
    viewList_ = &list;
    shownHighlight_ = -1;
  }
  if (viewList_ != &list) return;

  const auto count = static_cast<int32_t>(list.items.size());
  const int32_t rows = std::clamp(list.rows, 1, std::max(count, 1));
  const float rowHeight = ImGui::GetFontSize() + 2 * kRowPad;
  // As wide as the box, or as the widest item when that is wider; inside
  // the canvas, and above the box when there is no room below it.
  const float scrollbar = count > rows ? ImGui::GetStyle().ScrollbarSize : 0.0f;
  float listWidth = static_cast<float>(list.bounds.width);
  for (const std::string& item : list.items)
    listWidth = std::max(listWidth,
                         std::ceil(TextWidth(DisplayText(item)) + 2 * kTextInset + 2 + scrollbar));
  const float height = static_cast<float>(rows) * rowHeight + 2;
  const ImVec2 canvas = ImGui::GetIO().DisplaySize;
  const float left = std::max(0.0f, std::min(x, canvas.x - listWidth));
  const float listTop =
      bottom - 1 + height > canvas.y && boxTop + 1 - height >= 0 ? boxTop + 1 - height : bottom - 1;
  ImGui::SetNextWindowPos(ImVec2(left, listTop));
  ImGui::SetNextWindowSize(ImVec2(listWidth, height));
  ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(1, 1));
  ImGui::PushStyleColor(ImGuiCol_PopupBg, p.field);
  ImGui::PushStyleColor(ImGuiCol_Border, p.accent);
  constexpr ImGuiWindowFlags kFlags = ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                      ImGuiWindowFlags_NoTitleBar |
                                      ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoNav;
  if (ImGui::BeginPopup("##list", kFlags)) {
    ImDrawList* dl = ImGui::GetWindowDrawList();
    const float width = ImGui::GetContentRegionAvail().x;
    const bool mouseMoved = ImGui::GetIO().MouseDelta.x != 0 || ImGui::GetIO().MouseDelta.y != 0;
    for (int32_t i = 0; i < count; ++i) {
      ImGui::SetCursorPos(ImVec2(1, 1 + static_cast<float>(i) * rowHeight));
      ImGui::PushID(i);
      const bool chosen = ImGui::InvisibleButton("##row", ImVec2(width, rowHeight));
      const bool hovered = ImGui::IsItemHovered();
      ImGui::PopID();
      if (hovered && mouseMoved) {
        panel.SetListHighlight(i);
        shownHighlight_ = i;
      }
      const ImVec2 r0 = ImGui::GetItemRectMin(), r1 = ImGui::GetItemRectMax();
      const bool lit = i == panel.ListHighlight();
      if (lit) dl->AddRectFilled(r0, r1, p.accent);
      Text(dl, r0.x + kTextInset - 1, r0.y + kRowPad, lit ? p.textOnAccent : p.text,
           DisplayText(list.items[static_cast<size_t>(i)]));
      if (chosen) {
        panel.ChooseItem(list, i);
        ImGui::CloseCurrentPopup();
        viewList_ = nullptr;
      }
    }
    // Keep the highlighted row in view when the keys move it.
    const int32_t lit = panel.ListHighlight();
    if (viewList_ == &list && lit != shownHighlight_) {
      const float top = static_cast<float>(lit) * rowHeight;
      const float view = static_cast<float>(rows) * rowHeight;
      const float scroll = ImGui::GetScrollY();
      if (top < scroll) {
        ImGui::SetScrollY(top);
      } else if (top + rowHeight > scroll + view) {
        ImGui::SetScrollY(top + rowHeight - view);
      } else {
        shownHighlight_ = lit;
      }
    }
    ImGui::EndPopup();
  } else {
    // Closed by a press outside it.
    viewList_ = nullptr;
    if (open) panel.CloseList();
  }
  ImGui::PopStyleColor(2);
  ImGui::PopStyleVar();
}

void WidgetView::DrawEdit(Panel& panel, Edit& edit, float x, float y) {
  const FlatPalette& p = Palette();
  const Bounds& b = edit.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  const bool usable = edit.Usable();
  const bool typing = panel.Typing() == &edit;
  const bool hovered = usable && MouseIn(x0, y0, x1, y1) && ImGui::IsWindowHovered();
  ImDrawList* dl = ImGui::GetWindowDrawList();
  dl->AddRectFilled({x0, y0}, {x1, y1},
                    usable ? (typing || hovered ? p.fieldHover : p.field) : p.fieldPressed);
  Hairline(dl, x0, y0, x1, y1, typing ? p.accent : hovered ? p.borderHover : p.border);
  FocusRing(panel, edit, x0, y0, x1, y1);

  const ImGuiID id = ImGui::GetID("##edit");
  if (!typing && ImGui::GetActiveID() == id) ImGui::ClearActiveID();
  if (!typing && focusAsked_ == &edit) focusAsked_ = nullptr;
  ImGuiInputTextFlags flags =
      ImGuiInputTextFlags_CallbackCharFilter | ImGuiInputTextFlags_CallbackEdit;
  if (typing && usable && ImGui::GetActiveID() != id && focusAsked_ != &edit) {
    // Typing begun from the keys: take ImGui's keyboard, the whole text
    // selected so that typing replaces it.
    ImGui::SetKeyboardFocusHere();
    flags |= ImGuiInputTextFlags_AutoSelectAll;
    focusAsked_ = &edit;
  }

  // Room for the longest text the edit may hold, whole: a cp1251 character
  // is at most three bytes of UTF-8.
  const std::string text = Cp1251ToUtf8(edit.Text());
  const size_t size = 3 * edit.Room() + 1;
  if (editBuffer_.size() < size) editBuffer_.resize(size);
  char* buffer = editBuffer_.data();
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';

  ImGui::PushStyleColor(ImGuiCol_FrameBg, IM_COL32(0, 0, 0, 0));
  ImGui::PushStyleColor(ImGuiCol_FrameBgHovered, IM_COL32(0, 0, 0, 0));
  ImGui::PushStyleColor(ImGuiCol_FrameBgActive, IM_COL32(0, 0, 0, 0));
  ImGui::PushStyleColor(ImGuiCol_Text, usable ? p.text : p.textDisabled);
  ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 0.0f);
  ImGui::PushStyleVar(
      ImGuiStyleVar_FramePadding,
      ImVec2(kTextInset - 1, std::floor((y1 - y0 - 2 - ImGui::GetFontSize()) * 0.5f)));
  ImGui::SetCursorScreenPos(ImVec2(x0 + 1, y0 + 1));
  ImGui::SetNextItemWidth(x1 - x0 - 2);
  if (!usable) ImGui::BeginDisabled();
  const bool changed = ImGui::InputText("##edit", buffer, size, flags, EditCallback, &edit);
  if (!usable) ImGui::EndDisabled();
  ImGui::PopStyleVar(2);
  ImGui::PopStyleColor(4);

  if (ImGui::IsItemActivated() && ImGui::IsMouseClicked(0) && MouseIn(x0, y0, x1, y1)) {
    owner_ = PointerOwner{&panel, &edit, -1, x0, y0, x1, y1};
    panel.PointerDown(edit);
  }
  if (changed && panel.Typing() == &edit) panel.SetEditText(edit, buffer);
  // ImGui let it go (a press elsewhere): the typing ends too.
  if (ImGui::IsItemDeactivated() && panel.Typing() == &edit && focusAsked_ != &edit)
    panel.EndTyping();
  if (ImGui::GetActiveID() == id) focusAsked_ = nullptr;
}

void WidgetView::DrawTabBox(Panel& panel, TabBox& box, float x, float y) {
  const FlatPalette& p = Palette();
  const Bounds& b = box.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  const bool usable = box.Usable();
  const ImU32 face = Colour(panel.face);
  ImDrawList* dl = ImGui::GetWindowDrawList();
  const float clientTop = y0 + kTabHeight - 1;
  Hairline(dl, x0, clientTop, x1, y1, p.tabBorder);

  float tx = x0;
  for (size_t i = 0; i < box.tabs.size(); ++i) {
    const auto part = static_cast<int32_t>(i);
    const std::string text = DisplayText(box.tabs[i]);
    const float tw = std::floor(TextWidth(text) + 2 * kTabPad);
    const bool selected = part == box.TabIndex();
    const float top = selected ? y0 : y0 + 2;
    const float right = std::min(tx + tw, x1);
    const bool hovered = Hit(panel, box, part, tx, top, right, clientTop + 1);
    dl->AddRectFilled({tx, top}, {right, clientTop + 1},
                      selected                     ? face
                      : hovered || Held(box, part) ? p.buttonHover
                                                   : p.tabIdle);
    Hairline(dl, tx, top, right, clientTop + 1, p.tabBorder);
    if (selected) {
      // The shown tab opens into the page below it, marked along its top.
      dl->AddRectFilled({tx + 1, clientTop}, {right - 1, clientTop + 1}, face);
      if (usable) dl->AddRectFilled({tx, top}, {right, top + 2}, p.accent);
    }
    Text(dl, tx + kTabPad, TextTop(top + (selected ? 1.0f : 0.0f), clientTop),
         usable ? p.text : p.textDisabled, text);
    if (selected) FocusRing(panel, box, tx, top, right, clientTop);
    tx = right - 1;  // neighbouring tabs share a border
    if (tx >= x1 - 1) break;
  }
  DrawContainer(panel, box, x0, y0);
}

void WidgetView::DrawPicture(Picture& picture, float x, float y) {
  SDL_Texture* texture = TextureOf(picture);
  if (texture == nullptr) return;
  const Bounds& b = picture.bounds;
  const auto [x0, y0, x1, y1] = Place(b, x, y);
  ImDrawList* dl = ImGui::GetWindowDrawList();
  if (picture.stretch) {
    dl->AddImage(texture, {x0, y0}, {x1, y1});
    return;
  }
  const float w = static_cast<float>(picture.ImageWidth());
  const float h = static_cast<float>(picture.ImageHeight());
  const float left = std::floor(x0 + (x1 - x0 - w) * 0.5f);
  const float top = std::floor(y0 + (y1 - y0 - h) * 0.5f);
  dl->PushClipRect({x0, y0}, {x1, y1}, true);
  dl->AddImage(texture, {left, top}, {left + w, top + h});
  dl->PopClipRect();
}

SDL_Texture* WidgetView::TextureOf(const Picture& picture) {
  if (renderer_ == nullptr || picture.Pixels().empty()) return nullptr;
  Texture& t = textures_[&picture];
  if (t.texture != nullptr && t.revision == picture.Revision()) return t.texture;
  if (t.texture != nullptr) SDL_DestroyTexture(t.texture);
  t.texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB24, SDL_TEXTUREACCESS_STATIC,
                                picture.ImageWidth(), picture.ImageHeight());
  t.revision = picture.Revision();
  if (t.texture == nullptr) return nullptr;
  SDL_UpdateTexture(t.texture, nullptr, picture.Pixels().data(), picture.ImageWidth() * 3);
  // Small textures are shown enlarged: whole pixels, not a blur.
  SDL_SetTextureScaleMode(t.texture, SDL_ScaleModeNearest);
  return t.texture;
}

}  // namespace quendrix::widgets
