// The messages of the machine values on the order page: the value is not a number, or it has more
// than two decimal places. Reading the job checks both; the plan statistics name a field that is
// not a number with the same words.
#pragma once

#include "base/translate.h"

namespace zelk {

struct MachineValueMessages {
    const char* invalid;
    const char* decimals;
};

inline constexpr MachineValueMessages kTrimCutMessages = {
    TranslatedLater("Die Anschnittlänge ist ungültig!"),
    TranslatedLater("Die Anschnittlänge darf nur zwei Nachkommastellen umfassen!"),
};
inline constexpr MachineValueMessages kClampRestMessages = {
    TranslatedLater("Die Restspannlänge ist ungültig!"),
    TranslatedLater("Die Restspannlänge darf nur zwei Nachkommastellen umfassen!"),
};
inline constexpr MachineValueMessages kKerfMessages = {
    TranslatedLater("Die Schnittkanalbreite ist ungültig!"),
    TranslatedLater("Die Schnittkanalbreite darf nur zwei Nachkommastellen umfassen!"),
};
inline constexpr MachineValueMessages kToleranceMessages = {
    TranslatedLater("Die +Toleranz ist ungültig!"),
    TranslatedLater("Die +Toleranz darf nur zwei Nachkommastellen umfassen!"),
};
inline constexpr MachineValueMessages kReturnFromMessages = {
    TranslatedLater("Die Angabe \"Reste zurück ins Lager ab\" ist ungültig!"),
    TranslatedLater(
        "Die Angabe \"Reste zurück ins Lager ab\" darf nur zwei Nachkommastellen umfassen!"),
};

}  // namespace zelk
