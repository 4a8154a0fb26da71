#include "files/line_cursor.h"

#include "base/errors.h"

namespace zelk {

const std::string& TakeLine(const Lines& lines, size_t& cursor) {
    if (cursor >= lines.size()) {
        throw RuntimeError(ListIndexText(static_cast<long long>(cursor)));
    }
    return lines[cursor++];
}

void RequireLines(const Lines& lines, size_t cursor, int64_t count) {
    size_t left = cursor < lines.size() ? lines.size() - cursor : 0;
    if (count < 0 || static_cast<uint64_t>(count) > left) {
        throw RuntimeError(ListIndexText(static_cast<long long>(cursor + left)));
    }
}

}  // namespace zelk
