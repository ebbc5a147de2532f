#include "text_encodings.h"

#include <cstdio>

namespace adtlab::check {

namespace {

const char replacement[] = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 character at text[k], or 0.
std::size_t character_length(std::string_view text, std::size_t k) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(k);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;  // the range of the second byte: no overlong
    unsigned char high = 0xBF; // form, no surrogate, nothing past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return 0;
    }
    if (k + length > text.size() || byte(k + 1) < low || byte(k + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(k + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

// A control character's own escape, or "".
const char *named_escape(char c) {
    switch (c) {
    case '\n':
        return "\\n";
    case '\t':
        return "\\t";
    case '\r':
        return "\\r";
    default:
        return "";
    }
}

} // namespace

std::string valid_utf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t k = 0; k < bytes.size();) {
        const std::size_t length = character_length(bytes, k);
        if (length == 0) {
            text += replacement;
            ++k;
        } else {
            text.append(bytes.substr(k, length));
            k += length;
        }
    }
    return text;
}

std::string xml_text(std::string_view raw, bool attribute) {
    const std::string text = valid_utf8(raw);
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        const bool line_end = c == '\n' || c == '\r' || c == '\t';
        if (text.compare(k, 2, "\xEF\xBF") == 0 && k + 2 < text.size() &&
            (text[k + 2] == '\xBE' || text[k + 2] == '\xBF')) {
            out += replacement;
            k += 2;
        } else if (static_cast<unsigned char>(c) < 0x20 && !line_end) {
            out += replacement;
        } else if (line_end && attribute) {
            out += "&#" + std::to_string(static_cast<int>(c)) + ";";
        } else if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

std::string escaped_controls(std::string_view raw) {
    std::string out;
    for (std::size_t k = 0; k < raw.size(); ++k) {
        const auto c = static_cast<unsigned char>(raw[k]);
        const bool c1 = c == 0xC2 && k + 1 < raw.size() &&
                        static_cast<unsigned char>(raw[k + 1]) >= 0x80 &&
                        static_cast<unsigned char>(raw[k + 1]) <= 0x9F;
        char escaped[8];
        if (c1) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x",
                          static_cast<unsigned int>(static_cast<unsigned char>(raw[++k])));
            out += escaped;
        } else if (*named_escape(raw[k]) != '\0') {
            out += named_escape(raw[k]);
        } else if (c < 0x20 || c == 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned int>(c));
            out += escaped;
        } else {
            out += raw[k];
        }
    }
    return out;
}

} // namespace adtlab::check
