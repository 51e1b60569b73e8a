// The words the pictures and clips hold, per language. Russian words are
// written in the recipes as they are drawn; the recipes name them through a
// `Words` called `tr` ("tr("Лунка")"), which gives the Russian itself, or
// the translation from the language's catalogue (po/<code>.po, read as it
// stands), so the pictures and the game share one catalogue.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"

namespace quendrix::assetgen {

// msgid -> msgstr (UTF-8) of a .po file: translated entries only, fuzzy and
// obsolete ones left out. Throws std::runtime_error when it cannot be read.
std::map<std::string, std::string> ReadPoFile(const std::string& path);

class Words {
 public:
  // Russian: every word as written.
  Words() = default;
  Words(Language language, std::map<std::string, std::string> catalogue);

  Language language() const { return language_; }
  bool Russian() const { return language_ == Language::kRussian; }
  // The data folder's language folder with a "/" ("en/"), or "" for Russian.
  std::string Folder() const;

  // The word in this language; a text of ASCII alone (a name, a key) as it
  // stands. A word the catalogue lacks stays Russian and is reported once on
  // standard error (the catalogue test fails on it too).
  std::string operator()(const char* russian) const;
  // A text in play, as the language's fonts select its cells: `stored` for
  // Russian, else the translation of `msgid` upper-cased in cp1252.
  std::string PlayCodes(std::string_view stored, const char* msgid) const;

 private:
  Language language_ = Language::kRussian;
  std::map<std::string, std::string> catalogue_;
};

// The languages drawn besides Russian, each with its catalogue from
// `poDir`.
std::vector<Words> OtherLanguages(const std::string& poDir);

}  // namespace quendrix::assetgen
