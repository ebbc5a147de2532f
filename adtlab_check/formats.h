// The reports of a run, each written from the records: text for people;
// csv, json, junit and gradescope for grading systems.
#pragma once

#include "result.h"

#include <optional>
#include <string>
#include <string_view>

namespace adtlab::check {

enum class Format { text, csv, json, junit, gradescope };

// The format of a name ("text", "csv", ...), or nothing.
std::optional<Format> format_named(std::string_view name);

// The whole report of a run in `format`. gradescope takes one submission.
std::string write_report(Format format, const RunResult &run);

// `bytes` as valid UTF-8: each byte that does not begin or continue a
// well-formed character becomes U+FFFD.
std::string valid_utf8(std::string_view bytes);

} // namespace adtlab::check
