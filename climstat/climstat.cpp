#include "climstat/climstat.h"

#include <cstdint>

namespace {

using month_records = weather_record[WEATHER_DAYS];

// The month's rain in all. 64 bits, so 28 days of heavy rain cannot wrap
// around to a small total.
std::uint64_t rain_total(const month_records &days) {
    std::uint64_t total = 0;
    for (const weather_record &day : days) {
        total += day.rainfall;
    }
    return total;
}

} // namespace

int lower_minimum_temperature(const weather_table table) {
    int lowest = table[0][0][0].min_temp;
    for (unsigned int y = 0; y < WEATHER_YEARS; ++y) {
        for (const month_records &days : table[y]) {
            for (const weather_record &day : days) {
                if (day.min_temp < lowest) {
                    lowest = day.min_temp;
                }
            }
        }
    }
    return lowest;
}

void higher_maximum_temperature(const weather_table table, int output[WEATHER_YEARS]) {
    for (unsigned int y = 0; y < WEATHER_YEARS; ++y) {
        int highest = table[y][0][0].max_temp;
        for (const month_records &days : table[y]) {
            for (const weather_record &day : days) {
                if (day.max_temp > highest) {
                    highest = day.max_temp;
                }
            }
        }
        output[y] = highest;
    }
}

void highest_monthly_rainfall(const weather_table table, month output[WEATHER_YEARS]) {
    for (unsigned int y = 0; y < WEATHER_YEARS; ++y) {
        std::uint64_t best_total = 0;
        month best_month = JANUARY;
        for (month m = JANUARY; m < WEATHER_MONTHS; ++m) {
            std::uint64_t total = rain_total(table[y][m]);
            if (total > best_total) {
                best_total = total;
                best_month = m;
            }
        }
        output[y] = best_month;
    }
}
