#include "base/errors.h"

#include "base/dialogs.h"
#include "base/translate.h"

namespace zelk {

std::string Insert(const std::string& pattern, std::initializer_list<std::string> values) {
    std::string result;
    auto next = values.begin();
    for (size_t i = 0; i < pattern.size(); ++i) {
        bool mark = pattern[i] == '%' && i + 1 < pattern.size() &&
                    (pattern[i + 1] == 's' || pattern[i + 1] == 'd');
        if (mark && next != values.end()) {
            result += *next++;
            ++i;
        } else {
            result += pattern[i];
        }
    }
    return result;
}

std::string NotAFloatText(const std::string& text) {
    return Insert(Translate("'%s' ist kein gültiger Gleitkommawert"), {text});
}

std::string NotAnIntegerText(const std::string& text) {
    return Insert(Translate("'%s' ist kein gültiger Integerwert"), {text});
}

std::string ListIndexText(long long index) {
    return Insert(Translate("Listenindex überschreitet das Maximum (%d)"), {std::to_string(index)});
}

std::string CannotOpenText(const std::string& file, const std::string& reason) {
    return Insert(Translate("Datei %s kann nicht geöffnet werden. %s"), {file, reason});
}

std::string CannotCreateText(const std::string& file, const std::string& reason) {
    return Insert(Translate("Datei %s kann nicht erstellt werden. %s"), {file, reason});
}

std::string CannotDeleteText(const std::string& file, const std::string& reason) {
    return Insert(Translate("Datei %s kann nicht gelöscht werden. %s"), {file, reason});
}

std::string NotAProgramFileText(const std::string& file) {
    return Insert(
        Translate(
            "Die Datei %s ist keine Maschinen-, Auftrags- oder Ergebnisdatei (.zkm, .zka, .zke)."),
        {file});
}

std::string CannotWriteText(const std::string& file) {
    return Insert(Translate("In %s kann nicht geschrieben werden"), {file});
}

void FailWithMessage(Dialogs& dialogs, const std::string& text) {
    dialogs.ShowMessage(text);
    throw Abort{};
}

}  // namespace zelk
