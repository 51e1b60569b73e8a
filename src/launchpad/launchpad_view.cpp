#include "launchpad/launchpad_view.h"

#include <imgui.h>

#include <vector>

#include "core/language.h"
#include "game/data_catalogue.h"
#include "media/list_file.h"

namespace quendrix {

namespace {

// The copyright line: grey on the animation, a shade behind it so that it
// reads over light frames too. Pixels from the bottom right corner.
constexpr ImU32 kCopyrightText = IM_COL32(150, 150, 150, 255);
constexpr ImU32 kCopyrightShade = IM_COL32(0, 0, 0, 200);
constexpr float kCopyrightMargin = 4.0f;
// The open panel stands off the animation: a hairline a shade darker than
// its face just outside it, and a soft shadow down and right.
constexpr ImU32 kPanelRim = IM_COL32(120, 112, 102, 255);
constexpr ImU32 kPanelShadow = IM_COL32(0, 0, 0, 60);
constexpr float kShadowOffset = 4.0f;

bool IsEnter(const SDL_Event& e) {
  if (e.type == SDL_KEYDOWN)
    return e.key.repeat == 0 && (e.key.keysym.mod & (KMOD_ALT | KMOD_CTRL | KMOD_GUI)) == 0 &&
           (e.key.keysym.sym == SDLK_RETURN || e.key.keysym.sym == SDLK_KP_ENTER);
  return e.type == SDL_CONTROLLERBUTTONDOWN && e.cbutton.button == SDL_CONTROLLER_BUTTON_A;
}

}  // namespace

MenuPictures LoadMenuPictures(const std::filesystem::path& dataDir) {
  MenuPictures out;
  std::vector<PictureItemData> items;
  try {
    LoadImageListFile((dataDir / "launchpad.dxg").string(), items);
  } catch (const std::exception&) {
    return out;  // the panel shows without its picture
  }
  // The language's captions, drawn into pictures of their own.
  const std::filesystem::path local = LanguageVariant(dataDir, "launchpad.dxg");
  if (local != dataDir / "launchpad.dxg") {
    std::vector<PictureItemData> words;
    try {
      LoadImageListFile(local.string(), words);
      OverlayImageItems(items, std::move(words));
    } catch (const std::exception&) {
      // A damaged language file leaves the shared picture.
    }
  }
  if (items.size() >= static_cast<size_t>(kLaunchpadImageCount)) {
    out.picture = items[ItemIndex(LaunchpadImage::kMenu)].picture;
    out.lit = items[ItemIndex(LaunchpadImage::kMenuLit)].picture;
  }
  return out;
}

LaunchpadView::LaunchpadView(Tlaunchpad& launchpad, SDL_Renderer* renderer, Bitmap menuPicture,
                             Bitmap menuLit)
    : lp_(launchpad),
      renderer_(renderer),
      widgets_(renderer, launchpad.Width(), launchpad.Height()) {
  widgets_.SetDeferredReleases(true);
  if (!menuPicture.Empty() && menuLit.Width() == menuPicture.Width() &&
      menuLit.Height() == menuPicture.Height())
    menuView_ = std::make_unique<HotImageView>(std::move(menuPicture), std::move(menuLit));
}

LaunchpadView::~LaunchpadView() {
  Release();
}

void LaunchpadView::Release() {
  if (menuView_) menuView_->Release();
}

void LaunchpadView::HandleEvent(const SDL_Event& event) {
  widgets::Panel* keys = lp_.KeyPanel();
  if (IsEnter(event) && lp_.EnterPressesMainButton()) {
    lp_.PressMainButton();
    return;
  }
  switch (event.type) {
    case SDL_MOUSEMOTION:
      lp_.PointerMove(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
      if (event.button.button == SDL_BUTTON_LEFT) lp_.PointerDown(event.button.x, event.button.y);
      break;
    case SDL_MOUSEBUTTONUP:
      if (event.button.button == SDL_BUTTON_LEFT) lp_.PointerUp(event.button.x, event.button.y);
      break;
    default:
      break;
  }
  // The menu picture's click may have changed the panel: the widgets see
  // the event with the panel that has the keys now.
  if (lp_.Terminated() || !lp_.Visible()) return;
  if (event.type == SDL_MOUSEBUTTONUP || event.type == SDL_MOUSEBUTTONDOWN) keys = lp_.KeyPanel();
  const widgets::MenuAction unused = widgets_.HandleEvent(event, keys);
  if (unused != widgets::MenuAction::kNone) lp_.MenuAction(unused);
}

void LaunchpadView::Tick() {
  const widgets::MenuAction unused = widgets_.Tick(lp_.KeyPanel());
  if (unused != widgets::MenuAction::kNone) lp_.MenuAction(unused);
}

void LaunchpadView::DrawCopyright() {
  const widgets::Label& label = *lp_.copywrite;
  if (!label.visible) return;
  const std::string text = widgets::DisplayText(label.caption);
  ImDrawList* draw = ImGui::GetBackgroundDrawList();
  const ImVec2 size = ImGui::CalcTextSize(text.c_str());
  const ImVec2 at(
      static_cast<float>(label.bounds.left + label.bounds.width) - size.x - kCopyrightMargin,
      static_cast<float>(label.bounds.top + label.bounds.height) - size.y -
          kCopyrightMargin * 0.5f);
  draw->AddText(ImVec2(at.x + 1, at.y + 1), kCopyrightShade, text.c_str());
  draw->AddText(at, kCopyrightText, text.c_str());
}

void LaunchpadView::DrawPanelFrames() {
  ImDrawList* draw = ImGui::GetBackgroundDrawList();
  for (const widgets::Panel* p : lp_.Panels()) {
    if (!p->Visible()) continue;
    const ImVec2 a(static_cast<float>(p->left), static_cast<float>(p->top));
    const ImVec2 b(a.x + static_cast<float>(p->width), a.y + static_cast<float>(p->height));
    // Only the strips beside and below the panel: its face covers the rest,
    // and blending what is covered would cost a software renderer dearly.
    for (float reach = kShadowOffset; reach > 0; reach -= kShadowOffset / 2) {
      draw->AddRectFilled(ImVec2(b.x, a.y + reach), ImVec2(b.x + reach, b.y + reach), kPanelShadow);
      draw->AddRectFilled(ImVec2(a.x + reach, b.y), ImVec2(b.x, b.y + reach), kPanelShadow);
    }
    draw->AddRect(ImVec2(a.x - 1, a.y - 1), ImVec2(b.x + 1, b.y + 1), kPanelRim);
  }
}

void LaunchpadView::Draw(const std::function<void()>& background) {
  widgets_.SetCanvasSize(lp_.Width(), lp_.Height());
  std::array<widgets::Panel*, 5> panels = lp_.Panels();
  widgets_.Frame(panels, [&] {
    if (background) background();
    DrawPanelFrames();
    DrawCopyright();
  });
  if (menuView_ && lp_.mainmenu.Visible() && renderer_ != nullptr) {
    menuView_->Draw(renderer_, lp_.HotImage1,
                    SDL_Point{lp_.mainmenu.left + Tlaunchpad::kHotImageLeft,
                              lp_.mainmenu.top + Tlaunchpad::kHotImageTop});
  }
}

}  // namespace quendrix
