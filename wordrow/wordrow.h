/*
 * wordrow: arrays of fixed-size words (fstring) and their text file.
 *
 * The file holds a word count, then that many words separated by any
 * whitespace; whatever follows the last word is not read:
 *
 *     3
 *     ant bee cat
 *
 * array_dump() writes that same format: the count and a newline, then the
 * words separated by single spaces and ended by a newline.
 *
 * The caller owns every array and passes its length.
 */
#ifndef ADTLAB_WORDROW_H
#define ADTLAB_WORDROW_H

#include "adt/fstring.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Loads the words of the file at filepath into array, which has room for
 * max_size words, and returns their count. On any problem it prints one
 * message on standard error and ends the process with status 1:
 *   "File does not exist.\n"    the file can't be opened;
 *   "Invalid array.\n"          no count, too few words, a word of 100 or
 *                               more characters, a word holding a NUL
 *                             byte, or a read error;
 *   "Allowed size is N.\n"      the count is above max_size (N), negative or
 *                               too large for an unsigned int; no word is
 *                               read then.
 * A load never writes beyond an element's FSTRING_SIZE bytes.
 */
unsigned int array_from_file(fstring array[], unsigned int max_size, const char *filepath);

/* Prints the array on standard output in the file format. */
void array_dump(fstring array[], unsigned int length);

/* Makes copy[0..length-1] equal to array[0..length-1]. */
void array_copy(fstring copy[], fstring array[], unsigned int length);

/* How many elements of array equal value. */
unsigned int array_value_count(fstring array[], unsigned int length, fstring value);

/* True when the two arrays of length words hold the same words with the same
 * multiplicities, in any order. Quadratic; allocates nothing. */
bool array_is_permutation_of(fstring array[], fstring other[], unsigned int length);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_WORDROW_H */
