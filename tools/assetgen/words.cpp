#include "words.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <set>
#include <stdexcept>

#include "game/play_texts.h"

namespace quendrix::assetgen {
namespace {

// The text of a quoted .po string: "a\"b\n" -> a"b and a newline.
std::string Unquote(std::string_view line) {
  const size_t open = line.find('"');
  const size_t close = line.rfind('"');
  std::string out;
  if (open == std::string_view::npos || close <= open) return out;
  for (size_t i = open + 1; i < close; ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < close) {
      c = line[++i];
      if (c == 'n') c = '\n';
      if (c == 't') c = '\t';
    }
    out += c;
  }
  return out;
}

}  // namespace

std::map<std::string, std::string> ReadPoFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::map<std::string, std::string> out;
  std::string msgctxt, msgid, msgstr, line;
  std::string* field = nullptr;
  bool fuzzy = false;
  auto flush = [&] {
    if (!msgid.empty() && !msgstr.empty() && !fuzzy && msgctxt.empty()) out[msgid] = msgstr;
    msgctxt.clear();
    msgid.clear();
    msgstr.clear();
    field = nullptr;
    fuzzy = false;
  };
  while (std::getline(in, line)) {
    if (line.rfind("#,", 0) == 0) {
      if (field == &msgstr) flush();
      if (line.find("fuzzy") != std::string::npos) fuzzy = true;
    } else if (line.rfind("msgctxt ", 0) == 0) {
      flush();
      field = &msgctxt;
      *field = Unquote(line);
    } else if (line.rfind("msgid ", 0) == 0) {
      if (field == &msgstr) flush();
      field = &msgid;
      *field = Unquote(line);
    } else if (line.rfind("msgstr ", 0) == 0) {
      field = &msgstr;
      *field = Unquote(line);
    } else if (!line.empty() && line[0] == '"' && field != nullptr) {
      *field += Unquote(line);
    } else if (line.empty() || line[0] == '#') {
      if (field == &msgstr) flush();
    }
  }
  flush();
  return out;
}

Words::Words(Language language, std::map<std::string, std::string> catalogue)
    : language_(language), catalogue_(std::move(catalogue)) {}

std::string Words::Folder() const {
  return Russian() ? std::string() : std::string(LanguageCode(language_)) + "/";
}

std::string Words::operator()(const char* russian) const {
  // Names, key names and numbers read the same in every language.
  const std::string_view text(russian);
  const bool plain = std::all_of(text.begin(), text.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (Russian() || plain) return russian;
  const auto it = catalogue_.find(russian);
  if (it != catalogue_.end()) return it->second;
  static std::mutex lock;
  static std::set<std::string> reported;
  std::lock_guard<std::mutex> guard(lock);
  if (reported.insert(std::string(LanguageCode(language_)) + russian).second)
    std::fprintf(stderr, "assetgen: no %s words for \"%s\"\n",
                 std::string(LanguageCode(language_)).c_str(), russian);
  return russian;
}

std::string Words::PlayCodes(std::string_view stored, const char* msgid) const {
  if (Russian()) return std::string(stored);
  return PlayTextFor(language_, stored, (*this)(msgid).c_str(), false);
}

std::vector<Words> OtherLanguages(const std::string& poDir) {
  std::vector<Words> out;
  for (Language language : {Language::kEnglish, Language::kGerman})
    out.emplace_back(language,
                     ReadPoFile(poDir + "/" + std::string(LanguageCode(language)) + ".po"));
  return out;
}

}  // namespace quendrix::assetgen
