#include "show_copy.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>

int show_changed_copy(const char *original, char *copy) {
    if (copy == nullptr) {
        std::puts("Error: No se pudo asignar memoria.");
        return 1;
    }
    std::printf("Original:\n\033[0;36m %s\n", original);
    const char words[] = {'A', ' ', 'l', 'o', 'n', 'g'};
    for (std::size_t i = 0; i < sizeof(words); ++i) {
        copy[i] = words[i];
    }
    std::printf("Copia   :\n\033[0;36m %s\n", copy);
    std::free(copy);
    return 0;
}
