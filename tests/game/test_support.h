// Shared pieces of the game tests: a session with recorded events, and hole
// files written from text.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/effects.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"
#include "media/image_list.h"

namespace quendrix::testing {

class RecordingEvents final : public GameEvents {
 public:
  void PlaySound(int32_t index) override { sounds.push_back(index); }
  void PlayBackgroundSound(int32_t index) override { bgSounds.push_back(index); }
  void SetSoundVolume(int32_t index, int32_t hundredthsDb) override {
    volumes.push_back({index, hundredthsDb});
  }
  void TurnEnded() override { ++turnsEnded; }
  bool Played(EffectSound sound) const {
    for (int32_t s : sounds)
      if (s == ItemIndex(sound)) return true;
    return false;
  }
  void Clear() {
    sounds.clear();
    bgSounds.clear();
    volumes.clear();
    turnsEnded = 0;
  }
  struct Volume {
    int32_t index;
    int32_t hundredthsDb;
  };
  std::vector<int32_t> sounds, bgSounds;
  std::vector<Volume> volumes;
  int turnsEnded = 0;
};

// A session of `players` balls, all in play, with the per-hole reset done.
struct Table {
  explicit Table(int32_t players = 1, uint64_t seed = 1) {
    session = std::make_unique<GameSession>(settings, &events, seed);
    session->playerCount = players;
    ResetPlayersForHole(*session);
    ClearCourseEffects(*session);
    ResetParticles(*session);
    for (int32_t p = 1; p <= players; ++p) session->players[p].inPlay = true;
  }
  GameSession& s() { return *session; }
  playerrec& ball(int32_t p = 1) { return session->players[p]; }

  // Loads hole text and puts every ball in play again.
  void Load(std::string_view text) {
    LoadHoleText(*session, text);
    ResetPlayersForHole(*session);
    for (int32_t p = 1; p <= session->playerCount; ++p) session->players[p].inPlay = true;
  }

  // Puts a ball at rest at (x, y) with its marks there.
  void Place(int32_t p, double x, double y) {
    playerrec& b = ball(p);
    b.x = b.prevX = b.safeX = x;
    b.y = b.prevY = b.safeY = y;
    b.z = 0;
  }

  // Shoots ball p the way a released putt does.
  void Shoot(int32_t p, int32_t direction, double speed);

  LaunchSettings settings;
  RecordingEvents events;
  std::unique_ptr<GameSession> session;
};

// "[areaN]" with enabled=1 and the given space-separated keys.
std::string AreaText(int n, const std::string& keys);

// Appends an item of `patterns` patterns of w x h side by side, pattern k
// filled with colours[k % size] (black is the colour key), and builds its
// surface without a drawing device.
TPictureCollectionItem& AddPicture(TDXImageList& list, int32_t w, int32_t h, int32_t patterns,
                                   const std::vector<TColor>& colours);

// A scratch folder under the system's temporary directory, removed at the end.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  const std::filesystem::path& path() const { return path_; }
  void Write(const std::string& name, std::string_view bytes) const;

 private:
  std::filesystem::path path_;
};

}  // namespace quendrix::testing
