#include "submissions.h"

#include "bubblewrap.h"
#include "failure.h"
#include "interruption.h"
#include "kinds.h"
#include "sandbox.h"

#include "sort_calls/sorts.h"
#include "sort_inputs/values.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

bool is_module_file(const fs::path &file) {
    const std::string extension = file.extension().string();
    for (const char *taken : {".c", ".cpp", ".cc", ".cxx", ".o", ".a"}) {
        if (extension == taken) {
            return true;
        }
    }
    return false;
}

// "/class/alice" for alice/, ./alice or /class/alice/.
fs::path place_of(const std::string &argument) {
    const fs::path path = fs::absolute(argument).lexically_normal();
    return path.has_filename() ? path : path.parent_path();
}

// The last `count` parts of a place: "alice", "a/alice", ...
std::string last_parts(const fs::path &place, std::size_t count) {
    fs::path tail;
    for (fs::path rest = place; count > 0 && rest.has_filename(); --count) {
        tail = tail.empty() ? rest.filename() : rest.filename() / tail;
        rest = rest.parent_path();
    }
    return tail.string();
}

// The fewest last parts of places[i] that no other place of its name
// shares; the same place given twice is numbered: "ana", "ana (2)".
std::string distinct_name(const std::vector<Submission> &submissions,
                          const std::vector<fs::path> &places, std::size_t i) {
    std::size_t count = 1;
    for (std::size_t j = 0; j < places.size(); ++j) {
        const bool rival = submissions[j].name == submissions[i].name && places[j] != places[i];
        while (rival && count < 256 &&
               last_parts(places[j], count) == last_parts(places[i], count)) {
            ++count;
        }
    }
    std::string name = last_parts(places[i], count);
    const auto same =
        std::count(places.begin(), places.begin() + static_cast<std::ptrdiff_t>(i), places[i]);
    return same == 0 ? name : name + " (" + std::to_string(same + 1) + ")";
}

// Submissions of the same name told apart by the places they come from.
void tell_apart(std::vector<Submission> &submissions, const std::vector<fs::path> &places) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < submissions.size(); ++i) {
        const auto shared =
            std::count_if(submissions.begin(), submissions.end(), [&](const Submission &other) {
                return other.name == submissions[i].name;
            });
        names.push_back(shared == 1 ? submissions[i].name : distinct_name(submissions, places, i));
    }
    for (std::size_t i = 0; i < submissions.size(); ++i) {
        submissions[i].name = names[i];
    }
}

std::vector<std::string> files_in(const std::string &folder) {
    std::vector<std::string> files;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder)) {
        std::error_code error;
        if (!entry.is_directory(error) && is_module_file(entry.path())) {
            files.push_back(fs::absolute(entry.path()).string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<Submission> gather_submissions(const std::vector<std::string> &arguments) {
    std::vector<Submission> submissions;
    std::optional<std::size_t> named; // the submission of the files named directly
    std::vector<fs::path> places;     // where each comes from: its folder, or its first file
    for (const std::string &argument : arguments) {
        std::error_code error;
        if (fs::is_directory(argument, error)) {
            places.push_back(place_of(argument));
            submissions.push_back({places.back().filename().string(), files_in(argument)});
            continue;
        }
        if (!fs::is_regular_file(argument, error)) {
            fail(argument + ": no such file or folder");
        }
        if (!is_module_file(argument)) {
            fail(argument + ": not a C or C++ source, an object or a static library");
        }
        if (!named) {
            named = submissions.size();
            places.push_back(place_of(argument));
            submissions.push_back({places.back().filename().string(), {}});
        }
        // Absolute: the compiler runs in the submission's private folder.
        submissions[*named].files.push_back(fs::absolute(argument).string());
    }
    tell_apart(submissions, places);
    return submissions;
}

namespace {

// The checks of a kind, each an error: for a submission that did not build.
std::vector<CheckResult> unbuilt_checks(const Kind &kind) {
    std::vector<CheckResult> checks;
    for (const std::string &name : kind.check_names(kind)) {
        CheckResult check;
        check.name = name;
        check.status = Status::error;
        check.why = "the submission does not build";
        checks.push_back(check);
    }
    return checks;
}

SubmissionResult check_unclocked(const Submission &submission, const Checking &checking) {
    SubmissionResult result;
    result.name = submission.name;
    if (submission.files.empty()) {
        result.build_error = "no C or C++ sources, objects or static libraries in it\n";
        result.checks = unbuilt_checks(*checking.kind);
        return result;
    }
    const PrivateFolder folder(checking.keep);
    const fs::path box = make_children_folder(folder.path() / "submission");
    Harness harness{{}, folder.path(), checking.limits, checking.seed, -1, {}, {}};
    try {
        Built built = build(*checking.kind, submission.files, checking.staged, box,
                            checking.objects, checking.libraries);
        harness.program = built.program;
        harness.objects = std::move(built.objects);
    } catch (const BuildFailure &failure) {
        result.build_error = failure.what();
        result.checks = unbuilt_checks(*checking.kind);
        return result;
    }
    // Without a sandbox, the children work in a folder of their own.
    if (!in_bubblewrap()) {
        harness.home = make_children_folder(folder.path() / "work");
    }
    harness.output = open_output_file(folder.path());
    result.checks = checking.kind->check(*checking.kind, harness, checking.keep_calls);
    result.output = captured_output(harness.output);
    close(harness.output);
    return result;
}

// A submission's record, with the wall time of its build and checks.
SubmissionResult check_one(const Submission &submission, const Checking &checking) {
    const auto start = std::chrono::steady_clock::now();
    SubmissionResult result = check_unclocked(submission, checking);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// "checked 7 of 30 submissions, 12 s" on standard error when it is a
// terminal, redrawn in place and cleared at the end.
class ProgressLine {
  public:
    ProgressLine() : shown_(isatty(STDERR_FILENO) == 1) {}
    void show(std::size_t done, std::size_t total) const {
        if (shown_) {
            const auto taken = std::chrono::duration_cast<std::chrono::seconds>(
                std::chrono::steady_clock::now() - start_);
            std::fprintf(stderr, "\r\033[Kchecked %zu of %zu submissions, %lld s", done, total,
                         static_cast<long long>(taken.count()));
            std::fflush(stderr);
        }
    }
    void clear() const {
        if (shown_) {
            std::fputs("\r\033[K", stderr);
            std::fflush(stderr);
        }
    }

  private:
    bool shown_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A record sent from a worker process to the run: fields of "LENGTH:BYTES".
void put(std::string &out, const std::string &field) {
    out += std::to_string(field.size()) + ":" + field;
}

void put(std::string &out, unsigned long long number) {
    put(out, std::to_string(number));
}

std::string take(std::string_view &in) {
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

long long take_number(std::string_view &in) {
    const auto number = parse_number(take(in), LLONG_MIN, LLONG_MAX);
    if (!number) {
        throw std::runtime_error("a worker's record is malformed");
    }
    return *number;
}

std::string encode(const SubmissionResult &result) {
    std::string out;
    put(out, result.name);
    put(out, result.build_error);
    put(out, result.output);
    put(out, static_cast<unsigned long long>(std::llround(result.seconds * 1e9))); // nanoseconds
    put(out, result.checks.size());
    for (const CheckResult &c : result.checks) {
        put(out, c.name);
        put(out, static_cast<unsigned long long>(c.status));
        put(out, c.points);
        put(out, c.max_points);
        put(out, c.inputs);
        for (const std::string *text : {&c.why, &c.expected, &c.got, &c.ending, &c.ending_kind}) {
            put(out, *text);
        }
        put(out, c.input ? c.input->size() + 1 : 0);
        for (int value : c.input.value_or(std::vector<int>{})) {
            put(out, std::to_string(value));
        }
        put(out, c.before ? 1 : 0);
        put(out, c.before ? c.before->comparisons : 0);
        put(out, c.before ? c.before->swaps : 0);
    }
    return out;
}

SubmissionResult decode(std::string_view in) {
    SubmissionResult result;
    result.name = take(in);
    result.build_error = take(in);
    result.output = take(in);
    result.seconds = static_cast<double>(take_number(in)) / 1e9;
    for (long long k = take_number(in); k > 0; --k) {
        CheckResult c;
        c.name = take(in);
        c.status = static_cast<Status>(take_number(in));
        c.points = static_cast<unsigned int>(take_number(in));
        c.max_points = static_cast<unsigned int>(take_number(in));
        c.inputs = static_cast<std::size_t>(take_number(in));
        for (std::string *text : {&c.why, &c.expected, &c.got, &c.ending, &c.ending_kind}) {
            *text = take(in);
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

// A process that checks one submission and writes its record, or "failure"
// and the message of a failure that stops the run, on its pipe. The checks
// use the library's process-wide observer, so each runs in a process of
// its own.
struct Worker {
    pid_t pid = -1;
    int pipe = -1;
    std::size_t index = 0;
    std::string received;
};

Worker start_worker(const Submission &submission, const Checking &checking, std::size_t index) {
    int fds[2];
    make_pipe(fds);
    const pid_t run = getpid();
    const pid_t pid = fork_process();
    if (pid == 0) {
        // A worker ends with the run, however the run ends.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != run) {
            _exit(1);
        }
        close(fds[0]);
        std::string record;
        try {
            put(record, "record");
            record += encode(check_one(submission, checking));
        } catch (const Failure &failure) {
            record.clear();
            put(record, "failure");
            put(record, failure.what());
        } catch (const std::bad_alloc &) {
            record.clear();
            put(record, "failure");
            put(record, "out of memory\n");
        } catch (const std::exception &error) {
            record.clear();
            put(record, "failure");
            put(record, std::string(error.what()) + "\n");
        }
        for (std::size_t sent = 0; sent < record.size();) {
            const ssize_t n = write(fds[1], record.data() + sent, record.size() - sent);
            if (n <= 0) {
                _exit(1);
            }
            sent += static_cast<std::size_t>(n);
        }
        _exit(0);
    }
    remember_group(pid);
    close(fds[1]);
    return {pid, fds[0], index, {}};
}

// Reads what the worker sent; true once it has ended, with its record in
// results[index], or a failure thrown.
bool read_worker(Worker &worker, const Submission &submission,
                 std::vector<SubmissionResult> &results) {
    char buffer[65536];
    const ssize_t n = read(worker.pipe, buffer, sizeof buffer);
    if (n > 0) {
        worker.received.append(buffer, static_cast<std::size_t>(n));
        return false;
    }
    close(worker.pipe);
    int status = 0;
    waitpid(worker.pid, &status, 0);
    forget_group(worker.pid);
    worker.pid = -1; // ended and waited for, whatever it sent
    stop_if_interrupted();
    std::string_view in = worker.received;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || in.empty()) {
        fail("the check of " + submission.name + " ended abnormally");
    }
    if (take(in) == "failure") {
        throw Failure(take(in));
    }
    results[worker.index] = decode(in);
    return true;
}

// Waits up to a second for the workers, and takes what they sent.
void serve(std::vector<Worker> &workers, const std::vector<Submission> &submissions,
           std::vector<SubmissionResult> &results, std::size_t &done) {
    std::vector<pollfd> fds;
    for (const Worker &worker : workers) {
        fds.push_back({worker.pipe, POLLIN, 0});
    }
    if (poll(fds.data(), fds.size(), 1000) <= 0) {
        return;
    }
    for (std::size_t k = workers.size(); k-- > 0;) {
        if (fds[k].revents != 0 &&
            read_worker(workers[k], submissions[workers[k].index], results)) {
            workers.erase(workers.begin() + static_cast<std::ptrdiff_t>(k));
            ++done;
        }
    }
}

// Ends the workers still running after a failure, and waits for them.
void stop_workers(std::vector<Worker> &workers) {
    for (Worker &worker : workers) {
        if (worker.pid < 0) {
            continue;
        }
        kill(worker.pid, SIGKILL);
        close(worker.pipe);
        waitpid(worker.pid, nullptr, 0);
        forget_group(worker.pid);
    }
    workers.clear();
}

} // namespace

std::vector<SubmissionResult> check_all(const std::vector<Submission> &submissions,
                                        const Checking &checking) {
    std::vector<SubmissionResult> results(submissions.size());
    const ProgressLine progress;
    std::size_t done = 0;
    if (checking.jobs == 1 || submissions.size() == 1) {
        for (; done < submissions.size(); ++done) {
            progress.show(done, submissions.size());
            results[done] = check_one(submissions[done], checking);
            stop_if_interrupted();
        }
    }
    std::vector<Worker> workers;
    try {
        for (std::size_t next = done; done < submissions.size();) {
            while (workers.size() < checking.jobs && next < submissions.size()) {
                workers.push_back(start_worker(submissions[next], checking, next));
                ++next;
            }
            progress.show(done, submissions.size());
            serve(workers, submissions, results, done);
            stop_if_interrupted();
        }
    } catch (...) {
        stop_workers(workers);
        progress.clear();
        stop_if_interrupted(); // the cause of whatever failed
        throw;
    }
    progress.show(done, submissions.size());
    progress.clear();
    return results;
}

} // namespace adtlab::check
