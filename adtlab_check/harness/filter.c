/* The system calls a sort, queue, stack or fixed-string module has no use
 * for, denied before any of the module's code runs: linked first into every
 * harness, it sets a seccomp filter from the executable's pre-initialisers,
 * which run before every constructor (adtlab-check refuses a module that
 * brings code of its own to run that early).
 *
 * A denied call raises SIGSYS, whose handler ends the process with status
 * 90 + the kind of call below; adtlab-check turns the status into words.
 * The sanitizers' runtime keeps working: it maps memory, and signals and
 * aborts only itself. */
#define _GNU_SOURCE /* syscall numbers, TIOCSTI */

#include <seccomp.h>
#include <signal.h>
#include <stddef.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <unistd.h>

enum denial {
    starts_program = 1,
    opens_socket,
    mounts,
    traces,
    signals_other,
    pushes_input,
    makes_memory_file,
    other_call,
    starts_process,
};

struct denied {
    int syscall;
    enum denial kind;
};

/* Calls denied whatever their arguments; a name the architecture lacks
 * comes out negative and is skipped. */
static const struct denied denied[] = {
    {SCMP_SYS(execve), starts_program},
    {SCMP_SYS(execveat), starts_program},
    {SCMP_SYS(fork), starts_process},
    {SCMP_SYS(vfork), starts_process},
    {SCMP_SYS(clone), starts_process},
    {SCMP_SYS(clone3), starts_process},
    {SCMP_SYS(socket), opens_socket},
    {SCMP_SYS(socketpair), opens_socket},
    {SCMP_SYS(socketcall), opens_socket},
    {SCMP_SYS(mount), mounts},
    {SCMP_SYS(umount2), mounts},
    {SCMP_SYS(umount), mounts},
    {SCMP_SYS(pivot_root), mounts},
    {SCMP_SYS(chroot), mounts},
    {SCMP_SYS(unshare), mounts},
    {SCMP_SYS(setns), mounts},
    {SCMP_SYS(open_tree), mounts},
    {SCMP_SYS(move_mount), mounts},
    {SCMP_SYS(fsopen), mounts},
    {SCMP_SYS(fsconfig), mounts},
    {SCMP_SYS(fsmount), mounts},
    {SCMP_SYS(fspick), mounts},
    {SCMP_SYS(mount_setattr), mounts},
    {SCMP_SYS(ptrace), traces},
    {SCMP_SYS(process_vm_readv), traces},
    {SCMP_SYS(process_vm_writev), traces},
    {SCMP_SYS(process_madvise), traces},
    {SCMP_SYS(kcmp), traces},
    {SCMP_SYS(pidfd_open), traces},
    {SCMP_SYS(pidfd_getfd), traces},
    {SCMP_SYS(pidfd_send_signal), signals_other},
    {SCMP_SYS(memfd_create), makes_memory_file},
    {SCMP_SYS(memfd_secret), makes_memory_file},
    {SCMP_SYS(bpf), other_call},
    {SCMP_SYS(perf_event_open), other_call},
    {SCMP_SYS(userfaultfd), other_call},
    {SCMP_SYS(io_uring_setup), other_call},
    {SCMP_SYS(io_uring_enter), other_call},
    {SCMP_SYS(io_uring_register), other_call},
    {SCMP_SYS(keyctl), other_call},
    {SCMP_SYS(add_key), other_call},
    {SCMP_SYS(request_key), other_call},
    {SCMP_SYS(init_module), other_call},
    {SCMP_SYS(finit_module), other_call},
    {SCMP_SYS(delete_module), other_call},
    {SCMP_SYS(kexec_load), other_call},
    {SCMP_SYS(kexec_file_load), other_call},
    {SCMP_SYS(reboot), other_call},
    {SCMP_SYS(swapon), other_call},
    {SCMP_SYS(swapoff), other_call},
    {SCMP_SYS(acct), other_call},
    {SCMP_SYS(quotactl), other_call},
    {SCMP_SYS(syslog), other_call},
    {SCMP_SYS(name_to_handle_at), other_call},
    {SCMP_SYS(open_by_handle_at), other_call},
    {SCMP_SYS(fanotify_init), other_call},
    {SCMP_SYS(mknod), other_call},
    {SCMP_SYS(mknodat), other_call},
    {SCMP_SYS(iopl), other_call},
    {SCMP_SYS(ioperm), other_call},
    {SCMP_SYS(personality), other_call},
};

/* Signal calls whose first argument must be this process. */
static const int own_signals[] = {SCMP_SYS(kill), SCMP_SYS(tkill), SCMP_SYS(tgkill),
                                  SCMP_SYS(rt_sigqueueinfo), SCMP_SYS(rt_tgsigqueueinfo)};

static enum denial kind_of(int syscall) {
    for (size_t k = 0; k < sizeof denied / sizeof denied[0]; ++k) {
        if (denied[k].syscall == syscall) {
            return denied[k].kind;
        }
    }
    if (syscall == SCMP_SYS(ioctl)) {
        return pushes_input;
    }
    for (size_t k = 0; k < sizeof own_signals / sizeof own_signals[0]; ++k) {
        if (own_signals[k] == syscall) {
            return signals_other;
        }
    }
    return other_call;
}

static void on_denied(int signal, siginfo_t *info, void *context) {
    (void)signal;
    (void)context;
    _exit(90 + (int)kind_of(info->si_syscall));
}

/* The rules, each a trap; nonzero when one cannot be added. */
static int add_rules(scmp_filter_ctx filter) {
    int failed = 0;
    for (size_t k = 0; k < sizeof denied / sizeof denied[0]; ++k) {
        if (denied[k].syscall >= 0) {
            failed |= seccomp_rule_add(filter, SCMP_ACT_TRAP, denied[k].syscall, 0);
        }
    }
    const scmp_datum_t self = (scmp_datum_t)getpid();
    for (size_t k = 0; k < sizeof own_signals / sizeof own_signals[0]; ++k) {
        if (own_signals[k] >= 0) {
            failed |= seccomp_rule_add(filter, SCMP_ACT_TRAP, own_signals[k], 1,
                                       SCMP_A0(SCMP_CMP_NE, self));
        }
    }
    failed |= seccomp_rule_add(filter, SCMP_ACT_TRAP, SCMP_SYS(ioctl), 1,
                               SCMP_A1(SCMP_CMP_MASKED_EQ, 0xffffffffu, TIOCSTI));
    failed |= seccomp_rule_add(filter, SCMP_ACT_TRAP, SCMP_SYS(ioctl), 1,
                               SCMP_A1(SCMP_CMP_MASKED_EQ, 0xffffffffu, TIOCLINUX));
    /* The handler stays this one: SIGSYS cannot be caught otherwise. */
    failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(1), SCMP_SYS(rt_sigaction), 1,
                               SCMP_A0(SCMP_CMP_EQ, SIGSYS));
    failed |= seccomp_rule_add(filter, SCMP_ACT_ERRNO(1), SCMP_SYS(sigaction), 1,
                               SCMP_A0(SCMP_CMP_EQ, SIGSYS));
    return failed;
}

/* Sets the filter, or ends the process with status 3 before the module
 * runs: a harness that runs unfiltered gives no verdict. */
static void set_filter(int argc, char **argv, char **envp) {
    (void)argc;
    (void)argv;
    (void)envp;
    struct sigaction action = {0};
    action.sa_sigaction = on_denied;
    action.sa_flags = SA_SIGINFO;
    scmp_filter_ctx filter = seccomp_init(SCMP_ACT_ALLOW);
    int failed = filter == NULL || sigaction(SIGSYS, &action, NULL) != 0;
    failed = failed || seccomp_attr_set(filter, SCMP_FLTATR_ACT_BADARCH, SCMP_ACT_KILL_PROCESS) ||
             seccomp_attr_set(filter, SCMP_FLTATR_CTL_NNP, 1) || add_rules(filter) ||
             seccomp_load(filter) != 0;
    if (failed) {
        static const char message[] = "adtlab-check harness: cannot set the system-call filter\n";
        (void)!write(STDERR_FILENO, message, sizeof message - 1);
        _exit(3);
    }
    seccomp_release(filter);
}

__attribute__((section(".preinit_array"),
               used)) static void (*const set_filter_first)(int, char **, char **) = set_filter;
