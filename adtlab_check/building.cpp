#include "building.h"

#include "child.h"
#include "failure.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

// Runs a command and returns its status, its output and messages in `output`.
int run_tool(const std::vector<std::string> &command, std::string &output) {
    int fds[2];
    make_pipe(fds);
    pid_t pid = fork_process();
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

// The flags this system was built with, which the module must share.
void add_build_flags(std::vector<std::string> &command) {
    std::istringstream flags(ADTLAB_CHECK_FLAGS);
    for (std::string flag; flags >> flag;) {
        command.push_back(flag);
    }
}

// Sources may include the headers by path or by bare name; the harnesses
// also find the list of sorts beside them.
std::vector<std::string> include_flags(const Resources &where) {
    std::vector<std::string> includes;
    for (const char *dir : {"", "ordtally", "sorting", "adt"}) {
        includes.push_back("-I" + (where.include / dir).string());
    }
    includes.push_back("-I" + where.harness.string());
    return includes;
}

// Compiles one C or C++ source into `object`.
void compile(const std::string &source, bool c, const std::string &object,
             const std::vector<std::string> &includes) {
    std::vector<std::string> command = {c ? tool("CC", "cc") : tool("CXX", "c++"), "-c", "-g",
                                        "-w"};
    add_build_flags(command);
    command.insert(command.end(), includes.begin(), includes.end());
    command.insert(command.end(), {source, "-o", object});
    std::string output;
    if (run_tool(command, output) != 0) {
        throw BuildFailure(source + " does not build:\n" + output);
    }
}

// The object of each source, compiled in work/; objects and static
// libraries are taken as they are.
std::vector<std::string> objects_of(const std::vector<std::string> &sources, const Resources &where,
                                    const fs::path &work) {
    const std::vector<std::string> includes = include_flags(where);
    std::vector<std::string> objects;
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
        objects.push_back((work / ("file" + std::to_string(k) + ".o")).string());
        compile(sources[k], c, objects.back(), includes);
    }
    return objects;
}

} // namespace

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

fs::path build(const std::string &kind, const std::vector<std::string> &files,
               const Resources &where, const fs::path &work) {
    std::vector<std::string> sources = files;
    sources.insert(sources.begin(), (where.harness / (kind + "_harness.c")).string());
    const std::vector<std::string> objects = objects_of(sources, where, work);
    fs::path program = work / "harness";
    std::vector<std::string> command = {tool("CXX", "c++")};
    add_build_flags(command);
    command.insert(command.end(), objects.begin(), objects.end());
    if (kind == "sorts") {
        command.push_back((where.libdir / "libordtally.a").string());
    }
    command.insert(command.end(), {"-o", program.string()});
    std::string output;
    if (run_tool(command, output) != 0) {
        throw BuildFailure("the module does not link:\n" + output);
    }
    return program;
}

} // namespace adtlab::check
