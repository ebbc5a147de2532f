#include "building.h"

#include "child.h"
#include "failure.h"
#include "sandbox.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

std::string tool(const char *variable, const char *fallback) {
    const char *value = std::getenv(variable);
    return value != nullptr && *value != '\0' ? value : fallback;
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
    const fs::path source = folder.path() / "probe.c";
    std::ofstream(source) << "int main(void) { return 0; }\n";
    std::vector<std::string> command = {tool("CC", "cc")};
    add_system_flags(command);
    command.insert(command.end(), std::begin(sanitizer_flags), std::end(sanitizer_flags));
    command.insert(command.end(), {source.string(), "-o", (folder.path() / "probe").string()});
    std::string output;
    return run_command(command, output, folder.path()) == 0 &&
           run_command({(folder.path() / "probe").string()}, output, folder.path()) == 0;
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
             const std::vector<std::string> &includes, const fs::path &work) {
    std::vector<std::string> command = {c ? tool("CC", "cc") : tool("CXX", "c++"), "-c", "-g",
                                        "-w"};
    add_build_flags(command);
    command.insert(command.end(), includes.begin(), includes.end());
    command.insert(command.end(), {source, "-o", object});
    std::string output;
    if (run_command(command, output, work) != 0) {
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
        compile(sources[k], c, objects.back(), includes, work);
    }
    return objects;
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

fs::path build(const std::string &kind, const std::vector<std::string> &files,
               const Resources &where, const fs::path &work) {
    std::vector<std::string> sources = files;
    sources.insert(sources.begin(), (where.harness / (kind + "_harness.c")).string());
    if (!sanitizers_in_use()) {
        sources.push_back((work / "allocation_check.c").string());
        std::ofstream(sources.back()) << allocation_check;
    }
    const std::vector<std::string> objects = objects_of(sources, where, work);
    fs::path program = work / "harness";
    std::vector<std::string> command = {tool("CXX", "c++")};
    add_build_flags(command);
    if (!sanitizers_in_use()) {
        command.emplace_back("-Wl,--wrap=malloc,--wrap=calloc,--wrap=realloc");
    }
    command.insert(command.end(), objects.begin(), objects.end());
    if (kind == "sorts") {
        command.push_back((where.libdir / "libordtally.a").string());
    }
    command.insert(command.end(), {"-o", program.string()});
    std::string output;
    if (run_command(command, output, work) != 0) {
        throw BuildFailure("the module does not link:\n" + output);
    }
    return program;
}

} // namespace adtlab::check
