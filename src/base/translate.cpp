#include "base/translate.h"

#include <libintl.h>

namespace zelk {

std::string Translate(const std::string& german) {
    if (german.empty()) {
        return german;  // gettext would answer the catalogue header for an empty id
    }
    return dgettext(kTextDomain, german.c_str());
}

}  // namespace zelk
