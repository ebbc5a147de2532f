// The reports of a run, each written from the records: text for people;
// csv, json, junit and gradescope for grading systems. One table names them
// all: a format is an entry of it and a file of its own.
#pragma once

#include "result.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace adtlab::check {

// How a report shows a run, beyond its records.
struct ReportOptions {
    bool hide_input = false; // keep the failing inputs from students
};

struct Format {
    std::string_view name;  // "text", "csv", ...
    std::string_view words; // what it is, for --help
    std::string (*write)(const RunResult &run, const ReportOptions &options);
    bool one_submission = false; // it reports exactly one submission
    bool hides_input = false;    // it can keep the inputs from students
};

// Every format, the default first.
std::span<const Format> formats();

// The format of a name, or nullptr.
const Format *format_named(std::string_view name);

// "text, csv, json, junit or gradescope".
std::string format_names();

// A line per format, its name and words, each after `margin`.
std::string format_help(std::string_view margin);

// Why a run of `submissions` cannot be reported in `format`, in a line; ""
// when it can.
std::string format_refusal(const Format &format, std::size_t submissions,
                           const ReportOptions &options);

// The whole report of a run in `format`.
std::string write_report(const Format &format, const RunResult &run,
                         const ReportOptions &options = {});

} // namespace adtlab::check
