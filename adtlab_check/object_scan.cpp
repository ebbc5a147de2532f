#include "object_scan.h"

#include "failure.h"

#include <elf.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>

namespace fs = std::filesystem;

namespace adtlab::check {

namespace {

constexpr std::size_t file_bound = std::size_t{256} << 20;

// At most file_bound bytes of `file`, in a buffer of the file's own size: a
// buffer of the whole bound would be zeroed for every object read.
std::string read_bounded(const fs::path &file) {
    std::ifstream in(file, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    std::string bytes(
        error ? 0 : static_cast<std::size_t>(std::min<std::uintmax_t>(size, file_bound)), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// A record of type T at `offset`, or false when it lies outside the file.
template <typename T> bool record(const std::string &bytes, std::size_t offset, T &out) {
    if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) {
        return false;
    }
    std::memcpy(&out, bytes.data() + offset, sizeof(T));
    return true;
}

std::string name_at(const std::string &bytes, std::size_t table, std::size_t size, std::size_t at) {
    if (at >= size || table + size > bytes.size()) {
        return "";
    }
    const char *start = bytes.data() + table + at;
    return std::string(start, strnlen(start, size - at));
}

// The sections and symbols of one ELF file, of either class.
struct Elf {
    std::vector<std::string> sections;
    std::vector<std::string> ifuncs;                       // indirect functions defined
    std::vector<std::string> defined;                      // global symbols defined (.symtab)
    std::vector<std::string> exported;                     // symbols defined in .dynsym
    std::vector<std::pair<std::string, std::string>> code; // .text sections' bytes
};

template <typename Ehdr, typename Shdr, typename Sym>
void read_symbols(const std::string &bytes, const Shdr &table, const Shdr &names, Elf &elf) {
    for (std::size_t k = 0; table.sh_entsize != 0 && k < table.sh_size / table.sh_entsize; ++k) {
        Sym symbol{};
        if (!record(bytes, table.sh_offset + k * table.sh_entsize, symbol)) {
            return;
        }
        const unsigned bind = symbol.st_info >> 4;
        if (symbol.st_shndx == SHN_UNDEF) {
            continue;
        }
        const std::string name = name_at(bytes, names.sh_offset, names.sh_size, symbol.st_name);
        if ((symbol.st_info & 0xf) == STT_GNU_IFUNC) {
            elf.ifuncs.push_back(name);
        }
        if (bind == STB_GLOBAL || bind == STB_WEAK) {
            (table.sh_type == SHT_DYNSYM ? elf.exported : elf.defined).push_back(name);
        }
    }
}

template <typename Ehdr, typename Shdr, typename Sym> Elf parse(const std::string &bytes) {
    Elf elf;
    Ehdr header{};
    if (!record(bytes, 0, header) || header.e_shentsize != sizeof(Shdr)) {
        return elf;
    }
    std::vector<Shdr> sections(header.e_shnum);
    for (std::size_t k = 0; k < sections.size(); ++k) {
        if (!record(bytes, header.e_shoff + k * sizeof(Shdr), sections[k])) {
            return elf;
        }
    }
    const Shdr *names =
        header.e_shstrndx < sections.size() ? &sections[header.e_shstrndx] : nullptr;
    for (const Shdr &section : sections) {
        const std::string name =
            names != nullptr ? name_at(bytes, names->sh_offset, names->sh_size, section.sh_name)
                             : "";
        elf.sections.push_back(name);
        if ((section.sh_type == SHT_SYMTAB || section.sh_type == SHT_DYNSYM) &&
            section.sh_link < sections.size()) {
            read_symbols<Ehdr, Shdr, Sym>(bytes, section, sections[section.sh_link], elf);
        }
        if (name.rfind(".text", 0) == 0 && section.sh_type == SHT_PROGBITS &&
            section.sh_offset + section.sh_size <= bytes.size() && section.sh_size > 0) {
            elf.code.emplace_back(name, bytes.substr(section.sh_offset, section.sh_size));
        }
    }
    return elf;
}

Elf parse_elf(const std::string &bytes) {
    if (bytes.size() > EI_CLASS && bytes[EI_CLASS] == ELFCLASS32) {
        return parse<Elf32_Ehdr, Elf32_Shdr, Elf32_Sym>(bytes);
    }
    return parse<Elf64_Ehdr, Elf64_Shdr, Elf64_Sym>(bytes);
}

// Why a section runs before the harness's filter, or "".
std::string early_section(const std::string &name) {
    // Constructors, whatever their priority, run after every pre-initialiser.
    return name.rfind(".preinit_array", 0) == 0 ? "a pre-initialiser (" + name + ")" : "";
}

[[noreturn]] void refuse(const fs::path &object, const std::string &why) {
    const std::string name =
        object.parent_path().filename() == "objects" ? "the module" : object.filename().string();
    throw BuildFailure(name + ": " + why + "; refused\n");
}

} // namespace

std::vector<std::string> elf_members(const std::string &bytes) {
    if (bytes.rfind("!<arch>\n", 0) != 0) {
        return {bytes};
    }
    std::vector<std::string> members;
    for (std::size_t at = 8; at + 60 <= bytes.size();) {
        const std::string size_field = bytes.substr(at + 48, 10);
        const unsigned long long size = std::strtoull(size_field.c_str(), nullptr, 10);
        if (size > bytes.size() - at - 60) {
            break;
        }
        const std::string member = bytes.substr(at + 60, size);
        if (member.rfind("\x7f"
                         "ELF",
                         0) == 0) {
            members.push_back(member);
        }
        at += 60 + size + (size % 2);
    }
    return members;
}

void refuse_early_code(const std::vector<fs::path> &objects) {
    for (const fs::path &object : objects) {
        for (const std::string &member : elf_members(read_bounded(object))) {
            const Elf elf = parse_elf(member);
            for (const std::string &section : elf.sections) {
                if (const std::string why = early_section(section); !why.empty()) {
                    refuse(object, "it brings code that runs before the checks start, " + why);
                }
            }
            if (!elf.ifuncs.empty()) {
                refuse(object, "it brings code that runs while the program loads, an indirect "
                               "function (" +
                                   elf.ifuncs.front() + ")");
            }
        }
    }
}

void refuse_interposition(const fs::path &program, const std::vector<fs::path> &objects) {
    std::set<std::string> own;
    for (const fs::path &object : objects) {
        for (const std::string &member : elf_members(read_bounded(object))) {
            const Elf elf = parse_elf(member);
            own.insert(elf.defined.begin(), elf.defined.end());
        }
    }
    for (const std::string &name : parse_elf(read_bounded(program)).exported) {
        if (own.count(name) != 0) {
            refuse(objects.front().parent_path() / "objects" / "harness",
                   "it defines " + name + ", which the system's libraries call in its place");
        }
    }
}

std::string cxx_definition(const std::vector<fs::path> &objects, const std::string &name) {
    const std::string mangled = "_Z" + std::to_string(name.size()) + name;
    for (const fs::path &object : objects) {
        for (const std::string &member : elf_members(read_bounded(object))) {
            for (const std::string &symbol : parse_elf(member).defined) {
                if (symbol.rfind(mangled, 0) == 0 && symbol.size() > mangled.size()) {
                    return symbol;
                }
            }
        }
    }
    return "";
}

void refuse_library_objects(const std::vector<fs::path> &objects,
                            const std::vector<fs::path> &libraries) {
    std::set<std::string> reference; // whole members and their code
    for (const fs::path &library : libraries) {
        for (const std::string &member : elf_members(read_bounded(library))) {
            reference.insert(member);
            for (const auto &[name, code] : parse_elf(member).code) {
                reference.insert(code);
            }
        }
    }
    for (const fs::path &object : objects) {
        for (const std::string &member : elf_members(read_bounded(object))) {
            bool copied = reference.count(member) != 0;
            for (const auto &[name, code] : parse_elf(member).code) {
                copied = copied || reference.count(code) != 0;
            }
            if (copied) {
                refuse(object, "it holds an object of adtlab's own libraries");
            }
        }
    }
}

} // namespace adtlab::check
