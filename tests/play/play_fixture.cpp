#include "play_fixture.h"

namespace quendrix::playdata {

namespace {

constexpr const char* kFlatHole = R"([ball]
x=600
y=450
[course]
par=3
[area1]
kind=5
enabled=1
x1=1000
y1=800
r=8
x2=988
y2=794
comment=course1hole2
)";

constexpr const char* kFirstHole = R"([ball]
x=600
y=450
[course]
par=3
[area1]
kind=5
enabled=1
x1=1000
y1=800
r=8
x2=988
y2=794
comment=course1hole2
[area2]
kind=24
enabled=1
x1=300
y1=700
r=40
p1=200
p2=600
[area3]
kind=26
enabled=1
x1=900
y1=300
r=10
x2=1000
y2=600
x3=1000
y3=590
x4=1000
y4=640
p1=890
p2=290
p3=9
p4=0
)";

constexpr const char* kSmallHole = R"([ball]
x=200
y=150
[course]
par=2
[area1]
kind=5
enabled=1
x1=350
y1=250
r=8
x2=338
y2=244
comment=course1hole3
)";

constexpr const char* kOpenHole = R"([ball]
x=600
y=450
[course]
par=4
)";

struct Shared {
  Shared() {
    WriteInterfaceData(dir.path());
    WriteHole(dir.path(), "training1", kFlatHole);
    WriteHole(dir.path(), "course1hole1", kFirstHole);
    WriteHole(dir.path(), "course1hole2", kSmallHole, HoleArt{400, 300, {}});
    WriteHole(dir.path(), "course2hole1", kOpenHole);
  }
  DataDir dir;
};

}  // namespace

const std::filesystem::path& SharedData() {
  static Shared shared;
  return shared.dir.path();
}

std::unique_ptr<HeadlessPlay> StartPlay(const LaunchSettings& settings, uint64_t seed) {
  auto play = std::make_unique<HeadlessPlay>(settings, SharedData(), seed);
  play->Start();
  return play;
}

LaunchSettings FreshSettings(bool training) {
  LaunchSettings s;
  s.training = training;
  return s;
}

}  // namespace quendrix::playdata
