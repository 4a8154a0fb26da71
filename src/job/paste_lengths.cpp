#include "job/paste_lengths.h"

#include <exception>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/numbers.h"
#include "base/translate.h"
#include "job/list_aids.h"
#include "job/order_page.h"

namespace zelk {

namespace {

// A count or length of exactly -1 is taken for a missing one and drops its line.
constexpr int kMissing = -1;

// The lines of a text split at CR LF, CR or LF; a final line end gives no extra empty line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

// Fills the list from the lines; messages are shown in German as they are, untranslated.
void ImportLines(const std::string& text, TextGrid& list, char decimalSeparator, Dialogs& dialogs) {
    ResetToOneEmptyRow(list);
    int nextRow = 1;
    std::vector<std::string> lines = SplitLines(text);
    for (size_t index = 0; index < lines.size(); ++index) {
        std::string lineNumber = std::to_string(index + 1);
        std::string rest = lines[index];
        std::string countField = SplitOffField(rest, "\t");
        std::string lengthField = SplitOffField(rest, "\t");
        if (countField.empty() || lengthField.empty()) {
            continue;
        }
        auto count = ParseInteger(RemoveDots(countField));
        if (!count) {
            dialogs.ShowMessage(
                Insert(Translate("Der Wert für die Anzahl in Zeile %s ist keine ganze Zahl!"),
                       {lineNumber}));
        }
        auto length = ParseDecimal(RemoveDots(lengthField), decimalSeparator);
        if (!length) {
            dialogs.ShowMessage(Insert(
                Translate("Der Wert für die Länge in Zeile %s ist keine Zahl!"), {lineNumber}));
        }
        if (!count || !length || *count == kMissing || *length == kMissing) {
            continue;
        }
        if (nextRow >= list.RowCount()) {
            list.SetRowCount(nextRow + 1);
        }
        list.SetCell(nextRow, 0, std::to_string(*count));
        list.SetCell(nextRow, 1, FormatGeneral(*length, decimalSeparator));
        ++nextRow;
    }
}

}  // namespace

std::string SplitOffField(std::string& text, std::string_view separator) {
    size_t position = separator.empty() ? std::string::npos : text.find(separator);
    if (position == std::string::npos) {
        return std::exchange(text, std::string());
    }
    std::string field = text.substr(0, position);
    text.erase(0, position + separator.size());
    return field;
}

std::string RemoveDots(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c != '.') {
            result += c;
        }
    }
    return result;
}

void PasteLengths(const std::optional<std::string>& clipboardText, TextGrid& list, OrderForm& order,
                  char decimalSeparator, Dialogs& dialogs) {
    if (!clipboardText) {
        dialogs.ShowMessage(
            Translate("Bitte zunächst in Excel die Zellen markieren und kopieren."));
    } else {
        try {
            ImportLines(*clipboardText, list, decimalSeparator, dialogs);
        } catch (const std::exception& failure) {
            // The rows filled so far stay; the list is still tidied below.
            dialogs.ShowMessage(Translate("Fehler beim Einfügen der Längen: ") + "\r\n" +
                                failure.what());
        }
    }
    CompactList(list, order, decimalSeparator);
}

}  // namespace zelk
