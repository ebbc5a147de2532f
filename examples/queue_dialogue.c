/* queue_dialogue: loads a queue file, lets the user remove one element, and
 * prints what is left. A C driver of lineload.
 *
 *     queue_dialogue FILE
 */
#include "command_line.h"
#include "lineload/lineload.h"

#include <stdio.h>

static const char usage[] = "usage: queue_dialogue FILE\n";
static const char help[] =
    "Loads the queue file FILE ('empty: 0' and the integers, or 'empty: 1'), asks\n"
    "in Spanish which position to remove and prints the rest. A file that cannot\n"
    "be loaded gets the loader's message and status 1, and so does an answer that\n"
    "is not a number, or none; bad arguments get this usage on standard error and\n"
    "status 2.\n";

int main(int argc, char *argv[]) {
    argc = operands_only(argc, argv, usage, help);
    if (argc != 2) {
        usage_error(usage);
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
