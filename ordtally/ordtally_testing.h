/*
 * For ordtally's own tests only, never installed: what a test needs to reach
 * counts that would otherwise take billions of calls. Defined only where
 * ordtally.cpp is compiled with ADTLAB_ORDTALLY_TESTING.
 */
#ifndef ADTLAB_ORDTALLY_TESTING_H
#define ADTLAB_ORDTALLY_TESTING_H

#ifdef __cplusplus
extern "C" {
#endif

/* Sets the whole comparison and swap counts. */
void set_counts_for_testing(unsigned long long comparison_count, unsigned long long swap_count);

#ifdef __cplusplus
}
#endif

#endif /* ADTLAB_ORDTALLY_TESTING_H */
