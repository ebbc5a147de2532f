// adtlab-check on hostile submissions, one per kind of attack, each checked
// beside a sound one: the attack is contained (nothing written outside, no
// secret, token or another's work in any report, no terminal input, no host
// socket reached), the hostile module does not conform, the run ends and the
// sound one is still checked. As root, as an ordinary user, and, without
// bubblewrap, the refusal to run as root.
#include "process.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h> // mkdtemp
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;

namespace {

using adtlab::testing::Outcome;
using adtlab::testing::run_program;

const char secret_text[] = "SECRET-7f3a9c-of-the-teacher";
const char token_text[] = "TOKEN-51be0d-of-the-teacher";
const char nobody[] = "65534";

// How the hostile submission is made: from its source, or as a fixture.
enum class Made { source, symlink, fifo, library_archive, linker_script };

struct Attack {
    const char *what;
    const char *source;  // in tests/hostile/, after sort_if.h
    const char *verdict; // what the report says of the hostile submission
    Made made = Made::source;
    std::vector<std::string> options = {};
};

void PrintTo(const Attack &a, std::ostream *os) {
    *os << a.what;
}

std::string read_all(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void replace_all(std::string &text, const std::string &from, const std::string &to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
        text.replace(at, from.size(), to);
    }
}

bool bubblewrap_runs() {
    return run_program({"/bin/sh", "-c",
                        "bwrap --unshare-all --die-with-parent --ro-bind / / true 2>/dev/null"})
        .exited(0);
}

// The fixtures of one attack, in a folder that user 65534 may reach: a
// secret, a victim's folder, a FIFO, a listening unix socket, a class of
// the hostile submission and a sound one; removed at the end.
class Fixtures {
  public:
    explicit Fixtures(bool as_user) {
        root_ = "/tmp/adtlab-check-hostile-XXXXXX";
        if (mkdtemp(root_.data()) == nullptr) {
            throw std::runtime_error("no temporary folder");
        }
        chmod(root_.c_str(), 0755);
        for (const char *folder : {"tmp", "victim", "class/hostile", "class/sound"}) {
            fs::create_directories(path(folder));
        }
        std::ofstream(path("secret")) << secret_text << "\n";
        chmod(path("secret").c_str(), 0600);
        mkfifo(path("fifo").c_str(), 0600);
        listen_on(path("socket"));
        std::ofstream(path("class/sound/sorts.c"))
            << read_all(TESTS_DIR "/check_modules/left_first_sorts.c")
            << "/* ANOTHER-STUDENTS-WORK */\n";
        if (as_user) {
            for (const fs::directory_entry &entry : fs::recursive_directory_iterator(root_)) {
                lchown(entry.path().c_str(), 65534, 65534);
            }
            lchown(root_.c_str(), 65534, 65534);
        }
    }
    ~Fixtures() {
        close(listener_);
        fs::remove_all(root_);
    }
    Fixtures(const Fixtures &) = delete;
    Fixtures &operator=(const Fixtures &) = delete;

    fs::path path(const std::string &name) const { return fs::path(root_) / name; }
    // The source with the fixtures' paths in place of the words.
    std::string with_paths(std::string text) const {
        replace_all(text, "@SECRET@", path("secret").string());
        replace_all(text, "@VICTIM@", path("victim").string());
        replace_all(text, "@SOCKET@", path("socket").string());
        replace_all(text, "@FIFO@", path("fifo").string());
        return text;
    }
    // Whether anything connected to the socket.
    bool reached() const { return accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK) >= 0; }

  private:
    void listen_on(const fs::path &socket_path) {
        listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socket_path.c_str(), sizeof address.sun_path - 1);
        if (bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
            listen(listener_, 8) != 0) {
            throw std::runtime_error("no listening socket");
        }
        chmod(socket_path.c_str(), 0777);
    }
    std::string root_;
    int listener_ = -1;
};

// Makes the hostile submission in class/hostile.
void make_hostile(const Attack &a, const Fixtures &f) {
    const fs::path into = f.path("class/hostile");
    switch (a.made) {
    case Made::source:
        std::ofstream(into / "sorts.c")
            << f.with_paths(read_all(TESTS_DIR "/hostile/sort_if.h") +
                            read_all(std::string(TESTS_DIR "/hostile/") + a.source));
        break;
    case Made::symlink:
        fs::create_symlink(f.path("secret"), into / "sorts.c");
        break;
    case Made::fifo:
        mkfifo((into / "sorts.c").c_str(), 0644);
        break;
    case Made::library_archive: // the library's own sorts, and a file that refers to them
        fs::copy_file(SORTING_LIBRARY, into / "sorts.a");
        std::ofstream(into / "use.c") << "void selection_sort(int *, unsigned);\n"
                                         "void (*use)(int *, unsigned) = selection_sort;\n";
        break;
    case Made::linker_script:
        std::ofstream(into / "sorts.o") << "INPUT(" << SORTING_LIBRARY << ")\n";
        break;
    }
}

// The processes still below this test once the deadline passes, which only
// one that outlives the check reaches; this test is their subreaper.
int children_left() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(-1, nullptr, WNOHANG) < 0 && errno == ECHILD) {
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 1;
}

// The text without the verdicts that quote the marker as a line forged into
// the harness's report: that is the report catching the write, not a leak.
std::string without_quoted_marker(std::string text) {
    const std::string quoted = "malformed line: DESCRIPTOR-MARKER";
    for (std::size_t at; (at = text.find(quoted)) != std::string::npos;) {
        text.erase(at, quoted.size());
    }
    return text;
}

class AdtlabCheckHostile : public ::testing::TestWithParam<std::tuple<Attack, bool>> {};

TEST_P(AdtlabCheckHostile, ContainsTheAttackAndChecksTheNext) {
    const auto &[a, as_user] = GetParam();
    if (!bubblewrap_runs()) {
        GTEST_SKIP() << "bubblewrap does not run here";
    }
    if (as_user && geteuid() != 0) {
        GTEST_SKIP() << "already an ordinary user: the other case runs as one";
    }
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const Fixtures f(as_user);
    make_hostile(a, f);
    // Every format writes the same records; JSON holds all of their texts.
    const std::vector<std::string> formats =
        as_user ? std::vector<std::string>{"text"} : std::vector<std::string>{"text", "json"};
    for (const std::string &format : formats) {
        std::vector<std::string> command;
        if (as_user) {
            command = {"/usr/bin/setpriv", std::string("--reuid=") + nobody,
                       std::string("--regid=") + nobody, "--clear-groups"};
        }
        const fs::path report = f.path("report." + format);
        command.insert(command.end(), {ADTLAB_CHECK, "--format", format, "--output",
                                       report.string(), "--jobs", "2", "--time-limit", "60"});
        command.insert(command.end(), a.options.begin(), a.options.end());
        command.insert(command.end(),
                       {"sorts", f.path("class/hostile").string(), f.path("class/sound").string()});
        const Outcome o = run_program(
            command, "",
            {"TMPDIR=" + f.path("tmp").string(), std::string("ADTLAB_TEST_TOKEN=") + token_text});
        const std::string text = read_all(report);
        EXPECT_TRUE(o.exited(1)) << o.out << o.err << text;
        for (const std::string &leak : {std::string(secret_text), std::string(token_text),
                                        std::string("DESCRIPTOR-MARKER")}) {
            EXPECT_EQ(without_quoted_marker(o.out + o.err + text).find(leak), std::string::npos)
                << leak << " in\n"
                << text << o.err;
        }
        if (format == "text") {
            EXPECT_NE(text.find("hostile\n"), std::string::npos) << text;
            EXPECT_EQ(text.find("hostile\n  selection_sort: conforms"), std::string::npos) << text;
            EXPECT_NE(text.find(a.verdict), std::string::npos) << "no \"" << a.verdict << "\" in\n"
                                                               << text;
            EXPECT_NE(text.find("sound\n  selection_sort: conforms"), std::string::npos) << text;
            EXPECT_NE(text.find("quick_sort: conforms"), std::string::npos) << text;
        }
    }
    EXPECT_TRUE(fs::is_empty(f.path("victim"))) << "written into the victim's folder";
    EXPECT_TRUE(fs::is_empty(f.path("tmp"))) << "left in $TMPDIR";
    EXPECT_FALSE(f.reached()) << "the host's socket was reached";
    EXPECT_EQ(children_left(), 0) << "a process outlived the check";
}

const char *const hostile = "hostile\n  selection_sort: does not conform";

INSTANTIATE_TEST_SUITE_P(
    Attacks, AdtlabCheckHostile,
    ::testing::Combine(
        ::testing::Values(
            Attack{"remounts_root", "remounts_root.c", "tried to mount or unshare a file system"},
            Attack{"pushes_terminal_input", "pushes_terminal_input.c",
                   "tried to push input into a terminal"},
            Attack{"execs_in_constructor", "execs_in_constructor.c",
                   "tried to start a program or a process"},
            Attack{"runs_a_program", "runs_a_program.c", "denied"},
            Attack{"replaces_the_harness", "replaces_the_harness.c", hostile},
            Attack{"pre_initialiser", "pre_initialiser.c",
                   "the module: it brings code that runs before the checks start, a "
                   "pre-initialiser (.preinit_array); refused"},
            Attack{"indirect_function", "indirect_function.c",
                   "it brings code that runs while the program loads, an indirect function"},
            Attack{"takes_a_library_function", "takes_a_library_function.c",
                   "the module: it defines isatty, which the system's libraries call in its "
                   "place; refused"},
            Attack{"library_archive", "", "sorts.a: submissions are sources",
                   Made::library_archive},
            Attack{"library_archive_as_objects",
                   "",
                   "sorts.a: it holds an object of adtlab's own libraries; refused",
                   Made::library_archive,
                   {"--objects"}},
            Attack{"linker_script_named_sorts_o", "", "sorts.o: submissions are sources",
                   Made::linker_script},
            Attack{"linker_script_as_objects",
                   "",
                   "sorts.o: not an object file; refused",
                   Made::linker_script,
                   {"--objects"}},
            Attack{"symlink_to_a_secret", "", "sorts.c: it is a symbolic link, not a regular file",
                   Made::symlink},
            Attack{"fifo_as_a_source", "", "sorts.c: it is a FIFO, not a regular file", Made::fifo},
            Attack{"includes_a_secret", "includes_a_secret.c", "sorts.c does not build"},
            Attack{"includes_dev_zero", "includes_dev_zero.c", "sorts.c does not build"},
            Attack{"includes_a_fifo", "includes_a_fifo.c", "sorts.c does not build"},
            Attack{"reads_a_secret", "reads_a_secret.c", hostile},
            Attack{"reads_the_environment", "reads_the_environment.c", hostile},
            Attack{"connects_to_a_socket", "connects_to_a_socket.c", "tried to open a socket"},
            Attack{"walks_tmp", "walks_tmp.c", hostile},
            Attack{"memory_file", "memory_file.c", "tried to make a file in memory (memfd)"},
            Attack{"many_big_files", "many_big_files.c", hostile},
            Attack{"deep_folders", "deep_folders.c", hostile},
            Attack{"forges_missing", "forges_missing.c",
                   "hostile\n  selection_sort: does not conform\n    on (0 values)\n    the "
                   "harness's report has a malformed line: missing insertion_sort\n  "
                   "insertion_sort: conforms"},
            Attack{"kills_everything", "kills_everything.c",
                   "tried to send a signal to another process"},
            Attack{"traces_a_process", "traces_a_process.c",
                   "tried to trace or read another process"},
            Attack{"writes_other_descriptors", "writes_other_descriptors.c",
                   "hostile\n  selection_sort: does not conform\n    on (0 values)\n    the "
                   "harness's report has a malformed line: DESCRIPTOR-MARKER\n"},
            Attack{"forks_without_end", "forks_without_end.c",
                   "tried to start another process or a thread (fork, clone), which is denied"}),
        ::testing::Bool()),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).what) +
               (std::get<1>(info.param) ? "_as_an_ordinary_user" : "");
    });

// Without bubblewrap, as root, no submission runs but with --no-sandbox, and
// the refusal names the risk in one line; as an ordinary user, the limits
// alone hold and the isolation line says so.
TEST(AdtlabCheckWithoutBubblewrap, RefusesAsRootAndSaysSoAsAUser) {
    const std::string module = TESTS_DIR "/check_modules/left_first_sorts.c";
    const std::vector<std::string> no_bubblewrap = {"ADTLAB_CHECK_NO_BWRAP=1"};
    if (geteuid() == 0) {
        const Outcome refused =
            run_program({ADTLAB_CHECK, "--time-limit", "60", "sorts", module}, "", no_bubblewrap);
        EXPECT_TRUE(refused.exited(2)) << refused.out << refused.err;
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(std::count(refused.err.begin(), refused.err.end(), '\n'), 1) << refused.err;
        EXPECT_NE(refused.err.find("refusing to run submissions as root without a sandbox"),
                  std::string::npos)
            << refused.err;
        const Outcome risked =
            run_program({ADTLAB_CHECK, "--time-limit", "60", "--no-sandbox", "sorts", module}, "",
                        no_bubblewrap);
        EXPECT_TRUE(risked.exited(0)) << risked.out << risked.err;
        EXPECT_NE(risked.out.find("isolation: limits only: bubblewrap is turned off"),
                  std::string::npos)
            << risked.out;
    }
    // Generous limits: the machine may be busy.
    std::vector<std::string> as_user = {ADTLAB_CHECK, "--time-limit", "60", "sorts", module};
    if (geteuid() == 0) {
        as_user.insert(as_user.begin(),
                       {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    const Outcome user = run_program(as_user, "", no_bubblewrap);
    EXPECT_TRUE(user.exited(0)) << user.out << user.err;
    EXPECT_NE(user.out.find("isolation: limits only: bubblewrap is turned off"), std::string::npos)
        << user.out;
}

} // namespace
