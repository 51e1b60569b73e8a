#include "game/play_texts.h"

#include <array>
#include <string>

#include "core/cp1251.h"
#include "game/commands.h"
#include "game/hud.h"
#include "game/scoring.h"

namespace quendrix {

namespace {

using enum PlayText;

// TRANSLATORS: the texts in capitals are drawn in play with small bitmap
// fonts that have only capitals, digits and " < > = ( ) - ` ! _ + \ / { } ^
// & % . $ # ? * (and Ä Ö Ü): no comma, colon or apostrophe. The hints show
// on the panel's one line of 21 letters; a banner stands in the middle of
// the screen and should keep within 20 letters.
constexpr PlayTextSource kSources[] = {
    {kPullOn, kTickerPullOn, TrNoop("СТИЛЬ - ПУЛ УДАР")},
    {kPullOff, kTickerPullOff, TrNoop("СТИЛЬ - ПУШ УДАР")},
    {kFrameRate15, kTicker15Fps, TrNoop("ЛИМИТ ФРЕЙМОВ 15 Ф/С")},
    {kFrameRate30, kTicker30Fps, TrNoop("ЛИМИТ ФРЕЙМОВ 30 Ф/С")},
    {kFrameRate60, kTicker60Fps, TrNoop("ЛИМИТ ФРЕЙМОВ 60 Ф/С")},
    {kSoundOnKey, kTickerSoundOnKey, TrNoop("ЗВУК ВКЛ.")},
    {kSoundOnButton, kTickerSoundOnButton, TrNoop("ЗВУК ВКЛ.")},
    {kSoundOff, kTickerSoundOff, TrNoop("ЗВУК ВЫКЛ.")},
    {kAmbientOn, kTickerAmbientOn, TrNoop("ЗВУКОВОЙ ФОН ВКЛ.")},
    {kAmbientOff, kTickerAmbientOff, TrNoop("ЗВУКОВОЙ ФОН ВЫКЛ.")},
    {kHintRepeat, kButtonHints[0], TrNoop("ПОВТОР СООБЩЕНИЯ")},
    {kHintPuttStyle, kButtonHints[1], TrNoop("ИЗМЕНЕНИЕ СТИЛЯ УДАРА")},
    {kHintSound, kButtonHints[2], TrNoop("ЗВУК ВКЛ/ВЫКЛ (F3)")},
    {kHintHelp, kButtonHints[3], TrNoop("ПОМОЩЬ УДАРА (F1)")},
    {kHintRecentre, kButtonHints[4], TrNoop("ЦЕНТРОВКА (HOME)")},
    {kHintScoreCard, kScoreCardHint, TrNoop("ПОКАЗ РЕЗУЛЬТАТА")},
    {kHintClose, kCloseHint, TrNoop("ВЫХОД (ESC)")},
    {kQuitQuestion, kQuitBanner, TrNoop("НАЖМИТЕ ВВОД ДЛЯ ВЫХОДА")},
    {kStrokeLimit, kBannerStrokeLimit, TrNoop("ПРЕВЫШЕН ЛИМИТ")},
    // TRANSLATORS: a hole in one.
    {kHoleInOne, kBannerHoleInOne, TrNoop("ЛУНКА")},
    {kPenaltyBanner, kBannerPenalty, TrNoop("ШТРАФНОЙ УДАР")},
    {kPenaltyTicker, kTickerPenalty, TrNoop("ШТРАФНОЙ УДАР")},
    // TRANSLATORS: the holed ball's banner: two under par.
    {kEagle, "0PEV ", TrNoop("ОРЁЛ")},
    // TRANSLATORS: one under par.
    {kBirdie, "PEUKA ", TrNoop("РЕШКА")},
    // TRANSLATORS: par.
    {kPar, "F0V", TrNoop("ГОЛ")},
    // TRANSLATORS: one over par.
    {kBogey, "+JDAP", TrNoop("+УДАР")},
    // TRANSLATORS: two over par.
    {kDoubleBogey, "  + 2 JDAPA ", TrNoop("+ 2 УДАРА")},
    // TRANSLATORS: three over par.
    {kTripleBogey, "  + 3 JDAPA ", TrNoop("+ 3 УДАРА")},
    // TRANSLATORS: holed at last, four or more over par.
    {kHoled, "B VJHKE", TrNoop("В ЛУНКЕ")},
    // TRANSLATORS: the final score of one player: level with par.
    {kFinalEven, "NT0F - P0BH0    ", TrNoop("ИТОГ - РОВНО"), true},
    // TRANSLATORS: the score so far of one player: level with par.
    {kRunningEven, "C4ET - P0BH0", TrNoop("СЧЁТ - РОВНО"), true},
    // TRANSLATORS: the final score, before the number of strokes off par.
    {kFinalPrefix, "NT0F  -     ", TrNoop("ИТОГ -"), true},
    // TRANSLATORS: the score so far, before the number of strokes off par.
    {kRunningPrefix, "C4ET  - ", TrNoop("СЧЁТ -"), true},
    // TRANSLATORS: after the number: so many strokes under par.
    {kUnderPar, " - VNMNT  ", TrNoop("- ЛИМИТ"), true},
    // TRANSLATORS: after the number: so many strokes over par.
    {kOverPar, " + VNMNT ", TrNoop("+ ЛИМИТ"), true},
    // TRANSLATORS: before the names of those who won the most holes.
    {kWinner, "Y0SEDA- ", TrNoop("ПОБЕДА-"), true},
    // TRANSLATORS: before the names of those who lead on holes won.
    {kLeader, " VNDEP- ", TrNoop("ЛИДЕР-"), true},
    // TRANSLATORS: before the names of those with the fewest strokes.
    {kFinalWinner, "Y0SEDA-", TrNoop("ПОБЕДА-"), true},
    {kExtraStroke, "D0Y0VHNTEVLHLIN JDAP", TrNoop("ДОПОЛНИТЕЛЬНЫЙ УДАР")},
    {kOneMoreStroke, "EUE  JDAP   ", TrNoop("ЕЩЁ УДАР")},
    // TRANSLATORS: the ball came too fast over a jump.
    {kTooFast, "CVNUK0M SLICTP0", TrNoop("СЛИШКОМ БЫСТРО")},
    {kSpringboard, "JDAP Y0 YPJGNHE ", TrNoop("УДАР ПО ПРУЖИНЕ")},
    {kFan, "BEHTNVRTOP   ", TrNoop("ВЕНТИЛЯТОР")},
    {kRoadWorker, "BLI PA3SJDNVN D0P0GH0F0 PAS04EF0", TrNoop("ВЫ РАЗБУДИЛИ ДОРОЖНОГО РАБОЧЕГО")},
};
static_assert(std::size(kSources) == static_cast<size_t>(kCount));

constexpr bool InOrder() {
  for (size_t i = 0; i < std::size(kSources); ++i)
    if (static_cast<size_t>(kSources[i].id) != i) return false;
  return true;
}
static_assert(InOrder(), "the table follows the enum");

bool Blank(char c) {
  return c == ' ' || c == '\0';
}

// Upper case of a cp1252 byte; ß has none of its own.
void AppendUpperCp1252(std::string& out, unsigned char b) {
  if (b == 0xDF) {
    out += "SS";
    return;
  }
  if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) b -= 0x20;
  if (b == 0x9A || b == 0x9C || b == 0x9E) b -= 0x10;  // š œ ž
  if (b == 0xFF) b = 0x9F;                             // ÿ
  out += static_cast<char>(b);
}

struct Built {
  bool ready = false;
  Language language = Language::kRussian;
  std::array<std::string, static_cast<size_t>(kCount)> texts;
};

Built& Cache() {
  static Built built;
  return built;
}

}  // namespace

std::span<const PlayTextSource> PlayTextSources() {
  return kSources;
}

std::string PlayTextFor(Language language, std::string_view stored, const char* translatedUtf8,
                        bool compact) {
  if (language == Language::kRussian) return std::string(stored);
  size_t lead = 0, trail = 0;
  while (lead < stored.size() && Blank(stored[lead])) ++lead;
  while (trail < stored.size() - lead && Blank(stored[stored.size() - 1 - trail])) ++trail;
  if (compact) {
    lead = lead > 0 ? 1 : 0;
    trail = trail > 0 ? 1 : 0;
  }
  std::string out(lead, ' ');
  for (const char c : Utf8ToCp1252(translatedUtf8))
    AppendUpperCp1252(out, static_cast<unsigned char>(c));
  out.append(trail, ' ');
  return out;
}

std::string_view Text(PlayText id) {
  const auto index = static_cast<size_t>(id);
  const Language language = CurrentLanguage();
  if (language == Language::kRussian) return kSources[index].stored;
  Built& built = Cache();
  if (!built.ready || built.language != language) {
    for (const PlayTextSource& s : kSources)
      built.texts[static_cast<size_t>(s.id)] =
          PlayTextFor(language, s.stored, Tr(s.msgid), s.compact);
    built.language = language;
    built.ready = true;
  }
  return built.texts[index];
}

}  // namespace quendrix
