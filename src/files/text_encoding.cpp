#include "files/text_encoding.h"

#include <array>
#include <cstdint>

namespace zelk {

namespace {

// The characters of the bytes 0x80 to 0x9F.
constexpr std::array<char32_t, 32> kHighControlBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// What a lead byte announces: the length of its sequence, its own bits of the character, and the
// smallest character that needs this length (anything below is an overlong form).
struct SequenceStart {
    size_t length;
    char32_t bits;
    char32_t smallest;
};

std::optional<SequenceStart> ReadLeadByte(uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return SequenceStart{2, lead & 0x1Fu, 0x80};
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return SequenceStart{3, lead & 0x0Fu, 0x800};
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return SequenceStart{4, lead & 0x07u, 0x10000};
    }
    return std::nullopt;
}

// Decodes the character at `pos` and moves `pos` past it; empty on a malformed sequence.
std::optional<char32_t> NextCodePoint(std::string_view bytes, size_t& pos) {
    auto byte = [&](size_t i) { return static_cast<uint8_t>(bytes[i]); };
    if (byte(pos) < 0x80) {
        return byte(pos++);
    }
    auto start = ReadLeadByte(byte(pos));
    if (!start || pos + start->length > bytes.size()) {
        return std::nullopt;
    }
    char32_t c = start->bits;
    for (size_t i = 1; i < start->length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        c = (c << 6) | (byte(pos + i) & 0x3F);
    }
    if (c < start->smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return std::nullopt;
    }
    pos += start->length;
    return c;
}

std::optional<char> Windows1252Byte(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (size_t i = 0; i < kHighControlBlock.size(); ++i) {
        if (kHighControlBlock[i] == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (!NextCodePoint(bytes, pos)) {
            return false;
        }
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (char b : bytes) {
        auto byte = static_cast<uint8_t>(b);
        AppendUtf8(text, byte >= 0x80 && byte <= 0x9F ? kHighControlBlock[byte - 0x80] : byte);
    }
    return text;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        auto c = NextCodePoint(text, pos);
        auto byte = c ? Windows1252Byte(*c) : std::nullopt;
        if (!byte) {
            return std::nullopt;
        }
        bytes += *byte;
    }
    return bytes;
}

}  // namespace zelk
