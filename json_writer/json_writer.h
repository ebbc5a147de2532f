// The project's one JSON writer: values written one at a time into a text,
// strings always made valid UTF-8 and escaped, in one of two layouts that
// the project's formats fix byte for byte.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace adtlab {

// `bytes` as valid UTF-8: each byte that does not begin or continue a
// well-formed character becomes U+FFFD.
std::string valid_utf8(std::string_view bytes);

// `text` as a JSON string, made valid UTF-8 first. In a page's <script>,
// '<', '>' and '&' are escaped too, so that no text ends the script.
std::string json_quoted(std::string_view text, bool in_script = false);

class JsonWriter {
  public:
    enum class Layout {
        lines,   // each member of an object on a line of its own, indented by level
        one_line // everything on one line, "a": 1, "b": 2
    };
    explicit JsonWriter(Layout layout = Layout::lines, bool in_script = false)
        : layout_(layout), in_script_(in_script) {}

    void open_object() { open('{', true); }
    void close_object() { close('}'); }
    // In the lines layout, an array with `lines` has an element a line;
    // otherwise it is on one line.
    void open_array(bool lines = false) { open('[', lines); }
    void close_array() { close(']'); }
    JsonWriter &key(std::string_view name);

    void string(std::string_view text) { scalar(json_quoted(text, in_script_)); }
    void count(unsigned long long value) { scalar(std::to_string(value)); }
    void integer(long long value) { scalar(std::to_string(value)); }
    void real(double value); // 17 significant digits: exact when read back
    void boolean(bool value) { scalar(value ? "true" : "false"); }
    void null() { scalar("null"); }
    void string_or_null(std::string_view text) { text.empty() ? null() : string(text); }
    // A value that is already JSON, written as it is.
    void raw(std::string_view json) { scalar(json); }
    template <typename Number> void numbers(const std::vector<Number> &values) {
        open_array(false);
        for (const Number value : values) {
            scalar(std::to_string(value));
        }
        close_array();
    }

    const std::string &text() const { return out_; }

  private:
    struct Level {
        bool lines; // one member a line
        bool empty = true;
    };
    void separate();
    void new_line();
    void scalar(std::string_view text);
    void open(char bracket, bool lines);
    void close(char bracket);

    Layout layout_;
    bool in_script_;
    std::string out_;
    std::vector<Level> levels_;
    bool keyed_ = false;
};

} // namespace adtlab
