/* Writes into every descriptor it may have inherited: the report file, and
 * the harness's own report, which the checker then quotes as malformed. */
#include <unistd.h>

void selection_sort(int a[], unsigned int n) {
    static const char forged[] = "DESCRIPTOR-MARKER\n";
    int wrote = 0;
    for (int fd = 4; fd < 1024; ++fd) {
        wrote |= write(fd, forged, sizeof forged - 1) > 0;
    }
    sort_if(wrote, a, n);
}
