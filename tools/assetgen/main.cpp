// assetgen: builds the game's data folder from the sources in assets/.
//
//   assetgen --assets DIR --out DATA_DIR [--preview DIR] [--only gui,menu,...]
//            [--po DIR]
//
// --po: the catalogues whose words the other languages' pictures take
// (default: "po" beside the assets folder); "none" draws Russian only.
//
// Same sources, same bytes: every run writes identical files.
#include <chrono>
#include <cstdio>
#include <exception>
#include <sstream>
#include <string>
#include <vector>

#include "draw.h"
#include "generator.h"
#include "preview.h"
#include "writer.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: assetgen --assets DIR --out DATA_DIR [--preview DIR] [--only a,b,...]"
               " [--po DIR|none]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace quendrix::assetgen;
  Sources sources;
  std::string out, preview, po;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    std::string value = argv[++i];
    if (arg == "--assets") {
      sources.assetsDir = value;
    } else if (arg == "--out") {
      out = value;
    } else if (arg == "--po") {
      po = value;
    } else if (arg == "--preview") {
      preview = value;
    } else if (arg == "--only") {
      std::stringstream ss(value);
      for (std::string name; std::getline(ss, name, ',');)
        if (!name.empty()) only.push_back(name);
    } else {
      return Usage();
    }
  }
  if (sources.assetsDir.empty() || out.empty()) return Usage();
  int status = 0;
  try {
    auto start = std::chrono::steady_clock::now();
    if (po.empty()) po = sources.assetsDir + "/../po";
    if (po != "none") sources.languages = OtherLanguages(po);
    DataSet data = Generate(sources, only);
    uint64_t bytes = WriteDataSet(data, out);
    if (!preview.empty()) WritePreviews(data, sources, preview);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %zu image lists, %zu sound lists, %zu bitmaps, %.1f MB in %.1f s\n",
                data.imageLists.size(), data.waveLists.size(), data.bitmaps.size(),
                bytes / 1048576.0, seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "assetgen: %s\n", e.what());
    status = 1;
  }
  ShutdownFonts();
  return status;
}
