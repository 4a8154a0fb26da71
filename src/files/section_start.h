// What the machine and order sections share when they begin: the magic line with its version,
// and the refusal of a unit that does not match.
#pragma once

#include <cstddef>
#include <string>

#include "base/dialogs.h"
#include "files/text_file.h"

namespace zelk {

// The version (1 or 2) of the section whose magic line, `kind` + " V1" or " V2", stands at the
// cursor. With no line at the cursor the message `invalid` is shown and the result is 0; any
// other line shows it and aborts the command.
int SectionVersion(const Lines& lines, size_t cursor, const std::string& kind,
                   const std::string& invalid, Dialogs& dialogs);

// Order and machine in different units: the message, and the command ends.
[[noreturn]] void FailWithUnitConflict(Dialogs& dialogs);

}  // namespace zelk
