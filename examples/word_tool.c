/* word_tool: loads a word file (a count, then that many words) and dumps it,
 * counts a word in it, or tells whether a second file holds a permutation of
 * its words. A C driver of wordrow.
 *
 *     word_tool dump FILE
 *     word_tool count FILE WORD
 *     word_tool permutation FILE OTHER
 *
 * permutation is a predicate: status 0 for yes and 1 for no. A file that
 * cannot be loaded ends it with the loader's message and status 1; bad
 * arguments get a usage line and status 2. */
#include "command_line.h"
#include "wordrow/wordrow.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { MOST_WORDS = 10000 };

static const char usage[] =
    "usage: word_tool dump FILE | count FILE WORD | permutation FILE OTHER\n";
static const char help[] =
    "  dump FILE               print the word file FILE in its own format\n"
    "  count FILE WORD         print how many of FILE's words are WORD\n"
    "  permutation FILE OTHER  tell whether OTHER holds FILE's words in any order:\n"
    "                          status 0 if it does, 1 if it does not\n"
    "A file that cannot be loaded gets the loader's message and status 1; bad\n"
    "arguments get this usage on standard error and status 2.\n";

static unsigned int load(fstring **words, const char *path) {
    *words = malloc(MOST_WORDS * sizeof **words);
    if (*words == NULL) {
        fputs("word_tool: out of memory\n", stderr);
        exit(1);
    }
    return array_from_file(*words, MOST_WORDS, path);
}

int main(int argc, char *argv[]) {
    argc = operands_only(argc, argv, usage, help);
    const char *command = argc > 1 ? argv[1] : "";
    int arguments = strcmp(command, "dump") == 0 ? 3 : 4;
    if (argc != arguments ||
        (strcmp(command, "dump") != 0 && strcmp(command, "count") != 0 &&
         strcmp(command, "permutation") != 0) ||
        (strcmp(command, "count") == 0 && strlen(argv[3]) >= FSTRING_SIZE)) {
        usage_error(usage);
    }
    int status = 0;
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
        status = same ? 0 : 1;
        free(other);
    }
    free(words);
    return status;
}
