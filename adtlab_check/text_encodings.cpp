#include "text_encodings.h"

#include "json_writer/json_writer.h"

#include <cstdio>

namespace adtlab::check {

namespace {

const char replacement[] = "\xEF\xBF\xBD"; // U+FFFD

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
