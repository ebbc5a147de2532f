#include "interruption.h"

#include <signal.h>
#include <string.h>

#include <atomic>
#include <string>

namespace adtlab::check {

namespace {

volatile sig_atomic_t received = 0;

// The groups to kill: slots, each 0 or a pid, read by the handler.
constexpr std::size_t group_room = 1024;
std::atomic<pid_t> groups[group_room];

void on_signal(int signal) {
    received = signal;
    for (std::atomic<pid_t> &group : groups) {
        const pid_t pid = group.load();
        if (pid > 0) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
        }
    }
}

} // namespace

Interrupted::Interrupted(int signal)
    : Failure(std::string("interrupted by SIG") + sigabbrev_np(signal) +
              ": every check stopped and its folder removed\n"),
      signal_(signal) {}

void handle_interruptions() {
    struct sigaction action {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    for (int signal : {SIGINT, SIGTERM}) {
        sigaction(signal, &action, nullptr);
    }
}

int interruption() {
    return received;
}

void stop_if_interrupted() {
    if (received != 0) {
        throw Interrupted(received);
    }
}

void remember_group(pid_t group) {
    for (std::atomic<pid_t> &slot : groups) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, group)) {
            return;
        }
    }
}

void forget_group(pid_t group) {
    for (std::atomic<pid_t> &slot : groups) {
        pid_t same = group;
        if (slot.compare_exchange_strong(same, 0)) {
            return;
        }
    }
}

} // namespace adtlab::check
