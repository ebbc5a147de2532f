/* queue_dialogue: loads a queue file, lets the user remove one element, and
 * prints what is left. A C driver of lineload.
 *
 *     queue_dialogue FILE
 */
#include "lineload/lineload.h"

#include <stdio.h>

int main(int argc, char *argv[]) {
    if (argc != 2) {
        fputs("usage: queue_dialogue FILE\n", stderr);
        return 2;
    }
    queue q = queue_from_file(argv[1]);
    if (queue_size(q) == 0) {
        puts("La cola está vacía.");
        queue_destroy(q);
        return 0;
    }
    queue rest = queue_user_disscard(q);
    if (rest == NULL) {
        queue_destroy(q);
        return 1;
    }
    fputs("\nQuedan: ", stdout);
    queue_dump(rest, stdout);
    queue_destroy(rest);
    return 0;
}
