// The sound device component and sound lists. Items play by index through
// the device; one short sound may overlap itself up to its cap.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "media/list_file.h"
#include "media/sound_device.h"

namespace quendrix {

class TDXWaveList;

// Option flags, bit 0 first: append only.
enum TDXSoundOption : uint32_t {
  soGlobalFocus = 1u << 0,
  soStickyFocus = 1u << 1,
  soExclusive = 1u << 2,
  soWritePrimary = 1u << 3,
};
using TDXSoundOptions = uint32_t;

class TDXSound {
 public:
  explicit TDXSound(SoundDevice* device = nullptr) : device_(device) {}
  ~TDXSound();
  TDXSound(const TDXSound&) = delete;
  TDXSound& operator=(const TDXSound&) = delete;

  void SetDevice(SoundDevice* device) { device_ = device; }
  SoundDevice* Device() const { return device_; }

  TDXSoundOptions options = 0;

  // Closes first; opens the device at the write-primary, else exclusive,
  // else normal level; runs OnInitialize. Errors: "Form not found" without a
  // device, "Primary Buffer cannot be made" when the mixer will not open
  // (the device stays closed).
  void Initialize();
  // Runs OnFinalize, releases every list's buffers and the device.
  void Finalize();
  bool Initialized() const { return open_; }
  // The play screen asks for 22050, 16, 1.
  void SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels);

  std::function<void()> OnInitialize;
  std::function<void()> OnFinalize;

  void Attach(TDXWaveList* list);
  void Detach(TDXWaveList* list);

 private:
  SoundDevice* device_ = nullptr;
  bool open_ = false;
  std::vector<TDXWaveList*> lists_;
};

class TWaveCollectionItem : public WaveItemData {
 public:
  explicit TWaveCollectionItem(TDXWaveList* owner, WaveItemData data = {})
      : WaveItemData(std::move(data)), owner_(owner) {}
  ~TWaveCollectionItem();
  TWaveCollectionItem(const TWaveCollectionItem&) = delete;
  TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

  // Starts the sound from its beginning. Looped: the item's own buffer loops.
  // Otherwise the first idle copy plays; with none idle a new copy is made
  // while under MaxPlayingCount (0 = no cap), else the oldest copy is cut
  // off, moved to the end and restarted. Nothing happens while the sound
  // device is closed or the item has no sound. `wait` is accepted and ignored.
  void PlaySound(bool wait = false);
  // Stops the own buffer and every copy.
  void StopSound();

  bool Looped() const { return looped; }
  // A change stops the item first.
  void SetLooped(bool value);
  int32_t MaxPlayingCount() const { return maxPlayingCount; }
  void SetMaxPlayingCount(int32_t value) { maxPlayingCount = value < 0 ? 0 : value; }
  // Hundredths of a decibel; applied to the own buffer now or when it is made.
  // Copies take the own buffer's volume when they are made.
  int32_t SoundVolume() const { return soundVolume_; }
  void SetSoundVolume(int32_t hundredthsDb);

  // The item's own buffer, made on first use. Throws MediaError
  // "TWaveCollectionItem cannot be initialized" while the device is closed;
  // 0 for an item without sound.
  SoundBufferId Buffer();
  // Copies made so far, oldest first.
  const std::vector<SoundBufferId>& Copies() const { return copies_; }
  bool IsPlaying() const;
  // Forgets every buffer (the device is closing or the list reloading).
  void ReleaseBuffers();

 private:
  SoundDevice* OpenDevice() const;

  TDXWaveList* owner_;
  int32_t soundVolume_ = 0;
  SoundBufferId buffer_ = 0;
  std::vector<SoundBufferId> copies_;
};

class TWaveCollection {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Throws std::out_of_range for an index outside 0 ... Count()-1.
  TWaveCollectionItem& operator[](int32_t index);
  const TWaveCollectionItem& operator[](int32_t index) const;

 private:
  friend class TDXWaveList;
  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
};

class TDXWaveList {
 public:
  explicit TDXWaveList(TDXSound* dxSound = nullptr);
  ~TDXWaveList();
  TDXWaveList(const TDXWaveList&) = delete;
  TDXWaveList& operator=(const TDXWaveList&) = delete;

  void SetDXSound(TDXSound* dxSound);
  TDXSound* DXSound() const { return dxSound_; }

  TWaveCollection Items;
  TWaveCollectionItem& Add();
  void Clear();

  // Replaces every item by the file's (errors as for image lists). With the
  // sound device open each item's own buffer is made at once.
  void LoadListFile(const std::string& path);
  void LoadListData(std::span<const uint8_t> file);

  // Called by the sound device as it closes.
  void ReleaseBuffers();
  void DetachSound() { dxSound_ = nullptr; }

 private:
  TDXSound* dxSound_ = nullptr;
};

}  // namespace quendrix
