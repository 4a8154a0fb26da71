// Filling an input list from lengths copied in a spreadsheet: one line per row, the count and
// the length in the first two TAB-separated cells.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/dialogs.h"
#include "job/forms.h"

namespace zelk {

// Returns the part of text before the first separator and removes it and the separator from
// text; without a separator in text, returns all of it and leaves text empty.
std::string SplitOffField(std::string& text, std::string_view separator);

// The text without any point, so that points written as thousands separators disappear.
std::string RemoveDots(std::string_view text);

// Replaces the content of list (one of the order's lists) with the counts and lengths of the
// copied text (nullopt: the clipboard holds no plain text), showing one German message per bad
// value, then runs the exit aid CompactList on the list.
void PasteLengths(const std::optional<std::string>& clipboardText, TextGrid& list, OrderForm& order,
                  char decimalSeparator, Dialogs& dialogs);

}  // namespace zelk
