// The file commands behind the machine, order and result buttons, for the window and the command
// line alike: the path is already chosen.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "base/text_grid.h"
#include "job/forms.h"

namespace zelk {

// The file's name without folder and without extension (from its last point on): "Säge 2.zkm"
// gives "Säge 2", "Säge" stays "Säge".
std::string BaseNameWithoutExtension(const std::string& path);

// The machine name takes the file's base name, then the machine section is written.
void SaveMachineFile(OrderPage& page, const std::string& path);
void LoadMachineFile(OrderPage& page, const std::string& path, Dialogs& dialogs);

// The order name takes the file's base name, then the order section is written.
void SaveOrderFile(OrderPage& page, const std::string& path);
void LoadOrderFile(OrderPage& page, const std::string& path, Dialogs& dialogs);

// Machine, order and the two result grids in one file; no field changes.
void SaveResultFile(const OrderPage& page, const TextGrid& G_V, const TextGrid& G_S,
                    const std::string& path);

}  // namespace zelk
