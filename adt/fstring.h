/*
 * fstring: a fixed-size string, a terminated text in a buffer of
 * FSTRING_SIZE bytes, so at most FSTRING_SIZE - 1 characters.
 *
 * A small stand-in for the fixed-string module that wordrow builds on.
 */
#ifndef ADTLAB_FSTRING_H
#define ADTLAB_FSTRING_H

#ifdef __cplusplus
extern "C" {
#else
#include <stdbool.h>
#endif

#define FSTRING_SIZE 100

typedef char fstring[FSTRING_SIZE];

/* Makes target hold the same text as source. */
void fstring_set(fstring target, const fstring source);

/* True when the two hold the same text. */
bool fstring_eq(const fstring a, const fstring b);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_FSTRING_H */
