/* Includes an endless file, for the compiler to grow on. */
#include "/dev/zero"
