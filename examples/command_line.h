/* The command line of the example drivers. "--help" or "-h" prints the usage
 * on standard output and ends with status 0; "--" ends the options; any other
 * argument that begins with '-' before it is a usage error: the usage on
 * standard error and status 2. The rest are the operands, in order. */
#ifndef EXAMPLES_COMMAND_LINE_H
#define EXAMPLES_COMMAND_LINE_H

/* Moves the operands to argv[1], argv[2], ... and returns one more than their
 * count, the argc of a command line that holds only them. */
int operands_only(int argc, char *argv[], const char *usage, const char *help);

/* Prints the usage on standard error and ends with status 2. */
_Noreturn void usage_error(const char *usage);

#endif
