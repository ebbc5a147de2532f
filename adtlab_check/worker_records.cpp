#include "worker_records.h"

#include "sort_inputs/values.h"

#include <climits>
#include <cmath>
#include <stdexcept>

namespace adtlab::check {

void put_field(std::string &out, const std::string &field) {
    out += std::to_string(field.size()) + ":" + field;
}

void put_field(std::string &out, unsigned long long number) {
    put_field(out, std::to_string(number));
}

std::string take_field(std::string_view &in) {
    const std::size_t colon = in.find(':');
    const auto length = parse_number(std::string(in.substr(0, colon)), 0, LLONG_MAX);
    if (colon == std::string_view::npos || !length ||
        static_cast<unsigned long long>(*length) > in.size() - colon - 1) {
        throw std::runtime_error("a worker's record is malformed");
    }
    std::string field(in.substr(colon + 1, static_cast<std::size_t>(*length)));
    in.remove_prefix(colon + 1 + field.size());
    return field;
}

namespace {

long long take_number(std::string_view &in) {
    const auto number = parse_number(take_field(in), LLONG_MIN, LLONG_MAX);
    if (!number) {
        throw std::runtime_error("a worker's record is malformed");
    }
    return *number;
}

} // namespace

std::string encode_record(const SubmissionResult &result) {
    std::string out;
    put_field(out, result.name);
    put_field(out, result.build_error);
    put_field(out, result.output);
    put_field(out,
              static_cast<unsigned long long>(std::llround(result.seconds * 1e9))); // nanoseconds
    put_field(out, result.checks.size());
    for (const CheckResult &c : result.checks) {
        put_field(out, c.name);
        put_field(out, static_cast<unsigned long long>(c.status));
        put_field(out, c.points);
        put_field(out, c.max_points);
        put_field(out, c.inputs);
        for (const std::string *text : {&c.why, &c.expected, &c.got, &c.ending, &c.ending_kind}) {
            put_field(out, *text);
        }
        put_field(out, c.input ? c.input->size() + 1 : 0);
        for (int value : c.input.value_or(std::vector<int>{})) {
            put_field(out, std::to_string(value));
        }
        put_field(out, c.before ? 1 : 0);
        put_field(out, c.before ? c.before->comparisons : 0);
        put_field(out, c.before ? c.before->swaps : 0);
    }
    return out;
}

SubmissionResult decode_record(std::string_view in) {
    SubmissionResult result;
    result.name = take_field(in);
    result.build_error = take_field(in);
    result.output = take_field(in);
    result.seconds = static_cast<double>(take_number(in)) / 1e9;
    for (long long k = take_number(in); k > 0; --k) {
        CheckResult c;
        c.name = take_field(in);
        c.status = static_cast<Status>(take_number(in));
        c.points = static_cast<unsigned int>(take_number(in));
        c.max_points = static_cast<unsigned int>(take_number(in));
        c.inputs = static_cast<std::size_t>(take_number(in));
        for (std::string *text : {&c.why, &c.expected, &c.got, &c.ending, &c.ending_kind}) {
            *text = take_field(in);
        }
        const long long values = take_number(in);
        if (values > 0) {
            c.input.emplace();
            for (long long v = 1; v < values; ++v) {
                c.input->push_back(static_cast<int>(take_number(in)));
            }
        }
        const bool counted = take_number(in) == 1;
        const auto comparisons = static_cast<unsigned long long>(take_number(in));
        const auto swaps = static_cast<unsigned long long>(take_number(in));
        if (counted) {
            c.before = CallCounts{comparisons, swaps};
        }
        result.checks.push_back(c);
    }
    return result;
}

} // namespace adtlab::check
