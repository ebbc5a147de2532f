#!/usr/bin/env bash
# Writes a sample weather table for weather_report: 37 years (1980 to 2016)
# of 12 months of 28 days, with seasons, some noise and a few extremes. The
# noise comes from a fixed multiplicative congruential sequence, so the file is the
# same on every run.
#
#   scripts/make_weather.sh > weather.txt
set -euo pipefail

awk 'BEGIN {
    seed = 12345
    pi = 3.14159265358979
    print "# YEAR MONTH DAY AVG MAX MIN HUMIDITY PRESSURE RAINFALL"
    print "# temperatures in tenths of a degree Celsius, rain in tenths of a millimetre"
    for (year = 1980; year <= 2016; year++) {
        for (month = 1; month <= 12; month++) {
            for (day = 1; day <= 28; day++) {
                season = cos(2 * pi * ((month - 1) * 28 + day - 196) / 336)
                avg = int(140 + 90 * season + (noise() - 0.5) * 60)
                max = avg + 40 + int(noise() * 50)
                min = avg - 40 - int(noise() * 50)
                humidity = int(55 - 15 * season + noise() * 30)
                pressure = int(1000 + noise() * 30)
                rain = noise() < 0.35 - 0.15 * season ? int(noise() * noise() * 400) : 0
                # A few extremes: a cold snap, a heat wave, a wet autumn.
                if (year == 1985 && month == 1 && day == 16) min = -231
                if (year == 2003 && month == 8 && day == 7) max = 431
                if (year == 2012 && month == 10) rain = rain + 300
                printf "%d %d %d %d %d %d %d %d %d\n", year, month, day, avg, max, min,
                       humidity, pressure, rain
            }
        }
    }
}
function noise() {
    seed = (seed * 16807) % 2147483647 # exact in any awk: below 2^53
    return seed / 2147483647
}'
