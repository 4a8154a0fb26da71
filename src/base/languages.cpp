#include "base/languages.h"

#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

// glibc's counter of loaded catalogues: raising it makes gettext forget the translations it has
// looked up so far, which it otherwise keeps per messages locale, whatever the chosen language.
extern "C" int _nl_msg_cat_cntr;

namespace zelk {

namespace fs = std::filesystem;

namespace {

std::string catalogueDirectory;
std::string currentLanguage;

fs::path PathOf(const std::string& utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextOf(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The entry of `folder` whose name equals `name` apart from case ("EN" for "en"); `name` itself
// when there is none.
std::string EntryName(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error)) {
        return name;
    }
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string entry = TextOf(it->path().filename());
        if (Lower(entry) == Lower(name)) {
            return entry;
        }
    }
    return name;
}

fs::path LanguageFolder(const std::string& code) {
    const fs::path directory = PathOf(catalogueDirectory);
    return directory / EntryName(directory, code);
}

// The language of the environment, as "de_DE" from "de_DE.UTF-8@euro".
std::string EnvironmentLanguage() {
    const char* lang = std::getenv("LANG");
    std::string code = lang ? lang : "";
    return code.substr(0, code.find_first_of(".@"));
}

// gettext ignores the chosen language ("LANGUAGE") under the plain C messages locale; the C
// locale with UTF-8 behaves the same in every other respect and lets the choice count.
void LetTheChosenLanguageCount() {
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (messages && std::strcmp(messages, "C") != 0 && std::strcmp(messages, "POSIX") != 0) {
        return;
    }
    for (const char* locale : {"C.UTF-8", "C.utf8", "en_US.UTF-8"}) {
        if (std::setlocale(LC_MESSAGES, locale)) {
            return;
        }
    }
}

}  // namespace

void SetCatalogueDirectory(const std::string& directory) {
    catalogueDirectory = directory;
    LetTheChosenLanguageCount();
    bindtextdomain(kTextDomain, directory.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    // Sets "LANGUAGE" now, while no other thread runs: later choices replace its value in place.
    SelectLanguage(currentLanguage.empty() ? EnvironmentLanguage() : currentLanguage);
}

const std::string& CatalogueDirectory() {
    return catalogueDirectory;
}

void SelectLanguage(const std::string& code) {
    currentLanguage = code;
    const fs::path folder = PathOf(catalogueDirectory);
    std::string search = EntryName(folder, code);
    if (code.size() > 2) {
        // Appended piece by piece: GCC 12 at -O3 reports a false overlap (-Wrestrict) inside the
        // temporary string that `":" + name` would build.
        search += ':';
        search += EntryName(folder, code.substr(0, 2));
    }
    setenv("LANGUAGE", search.c_str(), 1);
    ++_nl_msg_cat_cntr;
}

std::string CurrentLanguage() {
    return currentLanguage.empty() ? EnvironmentLanguage() : currentLanguage;
}

std::vector<std::string> ListLanguages(const std::string& domain) {
    std::vector<std::string> codes;
    std::error_code error;
    const fs::path folder = PathOf(catalogueDirectory);
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (!fs::is_regular_file(it->path() / "LC_MESSAGES" / (domain + ".mo"), ignored)) {
            continue;
        }
        std::string code = Lower(TextOf(it->path().filename()));
        if (std::find(codes.begin(), codes.end(), code) == codes.end()) {
            codes.push_back(code);
        }
    }
    return codes;
}

std::string LanguageCaption(const std::string& code) {
    const fs::path folder = LanguageFolder(code);
    std::ifstream file(folder / EntryName(folder, code + ".txt"), std::ios::binary);
    std::string line;
    if (!file || !std::getline(file, line)) {
        return code;
    }
    if (line.rfind("\xEF\xBB\xBF", 0) == 0) {
        line.erase(0, 3);  // the byte order mark of a text saved as UTF-8
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line.empty() ? code : line;  // an empty caption would leave nothing to click
}

std::string LanguagePicture(const std::string& code) {
    const fs::path folder = LanguageFolder(code);
    for (const char* extension : {".bmp", ".png"}) {
        fs::path picture = folder / EntryName(folder, code + extension);
        std::error_code ignored;
        if (fs::is_regular_file(picture, ignored)) {
            return TextOf(picture);
        }
    }
    return "";
}

}  // namespace zelk
