/* Includes the teacher's secret, for the compiler to quote it. */
#include "@SECRET@"
