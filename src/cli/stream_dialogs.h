// The command line's boxes: every message goes to standard error; a question is answered no,
// since nobody is there to answer it.
#pragma once

#include <iostream>

#include "base/dialogs.h"

namespace zelk {

class StreamDialogs : public Dialogs {
public:
    explicit StreamDialogs(std::ostream& out) : out_(out) {}

    void ShowMessage(const std::string& text) override { out_ << text << '\n'; }
    bool Confirm(const std::string&, const std::string& question, const std::string&,
                 const std::string&) override {
        out_ << question << '\n';
        return false;
    }
    void ShowError(const std::string& text) override { out_ << text << '\n'; }

private:
    std::ostream& out_;
};

}  // namespace zelk
