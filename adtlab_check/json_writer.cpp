#include "json_writer.h"

#include "text_encodings.h"

#include <cstdio>

namespace adtlab::check {

namespace {

std::string json_string(std::string_view raw) {
    const std::string text = valid_utf8(raw);
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned int>(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace

void JsonWriter::open_object() {
    open('{', true);
}

void JsonWriter::close_object() {
    close('}');
}

void JsonWriter::open_array(bool lines) {
    open('[', lines);
}

void JsonWriter::close_array() {
    close(']');
}

JsonWriter &JsonWriter::key(std::string_view name) {
    separate();
    out_ += json_string(name) + ": ";
    keyed_ = true;
    return *this;
}

void JsonWriter::string(std::string_view text) {
    scalar(json_string(text));
}

void JsonWriter::count(unsigned long long value) {
    scalar(std::to_string(value));
}

void JsonWriter::integer(long long value) {
    scalar(std::to_string(value));
}

void JsonWriter::real(double value) {
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    scalar(digits);
}

void JsonWriter::boolean(bool value) {
    scalar(value ? "true" : "false");
}

void JsonWriter::null() {
    scalar("null");
}

void JsonWriter::string_or_null(std::string_view text) {
    text.empty() ? null() : string(text);
}

std::string JsonWriter::text() const {
    return out_ + "\n";
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
    out_ += level.empty ? "" : level.lines ? "," : ", ";
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

void JsonWriter::scalar(const std::string &text) {
    separate();
    out_ += text;
}

void JsonWriter::open(char bracket, bool lines) {
    separate();
    out_ += bracket;
    levels_.push_back({lines});
}

void JsonWriter::close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (level.lines && !level.empty) {
        new_line();
    }
    out_ += bracket;
}

} // namespace adtlab::check
