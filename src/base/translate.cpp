#include "base/translate.h"

#include <libintl.h>

namespace zelk {

void SetCatalogueDirectory(const std::string& directory) {
    bindtextdomain(kTextDomain, directory.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
}

std::string Translate(const std::string& german) {
    if (german.empty()) {
        return german;  // gettext would answer the catalogue header for an empty id
    }
    return dgettext(kTextDomain, german.c_str());
}

}  // namespace zelk
