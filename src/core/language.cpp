#include "core/language.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace quendrix {

namespace {

Language current = Language::kRussian;

bool IsCLocale(std::string_view value) {
  const std::string_view base = value.substr(0, value.find_first_of(".@"));
  return base == "C" || base == "POSIX";
}

// A language's code as the locale value spells it ("de" of "de_DE.UTF-8").
std::string_view CodeOf(std::string_view value) {
  return value.substr(0, value.find_first_of("_.@"));
}

// The locale lookups of the messages' category; the rest keep the C rules.
void SetMessagesLocale() {
  const char* set = std::setlocale(LC_MESSAGES, "");
  if (set == nullptr || IsCLocale(set)) std::setlocale(LC_MESSAGES, "C.UTF-8");
}

}  // namespace

std::string_view LanguageCode(Language language) {
  switch (language) {
    case Language::kEnglish:
      return "en";
    case Language::kGerman:
      return "de";
    case Language::kRussian:
      break;
  }
  return "ru";
}

bool LanguageOfLocale(std::string_view value, Language& out) {
  if (value.empty()) return false;
  const std::string_view code = CodeOf(value);
  if (IsCLocale(value) || code == "ru") {
    out = Language::kRussian;
  } else if (code == "de") {
    out = Language::kGerman;
  } else {
    out = Language::kEnglish;
  }
  return true;
}

Language LanguageFromEnvironment(const std::function<const char*(const char*)>& get) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* raw = get(name);
    std::string_view value = raw == nullptr ? std::string_view() : raw;
    if (value.empty()) continue;
    if (std::strcmp(name, "LANGUAGE") != 0) {
      Language language = Language::kRussian;
      LanguageOfLocale(value, language);
      return language;
    }
    // A list of preferences: the first that has a translation (or is the
    // game's own language) wins.
    bool any = false;
    while (!value.empty()) {
      const size_t colon = value.find(':');
      const std::string_view entry = value.substr(0, colon);
      value = colon == std::string_view::npos ? std::string_view() : value.substr(colon + 1);
      Language language = Language::kRussian;
      if (!LanguageOfLocale(entry, language)) continue;
      any = true;
      const std::string_view code = CodeOf(entry);
      if (IsCLocale(entry) || code == "ru" || code == "en" || code == "de") return language;
    }
    if (any) return Language::kEnglish;
  }
  return Language::kRussian;
}

Language CurrentLanguage() {
  return current;
}

void SetLanguage(Language language, const std::filesystem::path& localeDir) {
  // The user's LANGUAGE, as it was before the first choice changed it.
  static bool changed = false;
  static std::optional<std::string> users;
  current = language;
  if (language == Language::kRussian) {
    // Nothing is looked up; the programs this one starts see what it saw.
    if (changed) {
      if (users) {
        setenv("LANGUAGE", users->c_str(), 1);
      } else {
        unsetenv("LANGUAGE");
      }
      changed = false;
    }
    return;
  }
  SetMessagesLocale();
  if (!changed) {
    const char* value = getenv("LANGUAGE");
    users = value == nullptr ? std::nullopt : std::optional<std::string>(value);
    changed = true;
  }
  // gettext reads LANGUAGE on every lookup; it names the choice made here,
  // whatever the user's variables said.
  setenv("LANGUAGE", std::string(LanguageCode(language)).c_str(), 1);
  if (!localeDir.empty()) bindtextdomain(kTextDomain, localeDir.c_str());
  bind_textdomain_codeset(kTextDomain, "UTF-8");
}

Language StartLanguage(const std::filesystem::path& programDir) {
  const Language language = LanguageFromEnvironment([](const char* name) { return getenv(name); });
  SetLanguage(language, LocaleDirFor(programDir));
  return language;
}

std::filesystem::path LocaleDirFor(const std::filesystem::path& programDir) {
  std::error_code error;
  const std::filesystem::path beside = programDir / "locale";
  if (std::filesystem::is_directory(beside, error)) return beside;
  return programDir / ".." / "share" / "locale";
}

const char* Tr(const char* msgid) {
  if (current == Language::kRussian || msgid == nullptr || *msgid == '\0') return msgid;
  return dgettext(kTextDomain, msgid);
}

bool HasTranslation(const char* msgid) {
  return current != Language::kRussian && msgid != nullptr && *msgid != '\0' && Tr(msgid) != msgid;
}

std::string TranslateMessage(std::string_view utf8) {
  if (current == Language::kRussian) return std::string(utf8);
  std::string out;
  while (true) {
    const size_t newline = utf8.find('\n');
    std::string_view line = utf8.substr(0, newline);
    // A message about a name, "Failed to get data for 'Player 2'", by its
    // pattern "Failed to get data for '%s'".
    const size_t quote = line.find(" '");
    if (quote != std::string_view::npos && line.size() > quote + 2 && line.back() == '\'') {
      const std::string pattern = std::string(line.substr(0, quote)) + " '%s'";
      const std::string translated = HasTranslation(pattern.c_str()) ? Tr(pattern.c_str()) : "";
      const size_t slot = translated.find("%s");
      if (slot != std::string::npos) {
        out += translated.substr(0, slot);
        out += line.substr(quote + 2, line.size() - quote - 3);
        out += translated.substr(slot + 2);
        line = {};
      }
    }
    // The whole line, else its longest beginning that ends before a blank
    // or a quote.
    for (size_t end = line.size(); end > 0; --end) {
      if (end < line.size() && line[end] != ' ' && line[end] != '"' && line[end] != '\'') continue;
      const std::string head(line.substr(0, end));
      if (!HasTranslation(head.c_str())) continue;
      out += Tr(head.c_str());
      line.remove_prefix(end);
      break;
    }
    out += line;
    if (newline == std::string_view::npos) break;
    out += '\n';
    utf8.remove_prefix(newline + 1);
  }
  return out;
}

std::string_view LanguageFolder() {
  return current == Language::kRussian ? std::string_view() : LanguageCode(current);
}

std::filesystem::path LanguageVariant(const std::filesystem::path& dataDir,
                                      const std::filesystem::path& relative) {
  const std::string_view folder = LanguageFolder();
  if (!folder.empty()) {
    std::filesystem::path local = dataDir / folder / relative;
    std::error_code error;
    if (std::filesystem::is_regular_file(local, error)) return local;
  }
  return dataDir / relative;
}

}  // namespace quendrix
