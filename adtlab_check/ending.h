// How a run of the harness ended, kept as a kind and its detail until it
// is written out: ending_words() is the one place that words are made of it.
#pragma once

#include <string>

namespace adtlab::check {

struct Limits;

enum class EndingKind {
    exited,           // a normal exit
    stopped_early,    // a normal exit before every input or operation
    timed_out,        // past the wall-clock limit
    memory_limit,     // past the memory limit
    process_limit,    // more processes than the group allows
    file_limit,       // a file it wrote grew past the file size limit
    output_limit,     // its printing on standard output and error did
    cpu_limit,        // past the processor time limit
    denied_call,      // the filter's status: `number` is 90 + the kind of call
    filtered,         // killed by SIGSYS, a denied call the handler did not see
    memory_error,     // a sanitizer's report: `detail` is its kind
    undefined,        // undefined behaviour: `detail` is the runtime's words
    signal,           // killed by signal `number`
    not_started,      // it could not take its place (status 126)
    no_filter,        // the harness could not set its filter (status 3)
    wrote_on_channel, // the module wrote `detail` on file descriptor 3
};

struct Ending {
    EndingKind kind = EndingKind::exited;
    int number = 0;     // the signal or the status, where the kind has one
    std::string detail; // the sanitizer's kind, the runtime's words, the bytes written
};

// The ending in words after "it ": "did not finish within 5 s", ...; ""
// for a normal exit.
std::string ending_words(const Ending &ending, const Limits &limits);

// The kind's name in machine-readable output: "timed_out", "memory_limit", ...
const char *ending_kind_name(EndingKind kind);

// The denied call that the filter's status `code` tells of; false for
// another status.
bool is_denial(int code);

} // namespace adtlab::check
