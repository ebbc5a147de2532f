#include "json_writer.h"

#include <cstdio>

namespace adtlab {

namespace {

const char replacement[] = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 character at text[k], or 0: no
// overlong form, no surrogate, nothing past U+10FFFF.
std::size_t character_length(std::string_view text, std::size_t k) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(k);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80; // the range of the second byte
    unsigned char high = 0xBF;
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

// The escape of character c, or "" when it stands as it is.
std::string escape(char c, bool in_script) {
    switch (c) {
    case '"':
        return "\\\"";
    case '\\':
        return "\\\\";
    case '\n':
        return in_script ? "\\u000a" : "\\n";
    case '\t':
        return in_script ? "\\u0009" : "\\t";
    case '\r':
        return in_script ? "\\u000d" : "\\r";
    default:
        break;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || (in_script && (c == '<' || c == '>' || c == '&'))) {
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned int>(byte));
        return escaped;
    }
    return "";
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

std::string json_quoted(std::string_view text, bool in_script) {
    const std::string valid = valid_utf8(text);
    std::string out = "\"";
    for (char c : valid) {
        const std::string escaped = escape(c, in_script);
        if (escaped.empty()) {
            out += c;
        } else {
            out += escaped;
        }
    }
    return out + "\"";
}

JsonWriter &JsonWriter::key(std::string_view name) {
    separate();
    out_ += json_quoted(name, in_script_);
    out_ += ": ";
    keyed_ = true;
    return *this;
}

void JsonWriter::real(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    scalar(digits);
}

void JsonWriter::separate() {
    if (keyed_) {
        keyed_ = false;
        return;
    }
    if (levels_.empty()) {
        return;
    }
    Level &level = levels_.back();
    if (!level.empty) {
        out_ += level.lines ? "," : ", ";
    }
    if (level.lines) {
        new_line();
    }
    level.empty = false;
}

// In steps: g++ 12 at -O3 warns falsely of overlap in "\n" + indent.
void JsonWriter::new_line() {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
}

void JsonWriter::scalar(std::string_view text) {
    separate();
    out_ += text;
}

void JsonWriter::open(char bracket, bool lines) {
    separate();
    out_ += bracket;
    levels_.push_back({lines && layout_ == Layout::lines});
}

void JsonWriter::close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.lines && !level.empty) {
        new_line();
    }
    out_ += bracket;
}

} // namespace adtlab
