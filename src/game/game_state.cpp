#include "game/game_state.h"

#include "game/game_events.h"

namespace quendrix {

namespace {

SilentEvents& NoListener() {
  static SilentEvents silent;
  return silent;
}

// Room for the longest texts the game writes while playing (ticker texts,
// banners, a next-hole name from a hole file's comment of up to 2047
// characters), so that assigning them never allocates in a frame.
constexpr size_t kTextRoom = 2048;

}  // namespace

GameSession::GameSession(const LaunchSettings& launchSettings, GameEvents* gameEvents,
                         uint64_t seed)
    : settings(&launchSettings), events(gameEvents != nullptr ? gameEvents : &NoListener()) {
  Seed(seed);
  holeName.reserve(kTextRoom);
  nextHoleName.reserve(kTextRoom);
  tickerText.reserve(kTextRoom);
  bannerText.reserve(256);
  hoverHint.reserve(256);
}

void GameSession::Seed(uint64_t seed) {
  playRandom.Seed(seed, kPlayStream);
  visualRandom.Seed(seed, kVisualStream);
}

void GameSession::Sound(EffectSound sound) {
  if (soundOn) events->PlaySound(ItemIndex(sound));
}

void GameSession::BackgroundSound(HoleSound sound) {
  if (soundOn) events->PlayBackgroundSound(ItemIndex(sound));
}

void ResetPlayersForHole(GameSession& session) {
  for (playerrec& p : session.players) {
    p.inPlay = false;
    p.z = 0;
    p.fallSpeed = 0;
    p.direction = 0;
    p.speed = 0;
    p.airborne = false;
    p.lost = false;
    p.sinkCounter = 15;
    p.inCup = false;
    p.rideArea = 0;
    p.lastArea = -1;
    p.moving = false;
    p.strokes = 0;
    p.highlight = 0;
  }
  session.gameOver = false;
}

}  // namespace quendrix
