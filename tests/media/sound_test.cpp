#include <gtest/gtest.h>

#include "media/list_file.h"
#include "media/media_error.h"
#include "media/sound_list.h"

namespace quendrix {
namespace {

using Event = SilentSoundDevice::Event;

// 100 ms of 16-bit mono at 1000 samples per second.
Wave ShortWave() {
  return Wave::FromPcm16(1000, 1, std::vector<int16_t>(100, 5));
}

struct Rig {
  SilentSoundDevice device;
  TDXSound sound{&device};
  TDXWaveList list{&sound};

  TWaveCollectionItem& AddItem(int32_t cap, bool looped = false, bool withWave = true) {
    auto& item = list.Add();
    item.SetMaxPlayingCount(cap);
    item.SetLooped(looped);
    if (withWave) item.wave = ShortWave();
    return item;
  }
};

int CountEvents(const SilentSoundDevice& d, Event::Kind kind) {
  int n = 0;
  for (const auto& e : d.Events()) n += e.kind == kind;
  return n;
}

TEST(TDXSound, OpensAtTheLevelTheOptionsAskFor) {
  Rig r;
  r.sound.options = soExclusive;
  int inits = 0;
  r.sound.OnInitialize = [&] {
    ++inits;
    r.sound.SetPrimaryFormat(22050, 16, 1);
  };
  r.sound.Initialize();
  EXPECT_EQ(inits, 1);
  EXPECT_EQ(r.device.Level(), SoundLevel::kExclusive);
  EXPECT_EQ(r.device.PrimaryRate(), 22050u);
  EXPECT_EQ(r.device.PrimaryBits(), 16);
  EXPECT_EQ(r.device.PrimaryChannels(), 1);
  r.sound.options = soExclusive | soWritePrimary;
  r.sound.Initialize();
  EXPECT_EQ(r.device.Level(), SoundLevel::kWritePrimary);
  r.sound.options = soGlobalFocus;
  r.sound.Initialize();
  EXPECT_EQ(r.device.Level(), SoundLevel::kNormal);
  r.sound.Finalize();
  EXPECT_FALSE(r.device.IsOpen());
}

TEST(TDXSound, ReportsAMissingDeviceAndAFailedPrimaryBuffer) {
  TDXSound none;
  try {
    none.Initialize();
    FAIL();
  } catch (const MediaError& e) {
    EXPECT_STREQ(e.what(), "Form not found");
  }
  Rig r;
  r.device.failPrimaryBuffer = true;
  try {
    r.sound.Initialize();
    FAIL();
  } catch (const MediaError& e) {
    EXPECT_STREQ(e.what(), "Primary Buffer cannot be made");
  }
  EXPECT_FALSE(r.sound.Initialized());
  EXPECT_FALSE(r.device.IsOpen());
}

TEST(WaveItem, PlaysNothingWhileClosedOrWithoutSound) {
  Rig r;
  auto& item = r.AddItem(0);
  item.PlaySound(false);  // device closed: quietly nothing
  EXPECT_EQ(r.device.BufferCount(), 0);
  EXPECT_THROW(item.Buffer(), MediaError);
  r.sound.Initialize();
  auto& empty = r.AddItem(0, false, false);
  empty.PlaySound(false);
  EXPECT_EQ(r.device.PlayingCount(), 0);
  EXPECT_EQ(empty.Buffer(), 0);
}

TEST(WaveItem, UncappedCopiesOverlap) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.AddItem(0);
  item.PlaySound(false);
  item.PlaySound(false);
  item.PlaySound(false);
  EXPECT_EQ(item.Copies().size(), 3u);
  EXPECT_EQ(r.device.PlayingCount(), 3);
  r.device.FinishAll();
  item.PlaySound(false);  // an idle copy is reused, no new one made
  EXPECT_EQ(item.Copies().size(), 3u);
  EXPECT_EQ(r.device.PlayingCount(), 1);
  // The own buffer is the template, never played for a one-shot sound.
  EXPECT_FALSE(r.device.IsPlaying(item.Buffer()));
}

TEST(WaveItem, ACapOfOneRestartsTheSameCopy) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.AddItem(1);
  item.PlaySound(false);
  const SoundBufferId first = item.Copies().front();
  r.device.ClearEvents();
  item.PlaySound(false);
  ASSERT_EQ(item.Copies().size(), 1u);
  EXPECT_EQ(item.Copies().front(), first);
  EXPECT_EQ(r.device.Events(), (std::vector<Event>{{Event::kPlay, first, 0}}));
  EXPECT_EQ(r.device.PlayingCount(), 1);
}

TEST(WaveItem, OverTheCapTheOldestCopyIsCutOffAndMovedToTheEnd) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.AddItem(2);
  item.PlaySound(false);
  r.device.Advance(30);
  item.PlaySound(false);
  const SoundBufferId a = item.Copies()[0], b = item.Copies()[1];
  r.device.Advance(30);
  item.PlaySound(false);  // both busy, cap reached: a restarts and goes last
  EXPECT_EQ(item.Copies(), (std::vector<SoundBufferId>{b, a}));
  r.device.Advance(75);  // b (105 ms in) has ended; a (75 ms in) plays on
  EXPECT_FALSE(r.device.IsPlaying(b));
  EXPECT_TRUE(r.device.IsPlaying(a));
  item.PlaySound(false);  // the idle copy b is taken; order is kept
  EXPECT_EQ(item.Copies(), (std::vector<SoundBufferId>{b, a}));
  EXPECT_EQ(CountEvents(r.device, Event::kDuplicate), 2);
}

TEST(WaveItem, LoopedSoundsUseTheOwnBufferAndChangingLoopedStops) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.AddItem(0, true);
  item.PlaySound(false);
  item.PlaySound(false);
  EXPECT_TRUE(item.Copies().empty());
  EXPECT_TRUE(r.device.IsPlaying(item.Buffer()));
  r.device.Advance(100000);
  EXPECT_TRUE(item.IsPlaying());  // loops do not end
  item.SetLooped(true);           // no change: keeps playing
  EXPECT_TRUE(item.IsPlaying());
  item.SetLooped(false);
  EXPECT_FALSE(item.IsPlaying());
  item.PlaySound(false);
  item.StopSound();
  EXPECT_EQ(r.device.PlayingCount(), 0);
}

TEST(WaveItem, VolumeGoesToTheOwnBufferAndNewCopiesTakeIt) {
  Rig r;
  r.sound.Initialize();
  auto& item = r.AddItem(0);
  item.SetSoundVolume(-700);  // no buffer yet: stored
  EXPECT_EQ(r.device.BufferCount(), 0);
  item.PlaySound(false);
  EXPECT_EQ(r.device.Volume(item.Buffer()), -700);
  EXPECT_EQ(r.device.Volume(item.Copies()[0]), -700);
  item.SetSoundVolume(-100);
  EXPECT_EQ(r.device.Volume(item.Buffer()), -100);
  EXPECT_EQ(r.device.Volume(item.Copies()[0]), -700);  // existing copies keep theirs
  item.PlaySound(false);
  EXPECT_EQ(r.device.Volume(item.Copies()[1]), -100);
  EXPECT_EQ(item.SoundVolume(), -100);
}

TEST(WaveList, LoadingMakesBuffersWhenOpenAndClosingReleasesThem) {
  Rig r;
  std::vector<WaveItemData> items(3);
  items[0].wave = ShortWave();
  items[0].looped = true;
  items[1].wave = ShortWave();
  items[1].maxPlayingCount = 2;
  const auto bytes = EncodeSoundList(items);
  r.list.LoadListData(bytes);  // closed: buffers come on first use
  EXPECT_EQ(r.device.BufferCount(), 0);
  r.sound.Initialize();
  r.list.LoadListData(bytes);
  ASSERT_EQ(r.list.Items.Count(), 3);
  EXPECT_EQ(r.device.BufferCount(), 2);  // the empty third item has none
  EXPECT_TRUE(r.list.Items[0].Looped());
  EXPECT_EQ(r.list.Items[1].MaxPlayingCount(), 2);
  r.list.Items[1].PlaySound(false);
  r.list.Items[2].PlaySound(false);
  EXPECT_EQ(r.device.PlayingCount(), 1);
  r.list.LoadListData(bytes);  // reloading drops the old buffers
  EXPECT_EQ(r.device.BufferCount(), 2);
  r.sound.Finalize();
  EXPECT_EQ(r.device.BufferCount(), 0);
  EXPECT_EQ(r.list.Items[0].Copies().size(), 0u);
  r.list.Items[0].PlaySound(false);  // closed again: nothing, no error
  EXPECT_THROW(r.list.LoadListFile("/nonexistent/sound.dxw"), FileError);
  EXPECT_EQ(r.list.Items.Count(), 3);  // a missing file leaves the list alone
}

TEST(WaveItem, NegativeCapIsStoredAsZero) {
  Rig r;
  auto& item = r.AddItem(-3);
  EXPECT_EQ(item.MaxPlayingCount(), 0);
}

}  // namespace
}  // namespace quendrix
