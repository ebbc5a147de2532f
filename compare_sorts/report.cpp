#include "report.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

namespace compare_sorts {

namespace {

// A count in the table: marked when it passed the library's 32-bit counter.
std::string table_count(std::uint64_t count) {
    char text[32];
    std::snprintf(text, sizeof text, "%17llu%c", static_cast<unsigned long long>(count),
                  count > UINT32_MAX ? '*' : ' ');
    return text;
}

// What a count must be, beside it in the table: '-' where no formula says,
// marked where the count differs.
std::string table_expected(const std::optional<std::uint64_t> &expected, std::uint64_t counted) {
    char text[32];
    std::snprintf(text, sizeof text, "%17s%c", expected ? std::to_string(*expected).c_str() : "-",
                  adtlab::differs_from_formula(expected, counted) ? '!' : ' ');
    return text;
}

// ",comparisons,swaps" that a formula gives, empty where none; nothing
// where they are not shown.
std::string csv_expected(const adtlab::ExpectedCounts *expected) {
    if (expected == nullptr) {
        return "";
    }
    auto field = [](const std::optional<std::uint64_t> &count) {
        return count ? std::to_string(*count) : std::string();
    };
    // In steps: g++ 12 at -O3 warns falsely of overlap in "," + text.
    std::string fields = ",";
    fields += field(expected->comparisons);
    fields += ',';
    fields += field(expected->swaps);
    return fields;
}

constexpr char csv_expected_header[] = ",expected_comparisons,expected_swaps";

// The ratio of a quantity to its value at the previous n, and its base-2
// logarithm; undefined where there is no previous value or it was zero.
struct Growth {
    std::optional<double> ratio;
    std::optional<double> log2;
};

Growth growth(double now, std::optional<double> before) {
    if (!before || *before <= 0.0 || now <= 0.0) {
        return {};
    }
    double ratio = now / *before;
    return {ratio, std::log2(ratio)};
}

std::string number(std::optional<double> value, bool csv) {
    if (!value) {
        return csv ? "" : "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", *value);
    return text;
}

} // namespace

int shape_width(const std::vector<Input> &inputs) {
    std::size_t widest = 12;
    for (const Input &input : inputs) {
        widest = std::max(widest, input.shape.size());
    }
    return static_cast<int>(widest);
}

void print_header(bool csv, bool expected, int shape_width) {
    if (csv) {
        std::printf("shape,n,algorithm,comparisons,swaps,ms,sorted,wrapped%s\n",
                    expected ? csv_expected_header : "");
    } else if (expected) {
        std::printf("%-*s %10s  %-9s %18s %18s %18s %18s %12s %7s\n", shape_width, "shape", "n",
                    "algorithm", "comparisons", "expected", "swaps", "expected", "ms", "sorted");
    } else {
        std::printf("%-*s %10s  %-9s %18s %18s %12s %7s\n", shape_width, "shape", "n", "algorithm",
                    "comparisons", "swaps", "ms", "sorted");
    }
}

void print_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm, const Run &run,
               const adtlab::ExpectedCounts *expected, int shape_width) {
    if (csv) {
        std::printf("%s,%zu,%s,%llu,%llu,%.3f,%s,%s%s\n", input.shape.c_str(), input.values.size(),
                    algorithm.name, static_cast<unsigned long long>(run.comparisons),
                    static_cast<unsigned long long>(run.swaps), run.milliseconds,
                    run.sorted ? "yes" : "no", run.wrapped ? "yes" : "no",
                    csv_expected(expected).c_str());
        return;
    }
    std::string comparisons = table_count(run.comparisons);
    std::string swaps = table_count(run.swaps);
    if (expected != nullptr) {
        comparisons += ' ';
        comparisons += table_expected(expected->comparisons, run.comparisons);
        swaps += ' ';
        swaps += table_expected(expected->swaps, run.swaps);
    }
    std::printf("%-*s %10zu  %-9s %s %s %12.3f %7s\n", shape_width, input.shape.c_str(),
                input.values.size(), algorithm.name, comparisons.c_str(), swaps.c_str(),
                run.milliseconds, run.sorted ? "yes" : "no");
}

void print_doubling_header(bool csv, bool expected, int shape_width) {
    if (csv) {
        std::printf("shape,algorithm,n,comparisons,comparisons_ratio,comparisons_log2,swaps,"
                    "swaps_ratio,swaps_log2,ms,ms_ratio,ms_log2%s\n",
                    expected ? csv_expected_header : "");
    } else {
        std::printf("%-*s %-9s %10s %18s %6s %6s %18s %6s %6s %12s %6s %6s\n", shape_width, "shape",
                    "algorithm", "n", "comparisons", "ratio", "log2", "swaps", "ratio", "log2",
                    "ms", "ratio", "log2");
    }
}

void print_doubling_row(bool csv, const Input &input, const adtlab::SortAlgorithm &algorithm,
                        const Run &run, const std::optional<Run> &before,
                        const adtlab::ExpectedCounts *expected, int shape_width) {
    auto previous = [&](auto field) -> std::optional<double> {
        return before ? std::optional<double>(static_cast<double>((*before).*field)) : std::nullopt;
    };
    Growth c = growth(static_cast<double>(run.comparisons), previous(&Run::comparisons));
    Growth s = growth(static_cast<double>(run.swaps), previous(&Run::swaps));
    Growth t = growth(run.milliseconds, previous(&Run::milliseconds));
    if (csv) {
        std::printf("%s,%s,%zu,%llu,%s,%s,%llu,%s,%s,%.3f,%s,%s%s\n", input.shape.c_str(),
                    algorithm.name, input.values.size(),
                    static_cast<unsigned long long>(run.comparisons), number(c.ratio, true).c_str(),
                    number(c.log2, true).c_str(), static_cast<unsigned long long>(run.swaps),
                    number(s.ratio, true).c_str(), number(s.log2, true).c_str(), run.milliseconds,
                    number(t.ratio, true).c_str(), number(t.log2, true).c_str(),
                    csv_expected(expected).c_str());
    } else {
        std::printf("%-*s %-9s %10zu %s %6s %6s %s %6s %6s %12.3f %6s %6s\n", shape_width,
                    input.shape.c_str(), algorithm.name, input.values.size(),
                    table_count(run.comparisons).c_str(), number(c.ratio, false).c_str(),
                    number(c.log2, false).c_str(), table_count(run.swaps).c_str(),
                    number(s.ratio, false).c_str(), number(s.log2, false).c_str(), run.milliseconds,
                    number(t.ratio, false).c_str(), number(t.log2, false).c_str());
    }
}

void print_wrap_note() {
    std::fputs("* past 4294967295, where the library's 32-bit counter wraps; "
               "the count shown is the library's whole 64-bit count.\n",
               stdout);
}

bool differs_from_formula(const Run &run, const adtlab::ExpectedCounts &expected) {
    return adtlab::differs_from_formula(expected.comparisons, run.comparisons) ||
           adtlab::differs_from_formula(expected.swaps, run.swaps);
}

void print_formula_note() {
    std::fputs("! the count differs from what its formula says the sort must make: "
               "a fault of the library.\n",
               stdout);
}

void print_inputs(const std::vector<Input> &inputs) {
    for (const Input &input : inputs) {
        std::string line;
        for (std::size_t k = 0; k < input.values.size(); ++k) {
            char text[16];
            const auto written = std::to_chars(text, text + sizeof text, input.values[k]);
            line.append(k == 0 ? "" : " ").append(text, written.ptr);
            if (line.size() >= 1u << 16) {
                std::fputs(line.c_str(), stdout);
                line.clear();
            }
        }
        std::puts(line.c_str());
    }
}

} // namespace compare_sorts
