#include "files/text_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "base/errors.h"
#include "files/text_encoding.h"

namespace zelk {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string SystemReason(int error) {
    return error == 0 ? std::string() : std::generic_category().message(error);
}

// A name beside the target that no other save picks.
fs::path TemporaryPathBeside(const fs::path& target) {
    std::random_device entropy;
    uint64_t tag = (uint64_t{entropy()} << 32) ^ entropy();
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(tag));
    fs::path temporary = target;
    temporary += std::string(".") + hex + ".tmp";
    return temporary;
}

}  // namespace

fs::path PathFromUtf8(const std::string& path) {
    return fs::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8FromPath(const fs::path& path) {
    std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

Lines SplitLines(std::string_view text) {
    Lines lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            continue;
        }
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::string DecodeFileText(std::string_view bytes) {
    if (!IsValidUtf8(bytes)) {
        return Windows1252ToUtf8(bytes);
    }
    if (bytes.starts_with(kByteOrderMark)) {
        bytes.remove_prefix(kByteOrderMark.size());
    }
    return std::string(bytes);
}

std::string EncodeFileText(std::string_view text) {
    // Windows-1252 bytes that happen to form UTF-8 with other characters ("Ã¤") would read back
    // as those characters, so such a text is written as UTF-8 too. Plain ASCII is both.
    auto ansi = Utf8ToWindows1252(text);
    if (ansi && (*ansi == text || !IsValidUtf8(*ansi))) {
        return *ansi;
    }
    return std::string(text);
}

Lines ReadTextFile(const std::string& path) {
    errno = 0;
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in.is_open()) {
        throw RuntimeError(CannotOpenText(path, SystemReason(errno)));
    }
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        throw RuntimeError(CannotOpenText(path, SystemReason(errno)));
    }
    return SplitLines(DecodeFileText(bytes));
}

void WriteTextFile(const std::string& path, const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    std::string bytes = EncodeFileText(text);

    fs::path target = PathFromUtf8(path);
    fs::path temporary = TemporaryPathBeside(target);
    auto fail = [&](const std::string& reason) {
        std::error_code ignored;  // the create error below is what the user needs to know
        fs::remove(temporary, ignored);
        throw RuntimeError(CannotCreateText(path, reason));
    };

    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) {
        fail(SystemReason(errno));
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    int writeError = out ? 0 : errno;
    errno = 0;
    out.close();  // before removing: an open file cannot be removed everywhere
    if (out.fail()) {
        fail(SystemReason(writeError != 0 ? writeError : errno));
    }
    std::error_code renameError;
    fs::rename(temporary, target, renameError);
    if (renameError) {
        fail(renameError.message());
    }
}

}  // namespace zelk
