// The language the game speaks, chosen once at start-up from the locale
// variables, and the catalogue lookups behind every text a player reads.
//
// Russian is the game's own language: its texts are the ones in the source
// and its data the shared files, so nothing is looked up. English and German
// come from gettext catalogues ("quendrix.mo"); their pictures and clips from
// a language folder of the data ("en/", "de/") that loaders read before the
// shared file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quendrix {

enum class Language : uint8_t { kRussian, kEnglish, kGerman };

// The catalogues' text domain.
inline constexpr const char* kTextDomain = "quendrix";

// A language's code: "ru", "en", "de".
std::string_view LanguageCode(Language language);

// The language of one locale value ("de_DE.UTF-8", "en", "C", ...): Russian
// for "ru" and for the C / POSIX locale (C.UTF-8 too), German for "de",
// English for "en" and every language without a translation. False for an
// empty value, which decides nothing.
bool LanguageOfLocale(std::string_view value, Language& out);

// The language the variables choose: the first of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG that is set and not empty decides (LANGUAGE is a
// list, "fr:de": its first entry with a translation, or Russian's, wins,
// else English). None set: Russian, as for the C locale. `get` returns a
// variable's value or nullptr.
Language LanguageFromEnvironment(const std::function<const char*(const char*)>& get);

// The language of the run; Russian until SetLanguage or StartLanguage.
Language CurrentLanguage();

// Makes `language` current and, for any but Russian, reads its catalogue
// from `localeDir` (<localeDir>/<code>/LC_MESSAGES/quendrix.mo). gettext
// ignores the catalogues in the C locale, and the user's locale may not be
// generated on this system (setlocale fails): then the messages' locale
// becomes C.UTF-8, and LANGUAGE names the chosen language, so the choice
// never depends on what locales the system has (Russian gives LANGUAGE
// back as the user had it). Only the messages' category changes: numbers
// and text keep the C rules.
void SetLanguage(Language language, const std::filesystem::path& localeDir = {});

// Start-up, once, in one place: the language of the environment, made
// current with the catalogues of the program in `programDir`.
Language StartLanguage(const std::filesystem::path& programDir);

// Where the catalogues of a program in `programDir` lie: "locale" beside it
// in a build tree, else "../share/locale" from it (an installed game).
std::filesystem::path LocaleDirFor(const std::filesystem::path& programDir);

// A text in the current language (UTF-8 in, UTF-8 out): the catalogue's
// translation, or `msgid` itself (Russian, or no entry). The result lives
// as long as the program.
const char* Tr(const char* msgid);
// True when the current language's catalogue has an entry for `msgid`.
bool HasTranslation(const char* msgid);
// Marks a text for the catalogue where it is only named, not yet looked up.
#define TrNoop(text) text

// An error box's text (UTF-8) in the current language, line by line: a line
// that is a catalogue entry is translated; otherwise its longest beginning
// that is one, up to a blank or a quote, is ("Cannot open file" of
// "Cannot open file "x". No such file"), the rest kept as it stands.
std::string TranslateMessage(std::string_view utf8);

// The data folder's language folder, "en" or "de"; empty for Russian, whose
// data is the shared files.
std::string_view LanguageFolder();
// `relative` (a path inside `dataDir`) in the current language's folder
// when that file exists there, else the shared file.
std::filesystem::path LanguageVariant(const std::filesystem::path& dataDir,
                                      const std::filesystem::path& relative);

}  // namespace quendrix
