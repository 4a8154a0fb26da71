// The new-machine and delete-machine buttons.
#pragma once

#include <string>

#include "base/dialogs.h"
#include "job/forms.h"

namespace zelk {

// New machine: name, trim cut, clamp rest and kerf emptied; the unit stays. The window then puts
// the focus into the name field.
void Btn_MNeuClick(MachineForm& machine);

// Deletes the file of the machine the name field shows, "<data directory>/<name>.zkm", after the
// user confirms, and then runs the new-machine operation; true when it ran. An empty name does
// nothing; a name that is no plain file name in the data directory, or whose file does not exist,
// gets the not-found message. A file that cannot be deleted is the runtime's delete error, and the
// machine stays as it is.
bool Btn_MLoescheClick(MachineForm& machine, const std::string& dataDirectory, Dialogs& dialogs);

}  // namespace zelk
