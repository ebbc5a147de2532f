/*
 * climstat: statistics over a 37-year table of daily weather records.
 *
 * The table is filled by the caller; these functions only read it and write
 * their per-year answers into arrays of WEATHER_YEARS entries that the caller
 * provides. Every month has WEATHER_DAYS days in the table.
 *
 * C11 note: gcc's -Wpedantic warns when a non-const table is passed to the
 * const parameters below (a rule of ISO C before C2x); pass it through a
 * const pointer, or compile as C2x.
 */
#ifndef ADTLAB_CLIMSTAT_H
#define ADTLAB_CLIMSTAT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
#define CLIMSTAT_STATIC_ASSERT(condition, message) static_assert(condition, message)
extern "C" {
#else
#define CLIMSTAT_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

enum { WEATHER_YEARS = 37, WEATHER_MONTHS = 12, WEATHER_DAYS = 28 };

/* One day's measurements: six 32-bit integers in this order, so that a table
 * can be read from a binary file of such records. */
typedef struct weather_record {
    int32_t avg_temp;  /* mean temperature of the day */
    int32_t max_temp;  /* highest temperature of the day */
    int32_t min_temp;  /* lowest temperature of the day */
    int32_t humidity;  /* relative humidity */
    int32_t pressure;  /* atmospheric pressure */
    uint32_t rainfall; /* the day's rain */
} weather_record;

CLIMSTAT_STATIC_ASSERT(sizeof(weather_record) == 24, "six 32-bit fields, no padding");
CLIMSTAT_STATIC_ASSERT(offsetof(weather_record, max_temp) == 4, "max_temp at position 1");
CLIMSTAT_STATIC_ASSERT(offsetof(weather_record, min_temp) == 8, "min_temp at position 2");
CLIMSTAT_STATIC_ASSERT(offsetof(weather_record, humidity) == 12, "humidity at position 3");
CLIMSTAT_STATIC_ASSERT(offsetof(weather_record, pressure) == 16, "pressure at position 4");
CLIMSTAT_STATIC_ASSERT(offsetof(weather_record, rainfall) == 20, "rainfall at position 5");
CLIMSTAT_STATIC_ASSERT(sizeof(int) == 4, "temperatures are returned as 32-bit int");

/* The records year-major, then month, then day, with no gaps:
 * table[year][month][day], year 0 to 36, month 0 to 11, day 0 to 27. */
typedef weather_record weather_table[WEATHER_YEARS][WEATHER_MONTHS][WEATHER_DAYS];

/* A month position, 0 to 11, as a 32-bit unsigned integer. */
typedef uint32_t month;

enum month_position {
    JANUARY,
    FEBRUARY,
    MARCH,
    APRIL,
    MAY,
    JUNE,
    JULY,
    AUGUST,
    SEPTEMBER,
    OCTOBER,
    NOVEMBER,
    DECEMBER
};

/* The lowest min_temp of the whole table. */
int lower_minimum_temperature(const weather_table table);

/* output[y] = the highest max_temp of year y. */
void higher_maximum_temperature(const weather_table table, int output[WEATHER_YEARS]);

/* output[y] = the month of year y with the most rain in all; ties go to the
 * earlier month, and a year without rain gives JANUARY. */
void highest_monthly_rainfall(const weather_table table, month output[WEATHER_YEARS]);

#ifdef __cplusplus
}
#endif

#undef CLIMSTAT_STATIC_ASSERT

#endif /* ADTLAB_CLIMSTAT_H */
