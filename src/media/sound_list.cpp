#include "media/sound_list.h"

#include <algorithm>
#include <stdexcept>

#include "media/byte_io.h"
#include "media/media_error.h"

namespace quendrix {

// ---- Device -----------------------------------------------------------------

TDXSound::~TDXSound() {
  for (auto* list : lists_) {
    list->ReleaseBuffers();
    list->DetachSound();
  }
  if (open_ && device_) device_->Close();
}

void TDXSound::Initialize() {
  Finalize();
  if (!device_) throw MediaError("Form not found");
  const SoundLevel level = (options & soWritePrimary) ? SoundLevel::kWritePrimary
                           : (options & soExclusive)  ? SoundLevel::kExclusive
                                                      : SoundLevel::kNormal;
  if (!device_->Open(level)) {
    device_->Close();
    throw MediaError("Primary Buffer cannot be made");
  }
  open_ = true;
  if (OnInitialize) OnInitialize();
}

void TDXSound::Finalize() {
  if (!open_) return;
  if (OnFinalize) OnFinalize();
  for (auto* list : lists_) list->ReleaseBuffers();
  open_ = false;
  device_->Close();
}

void TDXSound::SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) {
  if (open_) device_->SetPrimaryFormat(samplesPerSec, bitsPerSample, channels);
}

void TDXSound::Attach(TDXWaveList* list) {
  if (std::find(lists_.begin(), lists_.end(), list) == lists_.end()) lists_.push_back(list);
}

void TDXSound::Detach(TDXWaveList* list) {
  lists_.erase(std::remove(lists_.begin(), lists_.end(), list), lists_.end());
}

// ---- Items ------------------------------------------------------------------

TWaveCollectionItem::~TWaveCollectionItem() {
  ReleaseBuffers();
}

SoundDevice* TWaveCollectionItem::OpenDevice() const {
  const TDXSound* sound = owner_ ? owner_->DXSound() : nullptr;
  return sound && sound->Initialized() ? sound->Device() : nullptr;
}

SoundBufferId TWaveCollectionItem::Buffer() {
  SoundDevice* device = OpenDevice();
  if (!device) throw MediaError("TWaveCollectionItem cannot be initialized");
  if (buffer_ == 0 && !wave.Empty()) {
    buffer_ = device->CreateBuffer(wave);
    if (buffer_ != 0 && soundVolume_ != 0) device->SetVolume(buffer_, soundVolume_);
  }
  return buffer_;
}

void TWaveCollectionItem::PlaySound(bool /*wait*/) {
  SoundDevice* device = OpenDevice();
  if (!device || wave.Empty()) return;
  const SoundBufferId own = Buffer();
  if (own == 0) return;
  if (looped) {
    device->Play(own, true);
    return;
  }
  SoundBufferId chosen = 0;
  for (SoundBufferId copy : copies_) {
    if (!device->IsPlaying(copy)) {
      chosen = copy;
      break;
    }
  }
  if (chosen == 0) {
    if (maxPlayingCount == 0 || static_cast<int32_t>(copies_.size()) < maxPlayingCount) {
      chosen = device->DuplicateBuffer(own);
      if (chosen == 0) return;
      copies_.push_back(chosen);
    } else {
      chosen = copies_.front();
      copies_.erase(copies_.begin());
      copies_.push_back(chosen);
    }
  }
  device->Play(chosen, false);
}

void TWaveCollectionItem::StopSound() {
  SoundDevice* device = OpenDevice();
  if (!device) return;
  if (buffer_) device->Stop(buffer_);
  for (SoundBufferId copy : copies_) device->Stop(copy);
}

void TWaveCollectionItem::SetLooped(bool value) {
  if (value == looped) return;
  StopSound();
  looped = value;
}

void TWaveCollectionItem::SetSoundVolume(int32_t hundredthsDb) {
  soundVolume_ = hundredthsDb;
  if (buffer_ != 0)
    if (SoundDevice* device = OpenDevice()) device->SetVolume(buffer_, hundredthsDb);
}

bool TWaveCollectionItem::IsPlaying() const {
  SoundDevice* device = OpenDevice();
  if (!device) return false;
  if (buffer_ && device->IsPlaying(buffer_)) return true;
  return std::any_of(copies_.begin(), copies_.end(),
                     [&](SoundBufferId c) { return device->IsPlaying(c); });
}

void TWaveCollectionItem::ReleaseBuffers() {
  if (SoundDevice* device = OpenDevice()) {
    for (SoundBufferId copy : copies_) device->ReleaseBuffer(copy);
    if (buffer_) device->ReleaseBuffer(buffer_);
  }
  copies_.clear();
  buffer_ = 0;
}

// ---- Collection and list ----------------------------------------------------

TWaveCollectionItem& TWaveCollection::operator[](int32_t index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  return *items_[static_cast<size_t>(index)];
}

const TWaveCollectionItem& TWaveCollection::operator[](int32_t index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  return *items_[static_cast<size_t>(index)];
}

TDXWaveList::TDXWaveList(TDXSound* dxSound) {
  SetDXSound(dxSound);
}

TDXWaveList::~TDXWaveList() {
  Clear();
  if (dxSound_) dxSound_->Detach(this);
}

void TDXWaveList::SetDXSound(TDXSound* dxSound) {
  ReleaseBuffers();
  if (dxSound_) dxSound_->Detach(this);
  dxSound_ = dxSound;
  if (dxSound_) dxSound_->Attach(this);
}

TWaveCollectionItem& TDXWaveList::Add() {
  Items.items_.push_back(std::make_unique<TWaveCollectionItem>(this));
  return *Items.items_.back();
}

void TDXWaveList::Clear() {
  Items.items_.clear();
}

void TDXWaveList::ReleaseBuffers() {
  for (auto& item : Items.items_) item->ReleaseBuffers();
}

void TDXWaveList::LoadListFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  LoadListData(bytes);
}

void TDXWaveList::LoadListData(std::span<const uint8_t> file) {
  Clear();
  std::vector<WaveItemData> read;
  auto take = [&] {
    for (auto& item : read)
      Items.items_.push_back(std::make_unique<TWaveCollectionItem>(this, std::move(item)));
    if (dxSound_ && dxSound_->Initialized())
      for (auto& item : Items.items_) item->Buffer();
  };
  try {
    ReadSoundList(file, read);
  } catch (const MediaError&) {
    take();
    throw;
  }
  take();
}

}  // namespace quendrix
