// The boxes a command shows the user. The window implements them with message boxes, the
// command line with standard error, tests with a recorder.
#pragma once

#include <string>

namespace zelk {

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A plain message box with one OK button.
    virtual void ShowMessage(const std::string& text) = 0;

    // A confirmation box; true when the user chose the first (yes) button.
    virtual bool Confirm(const std::string& caption, const std::string& question,
                         const std::string& yesButton, const std::string& noButton) = 0;

    // The application's general error box for a runtime error.
    virtual void ShowError(const std::string& text) = 0;
};

// Shows an input fault and ends the command silently.
[[noreturn]] void FailWithMessage(Dialogs& dialogs, const std::string& text);

}  // namespace zelk
