#include "climstat/climstat.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <memory>

namespace {

// A heap-held table, every record filled with the same measurements.
struct Table {
    explicit Table(int min_temp = 10, int max_temp = 20, std::uint32_t rainfall = 0)
        : records(new weather_table[1]) {
        for (auto &year : records[0]) {
            for (auto &days : year) {
                for (weather_record &day : days) {
                    day = weather_record{15, max_temp, min_temp, 70, 1013, rainfall};
                }
            }
        }
    }
    weather_record &at(int year, int month, int day) { return records[0][year][month][day]; }
    const weather_record (*get() const)[WEATHER_MONTHS][WEATHER_DAYS] { return records[0]; }

    std::unique_ptr<weather_table[]> records;
};

std::array<int, WEATHER_YEARS> highest_maxima(const Table &table) {
    std::array<int, WEATHER_YEARS> output{};
    higher_maximum_temperature(table.get(), output.data());
    return output;
}

std::array<month, WEATHER_YEARS> rainiest_months(const Table &table) {
    std::array<month, WEATHER_YEARS> output{};
    output.fill(99);
    highest_monthly_rainfall(table.get(), output.data());
    return output;
}

TEST(LowerMinimumTemperature, OfAUniformTableIsItsValue) {
    EXPECT_EQ(lower_minimum_temperature(Table(-7).get()), -7);
}

TEST(LowerMinimumTemperature, FindsTheLowestWhereverItIs) {
    struct Place {
        int year, month, day;
    };
    for (Place p : {Place{0, 0, 0}, Place{36, 11, 27}, Place{17, 5, 13}, Place{0, 11, 27}}) {
        Table table(3);
        table.at(p.year, p.month, p.day).min_temp = -5;
        EXPECT_EQ(lower_minimum_temperature(table.get()), -5)
            << p.year << "/" << p.month << "/" << p.day;
    }
}

TEST(LowerMinimumTemperature, ComparesSignedValuesAcrossTheWholeRange) {
    Table table(INT_MAX);
    table.at(36, 11, 27).min_temp = INT_MIN;
    table.at(2, 3, 4).min_temp = -1;
    EXPECT_EQ(lower_minimum_temperature(table.get()), INT_MIN);
}

TEST(HigherMaximumTemperature, GivesEachYearItsOwnHighest) {
    Table table(0, 20);
    for (int y = 0; y < WEATHER_YEARS; ++y) {
        table.at(y, y % WEATHER_MONTHS, y % WEATHER_DAYS).max_temp = 21 + y;
    }
    table.at(36, 11, 27).max_temp = 100; // last day of the last year
    std::array<int, WEATHER_YEARS> output = highest_maxima(table);
    for (int y = 0; y < WEATHER_YEARS - 1; ++y) {
        EXPECT_EQ(output[y], 21 + y) << "year " << y;
    }
    EXPECT_EQ(output[36], 100);
}

TEST(HigherMaximumTemperature, OfAYearOfNegativeMaximaIsTheClosestToZero) {
    Table table(-30, 25);
    for (int m = 0; m < WEATHER_MONTHS; ++m) {
        for (int d = 0; d < WEATHER_DAYS; ++d) {
            table.at(4, m, d).max_temp = -10 - d;
        }
    }
    table.at(4, 7, 20).max_temp = -3;
    std::array<int, WEATHER_YEARS> output = highest_maxima(table);
    EXPECT_EQ(output[4], -3);
    EXPECT_EQ(output[3], 25);
    EXPECT_EQ(output[5], 25);
}

struct Rain {
    const char *what;
    void (*fill)(Table &);
    month expected; // in year 9; the other years stay dry
};

void PrintTo(const Rain &r, std::ostream *os) {
    *os << r.what;
}

class HighestMonthlyRainfall : public ::testing::TestWithParam<Rain> {};

TEST_P(HighestMonthlyRainfall, FindsTheRainiestMonth) {
    const Rain &rain = GetParam();
    Table table;
    rain.fill(table);
    std::array<month, WEATHER_YEARS> output = rainiest_months(table);
    for (int y = 0; y < WEATHER_YEARS; ++y) {
        EXPECT_EQ(output[y], y == 9 ? rain.expected : month{JANUARY}) << "year " << y;
    }
}

void set_month(Table &table, int m, std::uint32_t per_day) {
    for (int d = 0; d < WEATHER_DAYS; ++d) {
        table.at(9, m, d).rainfall = per_day;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Years, HighestMonthlyRainfall,
    ::testing::Values(Rain{"dry year", [](Table &) {}, JANUARY},
                      Rain{"one rainy day", [](Table &t) { t.at(9, 6, 27).rainfall = 1; }, JULY},
                      Rain{"the total decides, not the wettest day",
                           [](Table &t) {
                               t.at(9, 2, 0).rainfall = 50;
                               set_month(t, 10, 2);
                           },
                           NOVEMBER},
                      Rain{"a tie goes to the earlier month",
                           [](Table &t) {
                               set_month(t, 8, 3);
                               set_month(t, 4, 3);
                           },
                           MAY},
                      Rain{"days above 2^31 compare unsigned",
                           [](Table &t) {
                               t.at(9, 1, 0).rainfall = 3000000000u;
                               set_month(t, 5, 1000);
                           },
                           FEBRUARY},
                      Rain{"a total above 2^32 does not wrap",
                           [](Table &t) {
                               for (int d = 0; d < 17; ++d) {
                                   t.at(9, 3, d).rainfall = 1u << 28; // 2^32 + 2^28 in all
                               }
                               set_month(t, 11, 10000000); // less, but more than 2^28
                           },
                           APRIL},
                      Rain{"a total of exactly 2^32 does not wrap to zero",
                           [](Table &t) {
                               for (int d = 0; d < 16; ++d) {
                                   t.at(9, 3, d).rainfall = 1u << 28;
                               }
                               t.at(9, 0, 0).rainfall = 5;
                           },
                           APRIL}));

TEST(HighestMonthlyRainfall, KeepsEachYearsRainToItself) {
    Table table;
    set_month(table, 11, 10);        // December of year 9 ...
    table.at(10, 2, 0).rainfall = 1; // ... does not make year 10's December rainiest
    std::array<month, WEATHER_YEARS> output = rainiest_months(table);
    EXPECT_EQ(output[9], month{DECEMBER});
    EXPECT_EQ(output[10], month{MARCH});
}

} // namespace
