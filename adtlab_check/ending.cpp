#include "ending.h"

#include "child.h"

#include <string.h> // strsignal

#include <csignal>

#include <cstdio>
#include <iterator>

namespace adtlab::check {

namespace {

// What the filter's status (90 + its kind, see harness/filter.c) says the
// module tried to do.
const char *const denials[] = {"start a program or a process",
                               "open a socket",
                               "mount or unshare a file system",
                               "trace or read another process",
                               "send a signal to another process",
                               "push input into a terminal",
                               "make a file in memory (memfd)",
                               "make a system call that a module has no use for",
                               "start another process or a thread (fork, clone)"};

std::string denial_words(int code) {
    return std::string("tried to ") + denials[code - 91] + ", which is denied";
}

// "\"ok\n\"", or "\"ok\nok...\" (192 bytes)": the first bytes of `total`
// as a C string.
std::string written_words(const std::string &bytes, int total) {
    std::string text = "\"";
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
        text += c == '\n'                                       ? "\\n"
                : c >= ' ' && c < 0x7f && c != '"' && c != '\\' ? std::string(1, b)
                                                                : std::string(escaped);
    }
    const auto shown = static_cast<int>(bytes.size());
    return text + (total > shown ? "...\" (" + std::to_string(total) + " bytes)" : "\"");
}

// "2 s", "0.5 s"
std::string seconds_in_words(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", seconds);
    return text;
}

std::string mib(unsigned int count) {
    return std::to_string(count) + " MiB";
}

std::string signal_words(int number) {
    return "was killed by signal " + std::to_string(number) + " (" + strsignal(number) + ")";
}

struct Named {
    EndingKind kind;
    const char *name;
};

const Named names[] = {
    {EndingKind::exited, "exited"},
    {EndingKind::stopped_early, "stopped_early"},
    {EndingKind::timed_out, "timed_out"},
    {EndingKind::memory_limit, "memory_limit"},
    {EndingKind::process_limit, "process_limit"},
    {EndingKind::file_limit, "file_limit"},
    {EndingKind::output_limit, "output_limit"},
    {EndingKind::cpu_limit, "cpu_limit"},
    {EndingKind::denied_call, "denied_call"},
    {EndingKind::filtered, "filtered"},
    {EndingKind::memory_error, "memory_error"},
    {EndingKind::undefined, "undefined"},
    {EndingKind::signal, "signal"},
    {EndingKind::not_started, "not_started"},
    {EndingKind::no_filter, "no_filter"},
    {EndingKind::wrote_on_channel, "wrote_on_channel"},
};

} // namespace

bool is_denial(int code) {
    return code > 90 && code <= 90 + static_cast<int>(std::size(denials));
}

const char *ending_kind_name(EndingKind kind) {
    for (const Named &named : names) {
        if (named.kind == kind) {
            return named.name;
        }
    }
    return "exited";
}

std::string ending_words(const Ending &ending, const Limits &limits) {
    switch (ending.kind) {
    case EndingKind::exited:
        return "";
    case EndingKind::stopped_early:
        return "stopped early";
    case EndingKind::timed_out:
        return "did not finish within " + seconds_in_words(limits.seconds);
    case EndingKind::memory_limit:
        return "exceeded the memory limit of " + mib(limits.memory_mib);
    case EndingKind::process_limit:
        return "started too many processes (the limit is " + std::to_string(limits.processes) + ")";
    case EndingKind::file_limit:
        return "exceeded the file size limit of " + mib(limits.file_mib);
    case EndingKind::output_limit:
        return "printed more than " + mib(limits.file_mib) +
               " on standard output and error (the file size limit: take out debug printing)";
    case EndingKind::cpu_limit:
        return "exceeded the processor time limit of " + seconds_in_words(limits.cpu_seconds);
    case EndingKind::denied_call:
        return is_denial(ending.number) ? denial_words(ending.number) : signal_words(SIGSYS);
    case EndingKind::filtered:
        return "made a system call that is denied (" + std::string(strsignal(SIGSYS)) + ")";
    case EndingKind::memory_error:
        return "made a memory error (" + ending.detail + ")";
    case EndingKind::undefined:
        return "did something undefined (" + ending.detail + ")";
    case EndingKind::signal:
        return signal_words(ending.number);
    case EndingKind::not_started:
        return "could not be started in its place";
    case EndingKind::no_filter:
        return "could not set its filter";
    case EndingKind::wrote_on_channel:
        return "wrote " + written_words(ending.detail, ending.number) +
               " on file descriptor 3, the checker's channel, which a module must not use";
    }
    return "";
}

} // namespace adtlab::check
