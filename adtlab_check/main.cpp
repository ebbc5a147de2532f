// adtlab-check: builds someone's own sorts, queue, stack or fixed strings
// against this system's headers and libraries, runs them in a child process
// with a time limit, and reports whether they conform to the contracts that
// the system relies on, down to the count.
//
//     adtlab-check [--time-limit S] sorts|queue|stack|fstring FILE...
#include "building.h"
#include "checks.h"
#include "child.h"
#include "failure.h"
#include "reporting.h"
#include "result.h"

#include "sort_calls/sorts.h"
#include "sort_inputs/values.h"

#include <stdlib.h> // mkdtemp

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;
using namespace adtlab::check;

namespace {

const char usage[] = R"(Usage: adtlab-check [--time-limit SECONDS] KIND FILE...
Builds your own module from FILE... (C or C++ sources, objects or static
libraries) against adtlab's headers and libraries, runs the checks of KIND in
a child process, and reports whether it conforms.

KIND is one of:
  sorts    selection_sort, insertion_sort and quick_sort, comparing only
           through goes_before and exchanging only through swap: the result,
           both counts and every call must match the library's sorts on a
           battery of inputs (for quick sort, partition by partition: the
           two sides may be sorted in either order); a missing sort is
           reported as missing
  queue    queue_empty, queue_enqueue, queue_size, queue_dump, queue_disscard
  stack    stack_empty, stack_push, stack_pop, stack_is_empty, stack_to_array
  fstring  fstring_set and fstring_eq on 100-byte fstring buffers

Sources may include adtlab's headers by path ("ordtally/ordtally.h") or by
bare name ("ordtally.h"). C sources are compiled with $CC (default cc), C++
with $CXX (default c++). Each check runs with a time limit (default 5 s); a
crash or a time-out is a failure. Status: 0 all conforms, 1 something does
not, 2 a usage error or sources that do not build (the compiler's message is
shown).
)";

struct Options {
    bool help = false;
    Limits limits;
    std::string kind;
    std::vector<std::string> files;
};

// A time limit from 0.1 to 3600 s, fractions allowed.
double parse_seconds(const std::string &text) {
    char *end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(seconds >= 0.1 && seconds <= 3600)) {
        fail("time limit '" + text + "' is not a number of seconds from 0.1 to 3600");
    }
    return seconds;
}

Options parse_options(std::vector<std::string> args) {
    Options options;
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        options.help = true;
        return options;
    }
    if (args.size() >= 2 && args[0] == "--time-limit") {
        options.limits.seconds = parse_seconds(args[1]);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (!args.empty() && args[0] == "--") {
        args.erase(args.begin());
    }
    if (args.size() < 2) {
        fail("give a KIND and at least one FILE (try --help)");
    }
    options.kind = args[0];
    if (options.kind != "sorts" && options.kind != "queue" && options.kind != "stack" &&
        options.kind != "fstring") {
        fail("unknown kind '" + options.kind + "' (sorts, queue, stack or fstring)");
    }
    options.files.assign(args.begin() + 1, args.end());
    for (const std::string &file : options.files) {
        if (!fs::is_regular_file(file)) {
            fail(file + ": no such file");
        }
    }
    return options;
}

// A folder of the check's own in $TMPDIR (else /tmp) for the objects, the
// harness and its inputs, removed when the check ends, built or not.
class WorkFolder {
  public:
    WorkFolder() {
        const char *tmpdir = std::getenv("TMPDIR");
        std::string pattern = tmpdir != nullptr && *tmpdir != '\0' ? tmpdir : "/tmp";
        pattern += "/adtlab-check-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            fail("cannot make a working folder");
        }
        path_ = pattern;
    }
    ~WorkFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;
    const fs::path &path() const { return path_; }

  private:
    fs::path path_;
};

SubmissionResult run_checks(const Options &options, const fs::path &work) {
    const Harness harness{build(options.kind, options.files, find_resources(), work), work,
                          options.limits};
    SubmissionResult submission;
    if (options.kind != "sorts") {
        submission.checks = check_module(options.kind, harness);
        return submission;
    }
    for (const adtlab::SortAlgorithm &algorithm : adtlab::sort_algorithms) {
        submission.checks.push_back(check_sort(algorithm, harness));
    }
    return submission;
}

void print_text(const SubmissionResult &submission) {
    for (const CheckResult &check : submission.checks) {
        std::fputs(text_verdict(check).c_str(), stdout);
    }
}

} // namespace

int main(int argc, char *argv[]) {
    try {
        const Options options = parse_options({argv + 1, argv + argc});
        if (options.help) {
            std::fputs(usage, stdout);
            return 0;
        }
        const WorkFolder work;
        const SubmissionResult submission = run_checks(options, work.path());
        print_text(submission);
        return submission.conforms() ? 0 : 1;
    } catch (const Failure &failure) {
        std::fprintf(stderr, "adtlab-check: %s", failure.what());
    } catch (const std::bad_alloc &) {
        std::fputs("adtlab-check: out of memory\n", stderr);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "adtlab-check: %s\n", error.what());
    }
    return 2;
}
