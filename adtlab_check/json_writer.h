// A JSON document, written a value at a time, as the json and gradescope
// reports write theirs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace adtlab::check {

// Objects go one member a line, indented by two spaces; strings are valid
// UTF-8 with control characters escaped.
class JsonWriter {
  public:
    void open_object();
    void close_object();
    // An array of objects goes one a line; of numbers, on one line.
    void open_array(bool lines);
    void close_array();
    JsonWriter &key(std::string_view name);
    void string(std::string_view text);
    void count(unsigned long long value);
    void integer(long long value);
    void real(double value);
    void boolean(bool value);
    void null();
    // A string, or null when it is empty.
    void string_or_null(std::string_view text);
    std::string text() const; // the document, ending in a line end

  private:
    struct Level {
        bool lines; // one member a line
        bool empty = true;
    };
    void separate();
    void new_line();
    void scalar(const std::string &text);
    void open(char bracket, bool lines);
    void close(char bracket);
    std::string out_;
    std::vector<Level> levels_;
    bool keyed_ = false;
};

} // namespace adtlab::check
