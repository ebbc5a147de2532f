/* word_tool: loads a word file (a count, then that many words) and dumps it,
 * counts a word in it, or tells whether a second file holds a permutation of
 * its words. A C driver of wordrow.
 *
 *     word_tool dump FILE
 *     word_tool count FILE WORD
 *     word_tool permutation FILE OTHER
 *
 * A file that cannot be loaded ends it with the loader's message and status
 * 1; bad arguments get a usage line and status 2. */
#include "wordrow/wordrow.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { MOST_WORDS = 10000 };

static const char usage[] =
    "usage: word_tool dump FILE | count FILE WORD | permutation FILE OTHER\n";

static unsigned int load(fstring **words, const char *path) {
    *words = malloc(MOST_WORDS * sizeof **words);
    if (*words == NULL) {
        fputs("word_tool: out of memory\n", stderr);
        exit(1);
    }
    return array_from_file(*words, MOST_WORDS, path);
}

int main(int argc, char *argv[]) {
    const char *command = argc > 1 ? argv[1] : "";
    int arguments = strcmp(command, "dump") == 0 ? 3 : 4;
    if (argc != arguments ||
        (strcmp(command, "dump") != 0 && strcmp(command, "count") != 0 &&
         strcmp(command, "permutation") != 0) ||
        (strcmp(command, "count") == 0 && strlen(argv[3]) >= FSTRING_SIZE)) {
        fputs(usage, stderr);
        return 2;
    }
    fstring *words;
    unsigned int length = load(&words, argv[2]);
    if (strcmp(command, "dump") == 0) {
        array_dump(words, length);
    } else if (strcmp(command, "count") == 0) {
        fstring word;
        strcpy(word, argv[3]);
        printf("%u\n", array_value_count(words, length, word));
    } else {
        fstring *other;
        unsigned int other_length = load(&other, argv[3]);
        bool same = other_length == length && array_is_permutation_of(words, other, length);
        printf("%s %s a permutation of %s\n", argv[3], same ? "is" : "is not", argv[2]);
        free(other);
    }
    free(words);
    return 0;
}
