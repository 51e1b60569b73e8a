// Every word the play screen draws through its bitmap fonts, in the run's
// language. Russian texts are the stored ones, blanks and NULs included,
// whose Latin codes select Russian-looking cells ("JDAP" reads УДАР). Other
// languages take the catalogue's translation of each text, upper-cased in
// the language's single-byte code page (cp1252 for English and German),
// with the stored text's leading and trailing blanks around it, so that a
// ticker enters and a banner stands where the Russian one would.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/language.h"

namespace quendrix {

enum class PlayText : uint8_t {
  // Commands' ticker notices.
  kPullOn,
  kPullOff,
  kFrameRate15,
  kFrameRate30,
  kFrameRate60,
  kSoundOnKey,
  kSoundOnButton,
  kSoundOff,
  kAmbientOn,
  kAmbientOff,
  // The full panel's hover hints, the quit question's banner.
  kHintRepeat,
  kHintPuttStyle,
  kHintSound,
  kHintHelp,
  kHintRecentre,
  kHintScoreCard,
  kHintClose,
  kQuitQuestion,
  // The rules' banners and notices.
  kStrokeLimit,
  kHoleInOne,
  kPenaltyBanner,
  kPenaltyTicker,
  kEagle,
  kBirdie,
  kPar,
  kBogey,
  kDoubleBogey,
  kTripleBogey,
  kHoled,
  // The score summary: whole lines, and the pieces around a number or the
  // names.
  kFinalEven,
  kRunningEven,
  kFinalPrefix,
  kRunningPrefix,
  kUnderPar,
  kOverPar,
  kWinner,
  kLeader,
  kFinalWinner,
  // Notices of the course's areas (a ticker's leading blanks are added by
  // its poster).
  kExtraStroke,
  kOneMoreStroke,
  kTooFast,
  kSpringboard,
  kFan,
  kRoadWorker,
  kCount
};

// One text: as stored for Russian, and the catalogue's key (UTF-8, as the
// words read). `compact`: in other languages a blank at most on each side,
// for the pieces the score summary joins.
struct PlayTextSource {
  PlayText id;
  std::string_view stored;
  const char* msgid;
  bool compact = false;
};
std::span<const PlayTextSource> PlayTextSources();

// The text as the current language draws it. Built from the catalogue when
// first asked for after the language changed; the views stay valid until
// it changes again.
std::string_view Text(PlayText id);
// The translation of one text as the language's fonts draw it: upper case
// in its code page (ß becomes SS), with `stored`'s blanks around it.
std::string PlayTextFor(Language language, std::string_view stored, const char* translatedUtf8,
                        bool compact);

}  // namespace quendrix
