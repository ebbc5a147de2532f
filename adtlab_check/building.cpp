#include "building.h"

#include "bubblewrap.h"
#include "cgroup.h"
#include "failure.h"
#include "launch.h"
#include "object_scan.h"
#include "sandbox.h"
#include "submission_files.h"

#include <string.h> // sigabbrev_np

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

// The compiler's limits: a source that includes /dev/zero or a FIFO, or
// that is made to grow the compiler, is stopped by them.
CommandRun build_run(const fs::path &directory, const Cgroup *cgroup = nullptr) {
    CommandRun how;
    how.directory = directory;
    how.seconds = 60;
    how.limits = {60, 64ULL << 20, 2ULL << 30};
    how.cgroup = cgroup;
    return how;
}

std::string tool(const char *variable, const char *fallback) {
    const char *value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : fallback;
}

// The compiler by its path, found in PATH as the shell would find it.
std::string compiler(const char *variable, const char *fallback) {
    const std::string name = tool(variable, fallback);
    if (name.find('/') != std::string::npos) {
        return fs::absolute(name).string();
    }
    const char *path = std::getenv("PATH");
    std::istringstream dirs(path != nullptr ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return name;
}

const char *const sanitizer_flags[] = {"-fsanitize=address,undefined", "-fno-sanitize-recover=all",
                                       "-fno-omit-frame-pointer"};

// The flags this system was built with, which the module must share.
void add_system_flags(std::vector<std::string> &command) {
    std::istringstream flags(ADTLAB_CHECK_FLAGS);
    for (std::string flag; flags >> flag;) {
        command.push_back(flag);
    }
}

// The system's flags, and the sanitizers' where they are in use.
void add_build_flags(std::vector<std::string> &command) {
    add_system_flags(command);
    if (sanitizers_in_use()) {
        command.insert(command.end(), std::begin(sanitizer_flags), std::end(sanitizer_flags));
    }
}

// Builds and runs a program that does nothing, with the sanitizers.
bool probe_sanitizers() {
    const PrivateFolder folder;
    const fs::path work = make_children_folder(folder.path() / "probe");
    std::ofstream(work / "probe.c") << "int main(void) { return 0; }\n";
    std::vector<std::string> command = {compiler("CC", "cc")};
    add_system_flags(command);
    command.insert(command.end(), std::begin(sanitizer_flags), std::end(sanitizer_flags));
    command.insert(command.end(), {"probe.c", "-o", "probe"});
    std::string output;
    CommandRun unbounded = build_run(work); // the shadow memory takes address space
    unbounded.limits.address_bytes = 0;
    return run_limited(command, output, build_run(work)) == 0 &&
           run_limited({(work / "probe").string()}, output, unbounded) == 0;
}

// Where the staged resources are, as the compiler sees them.
fs::path seen(const fs::path &staged) {
    return in_bubblewrap() ? fs::path(sandbox_resources) : staged;
}

constexpr unsigned int build_memory_mib = 1024;
constexpr unsigned int build_processes = 64;

// A compiler's signal in words: "signal 9 (SIGKILL)".
std::string signal_words(int signal) {
    const char *name = sigabbrev_np(signal);
    return "signal " + std::to_string(signal) +
           (name != nullptr ? " (SIG" + std::string(name) + ")" : "");
}

// Why a compiler that failed stopped, when a limit or a signal stopped it,
// as a line after its own messages; "" when it exited of itself.
std::string compiler_end(int status, const CommandRun &how) {
    const ProcessLimits &limits = how.limits;
    const int signal = status > 128 && status < 128 + 65 ? status - 128 : 0;
    if (how.cgroup != nullptr && how.cgroup->hit_memory_limit()) {
        return "the compiler exceeded the build's memory limit of " +
               std::to_string(build_memory_mib) + " MiB\n";
    }
    if (how.cgroup != nullptr && how.cgroup->hit_process_limit()) {
        return "the compiler started too many processes (the build's limit is " +
               std::to_string(build_processes) + ")\n";
    }
    if (status == 124 || signal == SIGXCPU) {
        return "the compiler did not finish within " + std::to_string(limits.cpu_seconds) +
               " s, the build's time limit\n";
    }
    if (signal == SIGXFSZ) {
        return "the compiler wrote more than " + std::to_string(limits.file_bytes >> 20) +
               " MiB into a file, the build's file size limit\n";
    }
    if (signal != 0) {
        return "the compiler was killed by " + signal_words(signal) +
               (signal == SIGKILL ? ", most likely by the build's memory or time limit\n" : "\n");
    }
    return "";
}

// Runs a compiler on the files in `box` (its directory) within the build's
// limits, in a sandbox where there is one; its exit status. The output ends
// with why it stopped, when a limit or a signal stopped it.
int compile_in(const fs::path &staged, const fs::path &box, std::vector<std::string> command,
               std::string &output) {
    if (in_bubblewrap()) {
        std::vector<std::string> words = build_sandbox(staged, box, command[0]);
        command.insert(command.begin(), words.begin(), words.end());
    }
    const Cgroup group(build_memory_mib, build_processes);
    const CommandRun how = build_run(in_bubblewrap() ? fs::path("/") : box, &group);
    const int status = run_limited(command, output, how);
    if (status != 0) {
        output += compiler_end(status, how);
    }
    return status;
}

// Sources may include the headers by path or by bare name; the harnesses
// also find the list of sorts.
std::vector<std::string> include_flags(const fs::path &staged) {
    std::vector<std::string> includes;
    for (const char *dir : {"", "ordtally", "sorting", "adt"}) {
        includes.push_back("-I" + (seen(staged) / "include" / dir).string());
    }
    includes.push_back("-I" + (seen(staged) / "harness").string());
    return includes;
}

bool is_c(const std::string &name) {
    return fs::path(name).extension() == ".c";
}

// Compiles `source` (as the compiler sees it) into `object` in `box`.
void compile(const fs::path &staged, const fs::path &box, const std::string &source,
             const std::string &object, const std::string &shown) {
    std::vector<std::string> command = {
        is_c(source) ? compiler("CC", "cc") : compiler("CXX", "c++"), "-c", "-g", "-w"};
    add_build_flags(command);
    const std::vector<std::string> includes = include_flags(staged);
    command.insert(command.end(), includes.begin(), includes.end());
    command.insert(command.end(), {source, "-o", object});
    std::string output;
    if (compile_in(staged, box, command, output) != 0) {
        throw BuildFailure(shown + " does not build:\n" + output);
    }
}

// Without the sanitizers, the memory limit is the child's address space; a
// failed allocation ends it with a line that tells the limit from a crash.
const char allocation_check[] = R"(#include <stddef.h>
#include <unistd.h>
void *__real_malloc(size_t size);
void *__real_calloc(size_t count, size_t size);
void *__real_realloc(void *block, size_t size);
static void *checked(void *block, size_t size) {
    static const char message[] = "out of memory: an allocation failed\n";
    if (block == NULL && size != 0) {
        (void)!write(2, message, sizeof message - 1);
        _exit(1);
    }
    return block;
}
void *__wrap_malloc(size_t size) { return checked(__real_malloc(size), size); }
void *__wrap_calloc(size_t count, size_t size) {
    return checked(__real_calloc(count, size), count * size);
}
void *__wrap_realloc(void *block, size_t size) {
    return checked(__real_realloc(block, size), size);
}
)";

// The harness's own objects, linked first: the filter, then the harness.
std::vector<std::string> harness_objects(const Kind &kind) {
    std::vector<std::string> objects = {"filter.o", std::string(kind.harness) + ".o"};
    if (!sanitizers_in_use()) {
        objects.emplace_back("allocation_check.o");
    }
    return objects;
}

// Copies the headers of `from`, one folder, into `to`.
void copy_headers(const fs::path &from, const fs::path &to) {
    std::error_code error;
    fs::create_directories(to);
    for (const fs::directory_entry &entry : fs::directory_iterator(from, error)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && (extension == ".h" || extension == ".c")) {
            fs::copy_file(entry.path(), to / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        }
    }
}

// The list of sorts: beside the harnesses when installed, else in the tree.
fs::path sort_list(const Resources &where) {
    const fs::path installed = where.harness / "sort_calls" / "sort_list.h";
    return fs::exists(installed) ? installed : where.include / "sort_calls" / "sort_list.h";
}

} // namespace

bool sanitizers_in_use() {
    static const bool usable = probe_sanitizers();
    return usable;
}

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

void stage_resources(const Resources &where, const Kind &kind, const fs::path &folder) {
    for (const char *dir : {"ordtally", "sorting", "adt"}) {
        copy_headers(where.include / dir, folder / "include" / dir);
    }
    fs::create_directories(folder / "include" / "sort_calls");
    fs::copy_file(sort_list(where), folder / "include" / "sort_calls" / "sort_list.h");
    copy_headers(where.harness, folder / "harness");
    fs::create_directories(folder / "lib");
    fs::copy_file(where.libdir / "libordtally.a", folder / "lib" / "libordtally.a");
    if (!sanitizers_in_use()) {
        std::ofstream(folder / "harness" / "allocation_check.c") << allocation_check;
    }
    const fs::path objects = make_children_folder(folder / "objects");
    for (const std::string &object : harness_objects(kind)) {
        const std::string source = fs::path(object).replace_extension(".c").string();
        compile(folder, objects, (seen(folder) / "harness" / source).string(), object, source);
    }
}

std::vector<fs::path> reference_libraries() {
    const Resources where = find_resources();
    std::vector<fs::path> libraries;
    if (fs::exists(where.libdir / "libsorting.a")) { // installed
        for (const char *name : {"sorting", "queue", "stack", "fstring"}) {
            libraries.push_back(where.libdir / ("lib" + std::string(name) + ".a"));
        }
        return libraries;
    }
    std::istringstream paths(ADTLAB_CHECK_REFERENCE_LIBRARIES);
    for (std::string path; std::getline(paths, path, ':');) {
        libraries.emplace_back(path);
    }
    return libraries;
}

Built build(const Kind &kind, const std::vector<std::string> &files, const fs::path &staged,
            const fs::path &box, bool objects, const std::vector<fs::path> &libraries) {
    const std::vector<std::string> names = copy_submission(files, box, objects);
    std::vector<fs::path> brought; // objects and archives, before any link
    for (const std::string &name : names) {
        const std::string extension = fs::path(name).extension().string();
        if (extension == ".o" || extension == ".a") {
            brought.push_back(box / name);
        }
    }
    refuse_library_objects(brought, libraries);
    make_children_folder(box / "objects");
    std::vector<std::string> linked;
    for (const std::string &object : harness_objects(kind)) {
        linked.push_back((seen(staged) / "objects" / object).string());
    }
    std::vector<fs::path> own; // the submission's objects, as this process sees them
    for (std::size_t k = 0; k < names.size(); ++k) {
        const std::string extension = fs::path(names[k]).extension().string();
        std::string object = names[k];
        if (extension != ".o" && extension != ".a") {
            object = "objects/file" + std::to_string(k) + ".o";
            compile(staged, box, names[k], object, names[k]);
        }
        own.push_back(box / object);
        linked.push_back(object);
    }
    refuse_early_code(own);
    std::vector<std::string> command = {compiler("CXX", "c++")};
    add_build_flags(command);
    if (!sanitizers_in_use()) {
        command.emplace_back("-Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc");
    }
    command.insert(command.end(), linked.begin(), linked.end());
    if (kind.links_counter) { // the harness checks each swap's bounds before it is made
        command.push_back("-Wl,--wrap=swap");
        command.push_back((seen(staged) / "lib" / "libordtally.a").string());
    }
    command.insert(command.end(), {"-lseccomp", "-o", "objects/harness"});
    std::string output;
    if (compile_in(staged, box, command, output) != 0) {
        throw BuildFailure("the module does not link:\n" + output);
    }
    refuse_interposition(box / "objects" / "harness", own);
    return {box / "objects" / "harness", own};
}

} // namespace adtlab::check
