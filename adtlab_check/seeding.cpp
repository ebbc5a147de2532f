#include "seeding.h"

#include <cstdint>

namespace adtlab::check {

namespace {

std::uint32_t name_hash(const std::string &name) { // FNV-1a: the same on every machine
    std::uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

} // namespace

std::mt19937_64 seeded_random(unsigned long long seed, const std::string &name) {
    std::seed_seq sequence{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32),
                           name_hash(name)};
    return std::mt19937_64(sequence);
}

} // namespace adtlab::check
