// adtlab-check: builds someone's own sorts, queue, stack or fixed strings
// against this system's headers and libraries, runs them in a child process
// with a time limit, and reports whether they conform to the contracts that
// the system relies on, down to the count.
//
//     adtlab-check [--time-limit S] sorts|queue|stack|fstring FILE...
#include "ordtally/ordtally.h"

#include "common/input_shapes.h"
#include "common/sort_cli.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

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

[[noreturn]] void fail(const std::string &message) {
    std::fprintf(stderr, "adtlab-check: %s\n", message.c_str());
    std::exit(2);
}

// Where the headers, libraries and harnesses are: beside this program when
// installed, else in the build tree it was built in.
struct Resources {
    fs::path include;
    fs::path libdir;
    fs::path harness;
};

Resources find_resources() {
    fs::path here = fs::canonical("/proc/self/exe").parent_path();
    fs::path installed = here.parent_path() / "share" / "adtlab" / "check";
    if (fs::exists(installed / "sorts_harness.c")) {
        return {here.parent_path() / "include", here.parent_path() / ADTLAB_CHECK_LIBDIR,
                installed};
    }
    return {ADTLAB_CHECK_SOURCE_DIR, ADTLAB_CHECK_BUILD_LIBDIR,
            fs::path(ADTLAB_CHECK_SOURCE_DIR) / "adtlab_check" / "harness"};
}

// Runs a command and returns its status, its output and messages in `output`.
int run_tool(const std::vector<std::string> &command, std::string &output) {
    int fds[2];
    if (pipe(fds) != 0) {
        fail("cannot make a pipe");
    }
    pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        dup2(fds[1], STDERR_FILENO);
        close(fds[0]);
        close(fds[1]);
        std::vector<char *> argv;
        for (const std::string &arg : command) {
            argv.push_back(const_cast<char *>(arg.c_str()));
        }
        argv.push_back(nullptr);
        execvp(argv[0], argv.data());
        std::fprintf(stderr, "cannot run %s: %s\n", argv[0], std::strerror(errno));
        _exit(127);
    }
    close(fds[1]);
    char buffer[4096];
    for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

std::string tool(const char *variable, const char *fallback) {
    const char *value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : fallback;
}

// Compiles the harness of `kind` and the user's files, and links them into
// work/harness. A build that fails ends the program with the compiler's
// message and status 2.
fs::path build(const std::string &kind, const std::vector<std::string> &files,
               const Resources &where, const fs::path &work) {
    const std::string cc = tool("CC", "cc");
    const std::string cxx = tool("CXX", "c++");
    std::vector<std::string> includes;
    for (const char *dir : {"", "ordtally", "sorting", "adt"}) {
        includes.push_back("-I" + (where.include / dir).string());
    }
    std::vector<std::string> objects;
    std::vector<std::string> sources = files;
    sources.insert(sources.begin(), (where.harness / (kind + "_harness.c")).string());
    for (std::size_t k = 0; k < sources.size(); ++k) {
        const std::string extension = fs::path(sources[k]).extension().string();
        if (extension == ".o" || extension == ".a") {
            objects.push_back(fs::absolute(sources[k]).string());
            continue;
        }
        bool c = extension == ".c";
        if (!c && extension != ".cpp" && extension != ".cc" && extension != ".cxx") {
            fail(sources[k] + ": not a C or C++ source, an object or a static library");
        }
        std::string object = (work / ("file" + std::to_string(k) + ".o")).string();
        std::vector<std::string> command = {c ? cc : cxx, "-c", "-g", "-w"};
        std::istringstream flags(ADTLAB_CHECK_FLAGS);
        for (std::string flag; flags >> flag;) {
            command.push_back(flag);
        }
        command.insert(command.end(), includes.begin(), includes.end());
        command.insert(command.end(), {sources[k], "-o", object});
        std::string output;
        if (run_tool(command, output) != 0) {
            std::fprintf(stderr, "adtlab-check: %s does not build:\n%s", sources[k].c_str(),
                         output.c_str());
            std::exit(2);
        }
        objects.push_back(object);
    }
    fs::path program = work / "harness";
    std::vector<std::string> command = {cxx};
    std::istringstream flags(ADTLAB_CHECK_FLAGS);
    for (std::string flag; flags >> flag;) {
        command.push_back(flag);
    }
    command.insert(command.end(), objects.begin(), objects.end());
    if (kind == "sorts") {
        command.push_back((where.libdir / "libordtally.a").string());
    }
    command.insert(command.end(), {"-o", program.string()});
    std::string output;
    if (run_tool(command, output) != 0) {
        std::fprintf(stderr, "adtlab-check: the module does not link:\n%s", output.c_str());
        std::exit(2);
    }
    return program;
}

// How a harness ended, and the lines it reported on file descriptor 3, read
// as they come so that a mismatch can stop it early.
struct Child {
    pid_t pid = -1;
    int report = -1;
    std::string pending;
    std::chrono::steady_clock::time_point deadline;
};

Child start(const fs::path &program, const std::string &argument, const fs::path &input,
            int seconds) {
    int fds[2];
    if (pipe(fds) != 0) {
        fail("cannot make a pipe");
    }
    Child child;
    child.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    child.pid = fork();
    if (child.pid == 0) {
        int in = open(input.empty() ? "/dev/null" : input.c_str(), O_RDONLY);
        int null = open("/dev/null", O_WRONLY);
        dup2(in, STDIN_FILENO);
        dup2(null, STDOUT_FILENO); // the module's own output is not the report
        dup2(null, STDERR_FILENO);
        dup2(fds[1], 3);
        execl(program.c_str(), program.c_str(), argument.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    child.report = fds[0];
    return child;
}

// The next report line, or nothing once the child has closed its report or
// run out of time.
std::optional<std::string> next_line(Child &child, bool &timed_out) {
    while (true) {
        std::size_t newline = child.pending.find('\n');
        if (newline != std::string::npos) {
            std::string line = child.pending.substr(0, newline);
            child.pending.erase(0, newline + 1);
            return line;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            child.deadline - std::chrono::steady_clock::now());
        pollfd fd{child.report, POLLIN, 0};
        if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) == 0) {
            timed_out = true;
            return std::nullopt;
        }
        char buffer[65536];
        ssize_t n = read(child.report, buffer, sizeof buffer);
        if (n <= 0) {
            return std::nullopt;
        }
        child.pending.append(buffer, static_cast<std::size_t>(n));
    }
}

// Stops the child and tells how it ended: "" for a normal exit.
std::string finish(Child &child, bool timed_out, int seconds) {
    if (timed_out) {
        kill(child.pid, SIGKILL);
    }
    close(child.report);
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (timed_out) {
        return "did not finish within " + std::to_string(seconds) + " s";
    }
    if (WIFSIGNALED(status)) {
        return "was killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
               strsignal(WTERMSIG(status)) + ")";
    }
    return "";
}

// Sorts --------------------------------------------------------------------

// One call of goes_before ("c x y r") or swap ("s i j"), as text.
std::string comparison(int x, int y, bool result) {
    return "c " + std::to_string(x) + " " + std::to_string(y) + " " + (result ? "1" : "0");
}

std::string exchange(unsigned int i, unsigned int j) {
    return "s " + std::to_string(i) + " " + std::to_string(j);
}

std::string readable(const std::string &call) {
    std::istringstream in(call);
    std::string kind;
    long long a = 0;
    long long b = 0;
    int r = 0;
    in >> kind >> a >> b >> r;
    if (kind == "c") {
        return "goes_before(" + std::to_string(a) + ", " + std::to_string(b) + ") -> " +
               (r != 0 ? "true" : "false");
    }
    if (kind == "s") {
        return "swap(a, " + std::to_string(a) + ", " + std::to_string(b) + ")";
    }
    return call.empty() ? "no more calls" : call;
}

// The inputs, smallest first, so that the first failure is on the smallest.
std::vector<std::vector<int>> battery() {
    std::vector<std::vector<int>> inputs = {{3, -1, 2}, {2, -2},         {-2, 2},
                                            {1, 2, 3},  {5, 4, 3, 2, 1}, {-5, 5, 0, -5}};
    // A fixed seed: the same battery every time, so that reports repeat.
    std::mt19937 generator(2024); // NOLINT(cert-msc32-c,cert-msc51-cpp)
    for (unsigned int n = 0; n <= 40; ++n) {
        std::vector<int> values(n);
        for (int &v : values) {
            v = static_cast<int>(generator() % 101) - 50;
        }
        inputs.push_back(values);
    }
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
    for (unsigned int n : {100u, 200u, 300u}) {
        for (std::string_view shape : adtlab::detail::input_shapes) {
            inputs.push_back(adtlab::detail::make_input(shape, n, n));
        }
        std::vector<int> values(n);
        for (int &v : values) {
            v = extremes[generator() % 7];
        }
        inputs.push_back(values);
    }
    std::stable_sort(inputs.begin(), inputs.end(),
                     [](const auto &a, const auto &b) { return a.size() < b.size(); });
    return inputs;
}

std::string show_input(const std::vector<int> &values) {
    std::string text =
        "(" + std::to_string(values.size()) + (values.size() == 1 ? " value)" : " values)");
    for (std::size_t k = 0; k < values.size() && k < 12; ++k) {
        text += ' ';
        text += std::to_string(values[k]);
    }
    return values.size() > 12 ? text + " ..." : text;
}

void record_comparison(int x, int y, bool result, void *user) {
    static_cast<std::vector<std::string> *>(user)->push_back(comparison(x, y, result));
}
void record_swap(const int *, unsigned int i, unsigned int j, void *user) {
    static_cast<std::vector<std::string> *>(user)->push_back(exchange(i, j));
}

// Sorts values by the library and returns its calls, through an observer.
std::vector<std::string> library_calls(const adtlab::detail::SortAlgorithm &algorithm,
                                       std::vector<int> &values) {
    std::vector<std::string> calls;
    const order_observer observer = {record_comparison, record_swap, &calls};
    watch_order(&observer);
    algorithm.sort(values.data(), static_cast<unsigned int>(values.size()));
    watch_order(nullptr);
    return calls;
}

// The calls of one partition of a[left..right], first element as pivot, as
// the definition gives them; a is partitioned, and the pivot's place
// returned. Quick sort's calls are these partitions, sides in either order.
unsigned int partition_calls(std::vector<int> &a, unsigned int left, unsigned int right,
                             std::vector<std::string> &calls) {
    unsigned int pivot = left;
    unsigned int i = left + 1;
    unsigned int j = right;
    auto before = [](int x, int y) {
        unsigned int mx = x < 0 ? 0u - static_cast<unsigned int>(x) : static_cast<unsigned int>(x);
        unsigned int my = y < 0 ? 0u - static_cast<unsigned int>(y) : static_cast<unsigned int>(y);
        return mx < my || (mx == my && x <= y);
    };
    while (i <= j) {
        bool first = before(a[i], a[pivot]);
        calls.push_back(comparison(a[i], a[pivot], first));
        if (first) {
            ++i;
            continue;
        }
        bool second = before(a[pivot], a[j]);
        calls.push_back(comparison(a[pivot], a[j], second));
        if (second) {
            --j;
        } else {
            std::swap(a[i], a[j]);
            calls.push_back(exchange(i, j));
            ++i;
            --j;
        }
    }
    std::swap(a[j], a[pivot]);
    calls.push_back(exchange(j, pivot));
    return j;
}

// cppcheck does not follow the members' use through std::optional.
struct Mismatch {
    std::size_t call;     // cppcheck-suppress unusedStructMember
    std::string expected; // cppcheck-suppress unusedStructMember
    std::string got;      // cppcheck-suppress unusedStructMember
};

// Whether the calls are quick sort's partitions of input, the two sides of
// each in either order; the first call that fits no partition otherwise.
std::optional<Mismatch> match_quick(std::vector<int> a, const std::vector<std::string> &got) {
    std::vector<std::pair<unsigned int, unsigned int>> ranges;
    if (a.size() > 1) {
        ranges.emplace_back(0, static_cast<unsigned int>(a.size() - 1));
    }
    std::size_t at = 0;
    while (!ranges.empty()) {
        std::optional<Mismatch> closest;
        bool matched = false;
        for (std::size_t r = 0; r < ranges.size() && !matched; ++r) {
            auto [left, right] = ranges[r];
            std::vector<int> after = a;
            std::vector<std::string> calls;
            unsigned int pivot = partition_calls(after, left, right, calls);
            std::size_t k = 0;
            while (k < calls.size() && at + k < got.size() && got[at + k] == calls[k]) {
                ++k;
            }
            if (k == calls.size()) {
                matched = true;
                at += k;
                a = after;
                ranges.erase(ranges.begin() + static_cast<long>(r));
                if (pivot > left + 1) {
                    ranges.emplace_back(left, pivot - 1);
                }
                if (pivot + 1 < right) {
                    ranges.emplace_back(pivot + 1, right);
                }
            } else if (!closest || at + k > closest->call) {
                closest = Mismatch{at + k, calls[k], at + k < got.size() ? got[at + k] : ""};
            }
        }
        if (!matched) {
            return closest;
        }
    }
    if (at < got.size()) {
        return Mismatch{at, "", got[at]};
    }
    return std::nullopt;
}

std::optional<Mismatch> match_all(const std::vector<std::string> &expected,
                                  const std::vector<std::string> &got) {
    for (std::size_t k = 0; k < std::max(expected.size(), got.size()); ++k) {
        std::string want = k < expected.size() ? expected[k] : "";
        std::string have = k < got.size() ? got[k] : "";
        if (want != have) {
            return Mismatch{k, want, have};
        }
    }
    return std::nullopt;
}

// Counts of the calls before `end`.
std::string counts_before(const std::vector<std::string> &calls, std::size_t end) {
    std::size_t comparisons = 0;
    std::size_t swaps = 0;
    for (std::size_t k = 0; k < end && k < calls.size(); ++k) {
        (calls[k][0] == 'c' ? comparisons : swaps)++;
    }
    return std::to_string(comparisons) + " comparisons and " + std::to_string(swaps) +
           " swaps before it";
}

bool check_sort(const adtlab::detail::SortAlgorithm &algorithm, const fs::path &program,
                const fs::path &work, int seconds) {
    const std::vector<std::vector<int>> inputs = battery();
    fs::path input_file = work / "inputs.txt";
    {
        std::ofstream out(input_file);
        for (const auto &values : inputs) {
            out << values.size();
            for (int v : values) {
                out << ' ' << v;
            }
            out << '\n';
        }
    }
    const std::string name = std::string(algorithm.name) + "_sort";
    Child child = start(program, algorithm.name, input_file, seconds);
    bool timed_out = false;
    std::string problem;
    long current = -1;
    std::vector<std::string> calls;
    std::size_t done = 0;
    while (auto line = next_line(child, timed_out)) {
        if (line->rfind("missing", 0) == 0) {
            finish(child, false, seconds);
            std::printf("%s: missing\n", name.c_str());
            return false;
        }
        if (line->rfind("begin", 0) == 0) {
            current = std::stol(line->substr(line->rfind(' ') + 1));
            calls.clear();
            continue;
        }
        if (line->rfind("end", 0) != 0) {
            calls.push_back(*line);
            continue;
        }
        const std::vector<int> &input = inputs[static_cast<std::size_t>(current)];
        std::vector<int> sorted = input;
        const std::vector<std::string> expected = library_calls(algorithm, sorted);
        std::optional<Mismatch> mismatch = std::string(algorithm.name) == "quick"
                                               ? match_quick(input, calls)
                                               : match_all(expected, calls);
        std::string result = "end";
        for (int v : sorted) {
            result += ' ';
            result += std::to_string(v);
        }
        if (mismatch) {
            problem = "on " + show_input(input) + "\n  call " + std::to_string(mismatch->call + 1) +
                      ": expected " + readable(mismatch->expected) + "; got " +
                      readable(mismatch->got) + " (" + counts_before(calls, mismatch->call) + ")";
        } else if (*line != result) {
            problem = "on " + show_input(input) + "\n  the result differs from the library's";
        }
        if (!problem.empty()) {
            finish(child, true, seconds); // stopped: the report is made
            std::printf("%s: does not conform\n  %s\n", name.c_str(), problem.c_str());
            return false;
        }
        ++done;
    }
    std::string ending = finish(child, timed_out, seconds);
    if (!ending.empty() || done != inputs.size()) {
        std::string where =
            current >= 0 ? " on " + show_input(inputs[static_cast<std::size_t>(current)]) : "";
        std::printf("%s: does not conform\n  it %s%s\n", name.c_str(),
                    ending.empty() ? "stopped early" : ending.c_str(), where.c_str());
        return false;
    }
    std::printf("%s: conforms (%zu inputs; results, counts and calls as the library's)\n",
                name.c_str(), inputs.size());
    return true;
}

// Queue, stack and fixed strings: the harness checks and reports.
bool check_module(const std::string &kind, const fs::path &program, int seconds) {
    Child child = start(program, kind, {}, seconds);
    bool timed_out = false;
    std::optional<std::string> line = next_line(child, timed_out);
    std::string ending = finish(child, timed_out, seconds);
    if (line && *line == "ok" && ending.empty()) {
        std::printf("%s: conforms\n", kind.c_str());
        return true;
    }
    std::string why =
        line && line->rfind("fail ", 0) == 0
            ? line->substr(5)
            : "the checks " + (ending.empty() ? std::string("stopped early") : ending);
    std::printf("%s: does not conform\n  %s\n", kind.c_str(), why.c_str());
    return false;
}

} // namespace

int main(int argc, char *argv[]) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int seconds = 5;
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (args.size() >= 2 && args[0] == "--time-limit") {
        auto limit = adtlab::detail::parse_number(args[1], 1, 3600);
        if (!limit) {
            fail("time limit '" + args[1] + "' is not a number of seconds from 1 to 3600");
        }
        seconds = static_cast<int>(*limit);
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.size() < 2) {
        fail("give a KIND and at least one FILE (try --help)");
    }
    const std::string kind = args[0];
    if (kind != "sorts" && kind != "queue" && kind != "stack" && kind != "fstring") {
        fail("unknown kind '" + kind + "' (sorts, queue, stack or fstring)");
    }
    const std::vector<std::string> files(args.begin() + 1, args.end());
    for (const std::string &file : files) {
        if (!fs::is_regular_file(file)) {
            fail(file + ": no such file");
        }
    }
    char pattern[] = "/tmp/adtlab-check-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        fail("cannot make a working folder");
    }
    const fs::path work = pattern;
    const fs::path program = build(kind, files, find_resources(), work);
    bool conforms = true;
    if (kind == "sorts") {
        for (const auto &algorithm : adtlab::detail::sort_algorithms) {
            conforms = check_sort(algorithm, program, work, seconds) && conforms;
        }
    } else {
        conforms = check_module(kind, program, seconds);
    }
    fs::remove_all(work);
    return conforms ? 0 : 1;
}
