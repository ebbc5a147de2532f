#include "sort_inputs/values.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace adtlab {

std::optional<long long> parse_number(const std::string &text, long long low, long long high) {
    if (text.empty()) {
        return std::nullopt;
    }
    errno = 0;
    char *end = nullptr;
    long long value = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

FileValues read_values(const std::string &path, std::size_t most) {
    FileValues result;
    std::FILE *file = std::fopen(path.c_str(), "r");
    if (file == nullptr) {
        result.error = path + ": " + std::strerror(errno);
        return result;
    }
    std::string token;
    for (int c = std::getc(file); result.error.empty(); c = std::getc(file)) {
        if (c != EOF && std::isspace(c) == 0) {
            token += static_cast<char>(c);
            continue;
        }
        if (!token.empty()) {
            auto value = parse_number(token, INT_MIN, INT_MAX);
            if (!value) {
                result.error =
                    path + ": '" + token.substr(0, 40) + "' is not an integer in the int range";
            } else if (result.values.size() == most) {
                result.error = path + ": more than " + std::to_string(most) +
                               " values, more than a sort takes here";
            } else {
                result.values.push_back(static_cast<int>(*value));
            }
            token.clear();
        }
        if (c == EOF) {
            break;
        }
    }
    if (result.error.empty() && std::ferror(file) != 0) {
        result.error = path + ": " + std::strerror(errno);
    }
    std::fclose(file);
    return result;
}

} // namespace adtlab
