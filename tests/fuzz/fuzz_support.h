// What the fuzz targets share: dialogs that only count, a page as the window starts it, and a
// command boundary that accepts exactly the ways a user command may end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "base/errors.h"
#include "job/forms.h"
#include "job/order_page.h"

namespace zelk {

class CountingDialogs : public Dialogs {
public:
    int shown = 0;
    void ShowMessage(const std::string&) override { ++shown; }
    bool Confirm(const std::string&, const std::string&, const std::string&,
                 const std::string&) override {
        return (++shown % 2) == 0;
    }
    void ShowError(const std::string&) override { ++shown; }
};

// The order page as a new window shows it: unit mm, every list with its header and one empty row.
inline OrderPage StartPage() {
    OrderPage page;
    Btn_ANeuClick(page.order);
    cb_einheitChange(page);
    return page;
}

// Runs a user command: its message end (Abort) and a runtime error are how a command may end;
// anything else escapes and is a finding.
template <typename Command>
void RunCommand(Command command) {
    try {
        command();
    } catch (const Abort&) {
    } catch (const RuntimeError&) {
    }
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace zelk
