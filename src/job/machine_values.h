// The messages of the machine values on the order page: the value is not a number, or it has more
// than two decimal places. Reading the job checks both; the plan statistics name a field that is
// not a number with the same words.
#pragma once

namespace zelk {

struct MachineValueMessages {
    const char* invalid;
    const char* decimals;
};

inline constexpr MachineValueMessages kTrimCutMessages = {
    "Die Anschnittlänge ist ungültig!",
    "Die Anschnittlänge darf nur zwei Nachkommastellen umfassen!",
};
inline constexpr MachineValueMessages kClampRestMessages = {
    "Die Restspannlänge ist ungültig!",
    "Die Restspannlänge darf nur zwei Nachkommastellen umfassen!",
};
inline constexpr MachineValueMessages kKerfMessages = {
    "Die Schnittkanalbreite ist ungültig!",
    "Die Schnittkanalbreite darf nur zwei Nachkommastellen umfassen!",
};
inline constexpr MachineValueMessages kToleranceMessages = {
    "Die +Toleranz ist ungültig!",
    "Die +Toleranz darf nur zwei Nachkommastellen umfassen!",
};
inline constexpr MachineValueMessages kReturnFromMessages = {
    "Die Angabe \"Reste zurück ins Lager ab\" ist ungültig!",
    "Die Angabe \"Reste zurück ins Lager ab\" darf nur zwei Nachkommastellen umfassen!",
};

}  // namespace zelk
