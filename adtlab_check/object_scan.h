// What a submission's objects bring besides its functions, read from their
// ELF files: code that would run before the harness's system-call filter
// is set, or that would take the place of a function the system's
// libraries call, is refused before it runs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace adtlab::check {

// A failure of the build when an object (or an archive's member) has a
// pre-initialiser or an indirect function (whose resolver runs while the
// program is loaded).
void refuse_early_code(const std::vector<std::filesystem::path> &objects);

// A failure of the build when the linked program exports a symbol that one
// of the objects defines: the system's libraries would call the module's
// code in place of their own, before the filter is set.
void refuse_interposition(const std::filesystem::path &program,
                          const std::vector<std::filesystem::path> &objects);

// A failure of the build when an object, or an archive's member, is one of
// the objects of `libraries` (archives), byte for byte or by its code.
void refuse_library_objects(const std::vector<std::filesystem::path> &objects,
                            const std::vector<std::filesystem::path> &libraries);

// The symbol under which one of the objects (or an archive's member) defines
// a C++ function `name` outside any namespace, e.g. _Z14selection_sortPij for
// selection_sort; "" when none does.
std::string cxx_definition(const std::vector<std::filesystem::path> &objects,
                           const std::string &name);

// The ELF files that `file` holds: itself, or an archive's members.
std::vector<std::string> elf_members(const std::string &bytes);

} // namespace adtlab::check
