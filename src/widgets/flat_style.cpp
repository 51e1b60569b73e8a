#include "widgets/flat_style.h"

#include <imgui_freetype.h>

#include <filesystem>

namespace quendrix::widgets {

namespace {

constexpr ImU32 Rgb(int r, int g, int b, int a = 255) {
  return IM_COL32(r, g, b, a);
}

ImVec4 Vec(ImU32 c) {
  return ImGui::ColorConvertU32ToFloat4(c);
}

}  // namespace

const FlatPalette& Palette() {
  static const FlatPalette palette{
      .face = Rgb(224, 216, 207),
      .text = Rgb(84, 80, 76),
      .textDisabled = Rgb(166, 159, 151),
      .textOnAccent = Rgb(255, 255, 255),
      .field = Rgb(251, 249, 246),
      .fieldHover = Rgb(255, 255, 255),
      .fieldPressed = Rgb(236, 231, 224),
      .border = Rgb(163, 154, 144),
      .borderHover = Rgb(120, 112, 104),
      .button = Rgb(208, 199, 188),
      .buttonHover = Rgb(216, 208, 198),
      .buttonPressed = Rgb(191, 181, 169),
      .buttonBorder = Rgb(158, 148, 137),
      .tabIdle = Rgb(209, 200, 190),
      .tabBorder = Rgb(170, 161, 151),
      .accent = Rgb(46, 122, 84),
      .focus = Rgb(222, 128, 34),
      .scrollTrack = Rgb(236, 231, 224),
      .scrollThumb = Rgb(178, 169, 159),
  };
  return palette;
}

void ApplyFlatStyle() {
  const FlatPalette& p = Palette();
  ImGuiStyle& s = ImGui::GetStyle();
  s = ImGuiStyle();
  s.Alpha = 1.0f;
  s.DisabledAlpha = 1.0f;  // disabled controls choose their own colours
  s.WindowPadding = ImVec2(0, 0);
  s.WindowRounding = 0;
  s.WindowBorderSize = 0;
  s.WindowMinSize = ImVec2(1, 1);
  s.ChildRounding = 0;
  s.ChildBorderSize = 0;
  s.PopupRounding = 0;
  s.PopupBorderSize = 1;
  s.FramePadding = ImVec2(4, 2);
  s.FrameRounding = 0;
  s.FrameBorderSize = 1;
  s.ItemSpacing = ImVec2(0, 0);
  s.ItemInnerSpacing = ImVec2(4, 0);
  s.ScrollbarSize = 9;
  s.ScrollbarRounding = 0;
  s.GrabMinSize = 12;
  s.GrabRounding = 0;
  s.TabRounding = 0;
  s.TabBorderSize = 0;
  s.AntiAliasedLines = true;
  s.AntiAliasedFill = true;

  ImVec4* c = s.Colors;
  c[ImGuiCol_Text] = Vec(p.text);
  c[ImGuiCol_TextDisabled] = Vec(p.textDisabled);
  c[ImGuiCol_WindowBg] = Vec(p.face);
  c[ImGuiCol_ChildBg] = Vec(p.field);
  c[ImGuiCol_PopupBg] = Vec(p.field);
  c[ImGuiCol_Border] = Vec(p.border);
  c[ImGuiCol_BorderShadow] = ImVec4(0, 0, 0, 0);
  c[ImGuiCol_FrameBg] = Vec(p.field);
  c[ImGuiCol_FrameBgHovered] = Vec(p.fieldHover);
  c[ImGuiCol_FrameBgActive] = Vec(p.fieldHover);
  c[ImGuiCol_ScrollbarBg] = Vec(p.scrollTrack);
  c[ImGuiCol_ScrollbarGrab] = Vec(p.scrollThumb);
  c[ImGuiCol_ScrollbarGrabHovered] = Vec(p.borderHover);
  c[ImGuiCol_ScrollbarGrabActive] = Vec(p.borderHover);
  c[ImGuiCol_TextSelectedBg] = Vec(Rgb(46, 122, 84, 90));
  c[ImGuiCol_NavHighlight] = Vec(p.focus);
}

bool LoadFlatFont() {
  ImGuiIO& io = ImGui::GetIO();
  io.Fonts->Clear();
  // Latin-1, Cyrillic and the punctuation, currency and signs of cp1251's
  // upper half, so every byte a caption or a name can hold has a glyph.
  static const ImWchar kRanges[] = {
      0x0020, 0x00FF,  // Basic Latin, Latin-1
      0x0400, 0x045F,  // Cyrillic
      0x0490, 0x0491,  // Ґ ґ
      0x2013, 0x2026,  // dashes, quotes, dagger, bullet, ellipsis
      0x2030, 0x203A,  // per mille, angle quotes
      0x20AC, 0x20AC,  // euro
      0x2116, 0x2116,  // numero
      0x2122, 0x2122,  // trade mark
      0xFFFD, 0xFFFD,  // the one byte cp1251 leaves unassigned
      0,
  };
  std::error_code error;
  if (!std::filesystem::exists(kFontFile, error)) {
    io.Fonts->AddFontDefault();
    return false;
  }
  ImFontConfig config;
  config.OversampleH = 1;
  config.OversampleV = 1;
  config.PixelSnapH = true;
  io.Fonts->FontBuilderIO = ImGuiFreeType::GetBuilderForFreeType();
  io.Fonts->FontBuilderFlags = ImGuiFreeTypeBuilderFlags_LightHinting;
  if (io.Fonts->AddFontFromFileTTF(kFontFile, kFontPixels, &config, kRanges) == nullptr) {
    io.Fonts->AddFontDefault();
    return false;
  }
  return true;
}

}  // namespace quendrix::widgets
