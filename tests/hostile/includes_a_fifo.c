/* Includes a FIFO, for the compiler to wait on for ever. */
#include "@FIFO@"
