#include "test_support.h"

#include <fstream>
#include <random>

#include "game/ball_motion.h"

namespace quendrix::testing {

void Table::Shoot(int32_t p, int32_t direction, double speed) {
  ball(p).direction = direction;
  ball(p).speed = speed;
  StartShot(*session, p, true);
}

ScratchDir::ScratchDir() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("quendrix-test-" + std::to_string(device()) + "-" + std::to_string(device()));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

void ScratchDir::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quendrix::testing
