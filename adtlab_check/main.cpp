// adtlab-check: builds people's own sorts, queue, stack or fixed strings
// against this system's headers and libraries, runs them in a child process
// within limits, and reports whether they conform to the contracts that the
// system relies on, down to the count: one submission, or a class of them.
//
//     adtlab-check [OPTIONS] sorts|queue|stack|fstring SUBMISSION...
#include "bubblewrap.h"
#include "building.h"
#include "check_page.h"
#include "failure.h"
#include "formats.h"
#include "interruption.h"
#include "kinds.h"
#include "result.h"
#include "sandbox.h"
#include "submissions.h"

#include "command_line/option_table.h"
#include "command_line/result.h"
#include "ordtally/ordtally.h"
#include "sort_calls/sorts.h"
#include "sort_inputs/values.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h> // mkostemp
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iterator>
#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace adtlab::check;
using adtlab::command_line::Error;
using adtlab::command_line::Option;
using adtlab::command_line::Result;
// Whether an option was taken; not adtlab::check::Status, a check's verdict.
using Taken = adtlab::command_line::Status;

namespace {

const char usage_head[] = R"(Usage: adtlab-check [OPTIONS] KIND SUBMISSION...
Builds each submission (C or C++ sources; objects and static libraries with
--objects) against adtlab's headers and libraries, runs the checks of KIND in
a child process, each in a sandbox of its own, and reports whether it
conforms. A SUBMISSION that is a folder is
one submission, made of the sources, objects and static libraries in it
(not in its subfolders); the files named directly form one submission.

KIND is one of:
)";

// After the kinds, which come from their table.
const char usage_tail[] =
    R"(Each function checked is worth one point. The sorts' order is goes_before's:
)" ADTLAB_ORDER_WORDS R"(

Options:
)";
const char usage_after_formats[] =
    R"(  --hide-input        gradescope only: a failing check shows students only the
                      size of its input; a hidden test of no points holds the
                      whole verdict
  --output FILE       write the report to FILE instead of standard output
  --jobs N            check N submissions at a time (default: the number of
                      processors)
  --seed N            the seed that chooses the checks' operations and values
                      (default: a new one each run; the report gives it)
  --time-limit S      wall-clock seconds for each run of a child (default 5;
                      fractions allowed)
  --memory-limit MiB  memory of a child and all it starts (default 512)
  --cpu-limit S       processor seconds of each of its processes (default 10)
  --file-limit MiB    size of each file it writes (default 64)
  --keep              keep each submission's private folder, and say where
  --objects           take objects (.o) and static libraries (.a) too, none of
                      them an object of adtlab's own libraries (default:
                      sources only)
  --no-sandbox        as root, run the submissions even where bubblewrap
                      cannot: under the limits alone, as an unprivileged
                      user, a risk to this machine's files
  --html PAGE         also write PAGE, a page that plays each sort's calls
                      beside the library's on the input the report names
                      (or a small one), opened at the first call that
                      differs; sorts only, of one submission

Sources may include adtlab's headers by path ("ordtally/ordtally.h") or by
bare name ("ordtally.h"). C sources are compiled with $CC (default cc), C++
with $CXX (default c++). Each submission is built and run in a private folder
under $TMPDIR (default /tmp), removed at the end, and in bubblewrap, as a user
of no privilege, behind a system-call filter; as root without bubblewrap, it
refuses unless --no-sandbox is given. A crash, a time-out or a
limit is an error; a submission that does not build is reported with the
compiler's message. On a terminal, standard error shows the progress.
Status: 0 every submission conforms, 1 some submission does not (or does not
build), 2 a usage error, or a failure of the system (a folder or process it
would not make) that stops the run.
)";

struct Options {
    bool help = false;
    const Format *format = &formats().front();
    ReportOptions reporting;
    std::string output; // "" for standard output
    std::string page;   // --html's, or ""
    Checking checking;
    bool seeded = false;
    bool sorts_chosen = false;          // --sorts given
    std::vector<std::string> arguments; // the submissions
};

// A time limit from 0.1 to 3600 s, fractions allowed.
Result<double> parse_seconds(const std::string &text) {
    char *end = nullptr;
    const double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(seconds >= 0.1 && seconds <= 3600)) {
        return Error{"time limit '" + text + "' is not a number of seconds from 0.1 to 3600"};
    }
    return seconds;
}

// A whole number from `low` to `high`, or a usage error.
Result<long long> parse_whole(const std::string &text, long long low, long long high,
                              const char *what) {
    const std::optional<long long> value = adtlab::parse_number(text, low, high);
    if (!value) {
        return Error{std::string(what) + " '" + text + "' is not a whole number from " +
                     std::to_string(low) + " to " + std::to_string(high)};
    }
    return *value;
}

unsigned int processors() {
    const unsigned int count = std::thread::hardware_concurrency();
    return count == 0 ? 1 : count;
}

// An option whose value parse_whole takes into `destination`.
template <typename Whole>
Option whole_option(const char *name, long long low, long long high, const char *what,
                    Whole &destination) {
    return {name, '\0', true, [=, &destination](const std::string &value) -> Taken {
                const Result<long long> number = parse_whole(value, low, high, what);
                if (!number) {
                    return Error{number.error()};
                }
                destination = static_cast<Whole>(*number);
                return {};
            }};
}

Taken take_format(Options &options, const std::string &value) {
    if ((options.format = format_named(value)) == nullptr) {
        return Error{"unknown format '" + value + "' (" + format_names() + ")"};
    }
    return {};
}

Taken take_seed(Options &options, const std::string &value) {
    // Up to 2^53 - 1, so that the seed stays exact in any JSON reader.
    const Result<long long> seed = parse_whole(value, 0, (1LL << 53) - 1, "seed");
    if (!seed) {
        return Error{seed.error()};
    }
    options.checking.seed = static_cast<unsigned long long>(*seed);
    options.seeded = true;
    return {};
}

Taken take_seconds(double &seconds, const std::string &value) {
    const Result<double> parsed = parse_seconds(value);
    if (!parsed) {
        return Error{parsed.error()};
    }
    seconds = *parsed;
    return {};
}

// "selection,insertion,quick": the names of `sorts` as --sorts takes them.
std::string sort_list(const std::vector<const adtlab::SortAlgorithm *> &sorts) {
    std::string list;
    for (const adtlab::SortAlgorithm *algorithm : sorts) {
        list += list.empty() ? "" : ",";
        list += algorithm->name;
    }
    return list;
}

// --sorts NAME,...: the table's sorts of those names, in the table's order,
// each once however often it is named.
Taken take_sorts(Options &options, const std::string &value) {
    std::vector<bool> chosen(std::size(adtlab::sort_algorithms));
    for (std::size_t from = 0; from <= value.size();) {
        const std::size_t comma = std::min(value.find(',', from), value.size());
        const std::string name = value.substr(from, comma - from);
        const adtlab::SortAlgorithm *algorithm = adtlab::find_sort(name);
        if (algorithm == nullptr) {
            return Error{"unknown sort '" + name + "' in --sorts (" + adtlab::sort_names() + ")"};
        }
        chosen[static_cast<std::size_t>(algorithm - adtlab::sort_algorithms)] = true;
        from = comma + 1;
    }
    std::vector<const adtlab::SortAlgorithm *> &sorts = options.checking.assignment.sorts;
    sorts.clear();
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        if (chosen[k]) {
            sorts.push_back(&adtlab::sort_algorithms[k]);
        }
    }
    options.sorts_chosen = true;
    return {};
}

// --sorts in the usage text, its names and default from the table, its
// words in the column of the options' words.
std::string sorts_usage() {
    const std::string words =
        "sorts only: the sorts to check, comma-separated, of " + adtlab::sort_names() +
        " (default: " + sort_list(adtlab::default_sorts()) +
        "); named in any order, checked and reported in the order of this list";
    return "  --sorts S,...       " + adtlab::command_line::wrap_words(words, 22, 78) + "\n";
}

// Every option, one entry each, taken into `options`.
std::vector<Option> option_table(Options &options) {
    using adtlab::command_line::flag;
    using adtlab::command_line::text;
    Checking &checking = options.checking;
    Limits &limits = checking.limits;
    return {
        {"format", '\0', true,
         [&options](const std::string &value) { return take_format(options, value); }},
        text("output", '\0', options.output),
        whole_option("jobs", 1, 256, "jobs", checking.jobs),
        {"seed", '\0', true,
         [&options](const std::string &value) { return take_seed(options, value); }},
        {"time-limit", '\0', true,
         [&limits](const std::string &value) { return take_seconds(limits.seconds, value); }},
        whole_option("memory-limit", 16, 65536, "memory limit", limits.memory_mib),
        whole_option("cpu-limit", 1, 3600, "cpu limit", limits.cpu_seconds),
        whole_option("file-limit", 1, 65536, "file limit", limits.file_mib),
        flag("keep", '\0', checking.keep),
        flag("objects", '\0', checking.objects),
        flag("hide-input", '\0', options.reporting.hide_input),
        {"no-sandbox", '\0', false,
         [](const std::string &) {
             allow_without_sandbox();
             return Taken{};
         }},
        text("html", '\0', options.page),
        {"sorts", '\0', true,
         [&options](const std::string &value) { return take_sorts(options, value); }},
    };
}

Result<Options> parse_options(const std::vector<std::string> &args) {
    Options options;
    options.checking.jobs = processors();
    const std::vector<Option> table = option_table(options);
    adtlab::command_line::Syntax syntax;
    syntax.options = table;
    syntax.options_first = true;
    const Result<adtlab::command_line::Parsed> parsed = adtlab::command_line::parse(syntax, args);
    if (!parsed) {
        return Error{parsed.error()};
    }
    if (parsed->help) {
        options.help = true;
        return options;
    }
    // KIND, then the submissions.
    const std::vector<std::string> &operands = parsed->operands;
    if (operands.size() < 2) {
        return Error{"give a KIND and at least one SUBMISSION (try --help)"};
    }
    const std::string &kind = operands.front();
    if ((options.checking.kind = kind_named(kind)) == nullptr) {
        return Error{"unknown kind '" + kind + "' (" + kind_names_in_words() + ")"};
    }
    if (!options.page.empty() && !options.checking.kind->plays_calls) {
        return Error{"--html plays the calls of sorts; " + kind + " makes none"};
    }
    if (options.sorts_chosen && !options.checking.kind->checks_sorts) {
        return Error{"--sorts chooses the sorts to check; " + kind + " checks none"};
    }
    options.arguments.assign(operands.begin() + 1, operands.end());
    return options;
}

// Where the report goes: standard output, or a temporary file beside the
// file, made before the checks so that a path it cannot write costs no run,
// and renamed to it once the report is whole; removed otherwise.
class ReportFile {
  public:
    explicit ReportFile(const std::string &path) : path_(path) {
        if (path.empty()) {
            return;
        }
        temporary_ = path + ".partial-XXXXXX";
        const int fd = mkostemp(temporary_.data(), O_CLOEXEC);
        if (fd < 0 || (file_ = fdopen(fd, "w")) == nullptr) {
            fail("cannot write " + path + ": " + std::strerror(errno));
        }
    }
    ~ReportFile() {
        if (file_ != nullptr) {
            std::fclose(file_);
            std::remove(temporary_.c_str());
        }
    }
    ReportFile(const ReportFile &) = delete;
    ReportFile &operator=(const ReportFile &) = delete;
    void write(const std::string &report) {
        std::FILE *out = file_ != nullptr ? file_ : stdout;
        const bool written = std::fwrite(report.data(), 1, report.size(), out) == report.size();
        if (!written || std::fflush(out) != 0) {
            fail("cannot write " + (path_.empty() ? std::string("the report") : path_) + ": " +
                 std::strerror(errno));
        }
        if (file_ == nullptr) {
            return;
        }
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        if (!closed || std::rename(temporary_.c_str(), path_.c_str()) != 0) {
            const std::string why = std::strerror(errno);
            std::remove(temporary_.c_str());
            fail("cannot write " + path_ + ": " + why);
        }
    }

  private:
    std::string path_;
    std::string temporary_;
    std::FILE *file_ = nullptr;
};

// The run's own folder, in which every private folder lies: removed at the
// end however the run ends, once what its children left is reaped.
class RunFolder {
  public:
    RunFolder() {
        check_reachable(folder_.path());
        PrivateFolder::place_in(folder_.path());
    }
    ~RunFolder() {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(-1, nullptr, WNOHANG) >= 0 && std::chrono::steady_clock::now() < deadline) {
            usleep(1000); // a killed child's end, handed to this subreaper
        }
    }
    RunFolder(const RunFolder &) = delete;
    RunFolder &operator=(const RunFolder &) = delete;
    const std::filesystem::path &path() const { return folder_.path(); }

  private:
    PrivateFolder folder_;
};

// --html's page, made before the checks so that a path it cannot write
// costs no run, written once they are done, and removed when it is not.
class PageFile {
  public:
    explicit PageFile(const std::string &path) : path_(path) {
        std::FILE *file = path.empty() ? nullptr : std::fopen(path.c_str(), "w");
        if (!path.empty() && (file == nullptr || std::fclose(file) != 0)) {
            fail("cannot write " + path + ": " + std::strerror(errno));
        }
    }
    ~PageFile() {
        if (!path_.empty() && !written_) {
            std::remove(path_.c_str());
        }
    }
    PageFile(const PageFile &) = delete;
    PageFile &operator=(const PageFile &) = delete;
    void write(const std::vector<SubmissionResult> &submissions) {
        if (path_.empty()) {
            return;
        }
        if (!submissions.front().built()) {
            std::fprintf(stderr, "adtlab-check: no page: %s does not build\n",
                         submissions.front().name.c_str());
            return;
        }
        const std::string error = write_check_page(path_, submissions.front());
        if (!error.empty()) {
            fail(error);
        }
        written_ = true;
    }

  private:
    std::string path_;
    bool written_ = false;
};

int run(Options &options) {
    const std::vector<Submission> submissions = gather_submissions(options.arguments);
    if (const std::string refusal =
            format_refusal(*options.format, submissions.size(), options.reporting);
        !refusal.empty()) {
        fail(refusal);
    }
    if (!options.page.empty() && submissions.size() != 1) {
        fail("--html takes one submission; " + std::to_string(submissions.size()) + " given");
    }
    if (!options.seeded) {
        options.checking.seed = std::random_device{}();
    }
    if (const std::string refusal = isolation_refusal(); !refusal.empty()) {
        fail(refusal);
    }
    ReportFile report(options.output);
    PageFile page(options.page);
    options.checking.keep_calls = !options.page.empty();
    options.checking.resources = find_resources();
    const RunFolder folder;
    const PrivateFolder staged;
    try {
        stage_resources(options.checking.resources, *options.checking.kind, staged.path());
    } catch (const BuildFailure &failure) {
        fail(std::string("the harness does not build: ") + failure.what());
    }
    options.checking.staged = staged.path();
    options.checking.libraries = reference_libraries();
    RunResult result;
    result.kind = options.checking.kind->name;
    result.seed = options.checking.seed;
    result.isolation = isolation_in_words();
    result.limits = options.checking.limits;
    result.check_names =
        options.checking.kind->check_names(*options.checking.kind, options.checking.assignment);
    result.submissions = check_all(submissions, options.checking);
    report.write(write_report(*options.format, result, options.reporting));
    page.write(result.submissions);
    return result.conforms() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[]) {
    handle_interruptions();
    // What the children leave running comes to this process, to be reaped.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    try {
        Result<Options> options = parse_options({argv + 1, argv + argc});
        if (!options) {
            return adtlab::command_line::print_error("adtlab-check", options.error());
        }
        if (options->help) {
            std::printf("%s%s%s  --format F          the report's form, one of:\n%s%s%s",
                        usage_head, kinds_usage().c_str(), usage_tail,
                        format_help(std::string(24, ' ')).c_str(), sorts_usage().c_str(),
                        usage_after_formats);
            return 0;
        }
        return run(*options);
    } catch (const Interrupted &stop) {
        std::fprintf(stderr, "adtlab-check: %s", stop.what());
        signal(stop.signal(), SIG_DFL);
        raise(stop.signal());
    } catch (const Failure &failure) {
        if (interruption() != 0) { // a failure that the interruption caused
            std::fprintf(stderr, "adtlab-check: %s", Interrupted(interruption()).what());
            signal(interruption(), SIG_DFL);
            raise(interruption());
        }
        std::fprintf(stderr, "adtlab-check: %s", failure.what());
    } catch (const std::bad_alloc &) {
        std::fputs("adtlab-check: out of memory\n", stderr);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "adtlab-check: %s\n", error.what());
    }
    return 2;
}
