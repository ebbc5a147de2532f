#include "kinds.h"

#include "checks.h"
#include "module_checks.h"
#include "module_models.h"

namespace adtlab::check {

std::span<const Kind> kinds() {
    // Made on first use: the module tables are other files' statics.
    static const Kind table[] = {
        {"sorts",
         "the sorts of --sorts, by default selection_sort, insertion_sort and\n"
         "quick_sort, comparing only through goes_before and exchanging only\n"
         "through swap: the result, both counts and every call must match the\n"
         "library's sorts on a battery of inputs (for a quick sort, partition\n"
         "by partition: the two sides may be sorted in either order); a\n"
         "missing sort is reported as missing",
         "sorts_harness",
         true,
         true,
         true,
         {},
         sort_check_names,
         check_sorts},
        {"queue", "queue_empty, queue_enqueue, queue_size, queue_dump, queue_disscard",
         "queue_harness", false, false, false, queue_checks(), module_check_names, check_module},
        {"stack", "stack_empty, stack_push, stack_pop, stack_is_empty, stack_to_array",
         "stack_harness", false, false, false, stack_checks(), module_check_names, check_module},
        {"fstring", "fstring_set and fstring_eq on 100-byte fstring buffers", "fstring_harness",
         false, false, false, fstring_checks(), module_check_names, check_module},
    };
    return table;
}

const Kind *kind_named(std::string_view name) {
    for (const Kind &kind : kinds()) {
        if (kind.name == name) {
            return &kind;
        }
    }
    return nullptr;
}

std::string kind_names_in_words() {
    std::string words;
    const std::span<const Kind> all = kinds();
    for (std::size_t k = 0; k < all.size(); ++k) {
        words += k == 0 ? "" : k + 1 == all.size() ? " or " : ", ";
        words += all[k].name;
    }
    return words;
}

std::string kinds_usage() {
    constexpr std::size_t column = 11; // where the summaries start
    std::string text;
    for (const Kind &kind : kinds()) {
        std::string line = "  " + std::string(kind.name);
        line.resize(column, ' ');
        for (char c : kind.summary) {
            line += c;
            if (c == '\n') {
                line.append(column, ' ');
            }
        }
        text += line + '\n';
    }
    return text;
}

} // namespace adtlab::check
