#include "submissions.h"

#include "bubblewrap.h"
#include "failure.h"
#include "interruption.h"
#include "kinds.h"
#include "progress_line.h"
#include "sandbox.h"
#include "worker_records.h"

#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <new>
#include <string_view>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

// The checks of a kind, each an error: for a submission that did not build.
std::vector<CheckResult> unbuilt_checks(const Checking &checking) {
    std::vector<CheckResult> checks;
    for (const std::string &name :
         checking.kind->check_names(*checking.kind, checking.assignment)) {
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
        result.checks = unbuilt_checks(checking);
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
        result.checks = unbuilt_checks(checking);
        return result;
    }
    // Without a sandbox, the children work in a folder of their own.
    if (!in_bubblewrap()) {
        harness.home = make_children_folder(folder.path() / "work");
    }
    harness.output = open_output_file(folder.path());
    result.checks =
        checking.kind->check(*checking.kind, checking.assignment, harness, checking.keep_calls);
    result.output = captured_output(harness.output);
    close(harness.output);
    return result;
}

// A submission's record, with the wall time of its build and checks.
SubmissionResult check_one(const Submission &submission, const Checking &checking) {
    const auto began = std::chrono::steady_clock::now();
    SubmissionResult result = check_unclocked(submission, checking);
    result.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
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
            put_field(record, "record");
            record += encode_record(check_one(submission, checking));
        } catch (const Failure &failure) {
            record.clear();
            put_field(record, "failure");
            put_field(record, failure.what());
        } catch (const std::bad_alloc &) {
            record.clear();
            put_field(record, "failure");
            put_field(record, "out of memory\n");
        } catch (const std::exception &error) {
            record.clear();
            put_field(record, "failure");
            put_field(record, std::string(error.what()) + "\n");
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
    if (take_field(in) == "failure") {
        throw Failure(take_field(in));
    }
    results[worker.index] = decode_record(in);
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
