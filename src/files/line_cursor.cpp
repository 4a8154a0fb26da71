#include "files/line_cursor.h"

#include <algorithm>

#include "base/errors.h"

namespace zelk {

const std::string& TakeLine(const Lines& lines, size_t& cursor) {
    if (cursor >= lines.size()) {
        throw RuntimeError(ListIndexText(static_cast<long long>(cursor)));
    }
    return lines[cursor++];
}

int64_t RowsToSize(const Lines& lines, size_t cursor, int64_t count) {
    // Room for a file cut off a little short, as a copy broken off at its end is.
    constexpr int64_t kMissingRowsSized = 1024;
    const size_t left = cursor < lines.size() ? lines.size() - cursor : 0;
    if (count < 0) {
        throw RuntimeError(ListIndexText(static_cast<long long>(cursor + left)));
    }
    return std::min(count, static_cast<int64_t>(left) + kMissingRowsSized);
}

}  // namespace zelk
