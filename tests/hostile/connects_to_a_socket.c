/* Reaches a unix socket of the host. */
#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>

void selection_sort(int a[], unsigned int n) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    struct sockaddr_un address = {0};
    address.sun_family = AF_UNIX;
    strncpy(address.sun_path, "@SOCKET@", sizeof address.sun_path - 1);
    sort_if(fd >= 0 && connect(fd, (struct sockaddr *)&address, sizeof address) == 0, a, n);
}
