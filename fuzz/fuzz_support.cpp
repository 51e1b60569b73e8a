#include "fuzz_support.h"

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace quendrix::fuzz {

namespace {

namespace fs = std::filesystem;

struct Scratch {
  fs::path folder;
  Scratch() {
    std::error_code error;
    const fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
    folder = base / ("quendrix-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  ~Scratch() {
    std::error_code error;
    fs::remove_all(folder, error);
  }
};

int g_budgetMs = 0;  // of the deadline being armed, for the message

void OnDeadline(int) {
  char text[160];
  const int n = std::snprintf(text, sizeof text,
                              "==%d== ERROR: input used more than %d ms of CPU time "
                              "(a hang or runaway work)\n",
                              static_cast<int>(::getpid()), g_budgetMs);
  if (n > 0) (void)::write(2, text, static_cast<size_t>(n));
  std::abort();
}

timer_t CpuTimer() {
  static timer_t timer = [] {
    struct sigaction action {};
    action.sa_handler = OnDeadline;
    sigemptyset(&action.sa_mask);
    sigaction(SIGVTALRM, &action, nullptr);
    sigevent event{};
    event.sigev_notify = SIGEV_SIGNAL;
    event.sigev_signo = SIGVTALRM;
    timer_t t{};
    if (timer_create(CLOCK_PROCESS_CPUTIME_ID, &event, &t) != 0) {
      std::perror("timer_create");
      std::abort();
    }
    return t;
  }();
  return timer;
}

void Arm(int ms) {
  itimerspec spec{};
  spec.it_value.tv_sec = ms / 1000;
  spec.it_value.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  timer_settime(CpuTimer(), 0, &spec, nullptr);
}

}  // namespace

const fs::path& ScratchFolder() {
  static const Scratch scratch;
  return scratch.folder;
}

fs::path WriteScratchFile(std::string_view name, const uint8_t* data, size_t size) {
  const fs::path path = ScratchFolder() / fs::path(std::string(name));
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    std::abort();
  }
  return path;
}

fs::path DataFolder() {
  if (const char* dir = std::getenv("QUENDRIX_FUZZ_DATA"); dir != nullptr && dir[0] != '\0')
    return dir;
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error).parent_path();
}

void Finding(const char* what) {
  std::fprintf(stderr, "==%d== ERROR: %s\n", static_cast<int>(::getpid()), what);
  std::abort();
}

InputDeadline::InputDeadline(int milliseconds) {
  static const int override = [] {
    const char* text = std::getenv("QUENDRIX_FUZZ_DEADLINE_MS");
    return text != nullptr && text[0] != '\0' ? std::atoi(text) : -1;
  }();
  g_budgetMs = override >= 0 ? override : milliseconds;
  if (g_budgetMs > 0) Arm(g_budgetMs);
}

InputDeadline::~InputDeadline() {
  if (g_budgetMs > 0) Arm(0);
}

}  // namespace quendrix::fuzz
