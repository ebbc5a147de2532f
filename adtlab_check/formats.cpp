#include "formats.h"

#include "report_csv.h"
#include "report_gradescope.h"
#include "report_json.h"
#include "report_junit.h"
#include "report_text.h"

#include <algorithm>

namespace adtlab::check {

namespace {

const Format table[] = {
    {"text", "for people (the default)", text_report},
    {"csv", "a row per submission: statuses and score", csv_report},
    {"json", "every record of the run", json_report},
    {"junit", "JUnit XML: a suite per submission", junit_report},
    {"gradescope", "the results.json of one submission", gradescope_report, true, true},
};

} // namespace

std::span<const Format> formats() {
    return table;
}

const Format *format_named(std::string_view name) {
    for (const Format &format : table) {
        if (format.name == name) {
            return &format;
        }
    }
    return nullptr;
}

std::string format_names() {
    std::string out;
    for (std::size_t k = 0; k < std::size(table); ++k) {
        out += k == 0 ? "" : k + 1 == std::size(table) ? " or " : ", ";
        out += table[k].name;
    }
    return out;
}

std::string format_help(std::string_view margin) {
    std::size_t width = 0;
    for (const Format &format : table) {
        width = std::max(width, format.name.size());
    }
    std::string out;
    for (const Format &format : table) {
        out.append(margin).append(format.name);
        out.append(width - format.name.size() + 2, ' ').append(format.words) += '\n';
    }
    return out;
}

std::string format_refusal(const Format &format, std::size_t submissions,
                           const ReportOptions &options) {
    const std::string name(format.name);
    if (format.one_submission && submissions != 1) {
        return "the " + name + " format takes one submission; " + std::to_string(submissions) +
               " given";
    }
    if (options.hide_input && !format.hides_input) {
        return "--hide-input is for a report that students see; the " + name +
               " format shows every input";
    }
    return "";
}

std::string write_report(const Format &format, const RunResult &run, const ReportOptions &options) {
    return format.write(run, options);
}

} // namespace adtlab::check
