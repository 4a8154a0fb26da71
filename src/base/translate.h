// The translation function: looks a German text up in the current language's message catalogue
// (GNU gettext, text domain "default"). Without a catalogue or an entry the German text is kept.
#pragma once

#include <string>

namespace zelk {

inline constexpr const char* kTextDomain = "default";

// Where the catalogues lie: DIR/CODE/LC_MESSAGES/default.mo. Set once at start, before a second
// thread exists (see languages.h).
void SetCatalogueDirectory(const std::string& directory);

std::string Translate(const std::string& german);

// Marks a German text that is translated where it is used, not where it is written, so that the
// catalogue's extraction finds it.
constexpr const char* TranslatedLater(const char* german) {
    return german;
}

}  // namespace zelk
