// The random numbers of each check, chosen from the run's seed.
#pragma once

#include <random>
#include <string>

namespace adtlab::check {

// The random numbers of check `name` for a seed, the same on every machine.
std::mt19937_64 seeded_random(unsigned long long seed, const std::string &name);

} // namespace adtlab::check
