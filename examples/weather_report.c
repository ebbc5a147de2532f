/* weather_report: reads a 37-year weather table from a text file and prints
 * its lowest minimum temperature, each year's highest maximum and each
 * year's rainiest month. A C driver of climstat.
 *
 *     weather_report FILE
 *
 * The file has one line per day, nine whole numbers separated by blanks:
 *
 *     YEAR MONTH DAY AVG MAX MIN HUMIDITY PRESSURE RAINFALL
 *
 * YEAR 1980 to 2016, MONTH 1 to 12, DAY 1 to 28, every day exactly once, in
 * any order; temperatures in tenths of a degree Celsius (-900 to 600, MIN no
 * higher than MAX), HUMIDITY in percent (0 to 100), PRESSURE in hectopascals
 * (850 to 1100), RAINFALL in tenths of a millimetre (0 to 5000). Lines that
 * begin with # are comments. A file that does not match gets one line on
 * standard error, naming the line and what is wrong, and status 1; bad
 * arguments a usage line and status 2. */
#include "climstat/climstat.h"
#include "command_line.h"

#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { FIRST_YEAR = 1980, FIELDS = 9 };

static const char *const field_names[FIELDS] = {"year", "month",    "day",      "avg",     "max",
                                                "min",  "humidity", "pressure", "rainfall"};
static const long lowest[FIELDS] = {FIRST_YEAR, 1, 1, -900, -900, -900, 0, 850, 0};
static const long highest[FIELDS] = {
    FIRST_YEAR + WEATHER_YEARS - 1, 12, 28, 600, 600, 600, 100, 1100, 5000};
static const char *const month_names[WEATHER_MONTHS] = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

static const char usage[] = "usage: weather_report FILE\n";
static const char help[] =
    "Prints the lowest minimum temperature, each year's highest maximum and each\n"
    "year's rainiest month of the weather table in FILE: one line per day, nine\n"
    "whole numbers: YEAR MONTH DAY AVG MAX MIN HUMIDITY PRESSURE RAINFALL.\n"
    "A file that does not match gets one line on standard error and status 1;\n"
    "bad arguments get this usage on standard error and status 2.\n";

static weather_table table;
static unsigned int seen_on[WEATHER_YEARS][WEATHER_MONTHS][WEATHER_DAYS];

static void reject(const char *path, unsigned int line, const char *what) {
    fprintf(stderr, "weather_report: %s:%u: %s\n", path, line, what);
    exit(1);
}

/* The nine fields of one line, each a whole number within its range. */
static void parse(char *text, const char *path, unsigned int line, long fields[FIELDS]) {
    char message[200];
    int count = 0;
    for (char *token = strtok(text, " \t\r\n"); token != NULL; token = strtok(NULL, " \t\r\n")) {
        if (count == FIELDS) {
            reject(path, line, "more than 9 fields");
        }
        char *end;
        errno = 0;
        long value = strtol(token, &end, 10);
        if (*end != '\0' || errno != 0) {
            snprintf(message, sizeof message, "%s is '%.40s', not a whole number",
                     field_names[count], token);
            reject(path, line, message);
        }
        if (value < lowest[count] || value > highest[count]) {
            snprintf(message, sizeof message, "%s %ld is out of range (%ld to %ld)",
                     field_names[count], value, lowest[count], highest[count]);
            reject(path, line, message);
        }
        fields[count++] = value;
    }
    if (count != FIELDS) {
        snprintf(message, sizeof message, "%d fields, expected 9: %s", count,
                 "YEAR MONTH DAY AVG MAX MIN HUMIDITY PRESSURE RAINFALL");
        reject(path, line, message);
    }
    if (fields[5] > fields[4]) {
        reject(path, line, "min is higher than max");
    }
}

static void load(const char *path) {
    FILE *file = fopen(path, "r");
    if (file == NULL) {
        fprintf(stderr, "weather_report: %s: %s\n", path, strerror(errno));
        exit(1);
    }
    char text[256];
    char message[200];
    unsigned int line = 0;
    while (fgets(text, sizeof text, file) != NULL) {
        ++line;
        if (strchr(text, '\n') == NULL && !feof(file)) {
            reject(path, line, "line longer than 255 characters");
        }
        if (text[0] == '#' || strspn(text, " \t\r\n") == strlen(text)) {
            continue;
        }
        long f[FIELDS];
        parse(text, path, line, f);
        unsigned int *seen = &seen_on[f[0] - FIRST_YEAR][f[1] - 1][f[2] - 1];
        if (*seen != 0) {
            snprintf(message, sizeof message, "%ld-%02ld-%02ld again (first on line %u)", f[0],
                     f[1], f[2], *seen);
            reject(path, line, message);
        }
        *seen = line;
        table[f[0] - FIRST_YEAR][f[1] - 1][f[2] - 1] =
            (weather_record){(int32_t)f[3], (int32_t)f[4], (int32_t)f[5],
                             (int32_t)f[6], (int32_t)f[7], (uint32_t)f[8]};
    }
    fclose(file);
    for (int y = 0; y < WEATHER_YEARS; ++y) {
        for (int m = 0; m < WEATHER_MONTHS; ++m) {
            for (int d = 0; d < WEATHER_DAYS; ++d) {
                if (seen_on[y][m][d] == 0) {
                    snprintf(message, sizeof message, "end of file, but %d-%02d-%02d is missing",
                             FIRST_YEAR + y, m + 1, d + 1);
                    reject(path, line + 1, message);
                }
            }
        }
    }
}

/* A temperature in tenths of a degree, as degrees. */
static void print_degrees(int tenths) {
    printf("%s%d.%d °C", tenths < 0 ? "-" : "", abs(tenths) / 10, abs(tenths) % 10);
}

int main(int argc, char *argv[]) {
    argc = operands_only(argc, argv, usage, help);
    if (argc != 2) {
        usage_error(usage);
    }
    load(argv[1]);
    /* The statistics read the table through a const pointer. */
    const weather_record(*readonly)[WEATHER_MONTHS][WEATHER_DAYS] = (void *)table;
    int highest_maximum[WEATHER_YEARS];
    month rainiest[WEATHER_YEARS];
    higher_maximum_temperature(readonly, highest_maximum);
    highest_monthly_rainfall(readonly, rainiest);
    printf("Lowest minimum temperature: ");
    print_degrees(lower_minimum_temperature(readonly));
    printf("\n\nYear  Highest maximum  Rainiest month\n");
    for (int y = 0; y < WEATHER_YEARS; ++y) {
        printf("%d  %*s", FIRST_YEAR + y, 8, "");
        print_degrees(highest_maximum[y]);
        printf("  %s\n", month_names[rainiest[y]]);
    }
    return 0;
}
