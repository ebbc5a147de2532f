#include "player/page.h"

#include "ordtally/ordtally.h"
#include "player/page_html.h"
#include "player/sorting_source.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <unordered_map>

namespace adtlab::player {

namespace {

// Marks a comparison's value that is not in the array, and bounds a swap's
// positions, which an array of at most most_values values never reaches.
constexpr unsigned int no_position = most_values;

std::string base64(const std::string &bytes) {
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t k = 0; k < bytes.size(); k += 3) {
        std::uint32_t chunk = static_cast<unsigned char>(bytes[k]) << 16;
        chunk |= k + 1 < bytes.size() ? static_cast<unsigned char>(bytes[k + 1]) << 8 : 0;
        chunk |= k + 2 < bytes.size() ? static_cast<unsigned char>(bytes[k + 2]) : 0;
        text += digits[(chunk >> 18) & 63];
        text += digits[(chunk >> 12) & 63];
        text += k + 1 < bytes.size() ? digits[(chunk >> 6) & 63] : '=';
        text += k + 2 < bytes.size() ? digits[chunk & 63] : '=';
    }
    return text;
}

// A JSON string that is also safe inside a <script> element.
std::string json_string(const std::string &text) {
    std::string quoted = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            quoted.append(1, '\\').append(1, c);
        } else if (byte < 0x20 || c == '<' || c == '>' || c == '&') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

template <typename Number> std::string json_numbers(const std::vector<Number> &values) {
    std::string text = "[";
    for (std::size_t k = 0; k < values.size(); ++k) {
        text.append(k == 0 ? "" : ", ").append(std::to_string(values[k]));
    }
    return text + "]";
}

std::string json_count(const std::optional<unsigned long long> &count) {
    return count ? std::to_string(*count) : "null";
}

std::string expected_json(const Expected &expected) {
    return "{\"comparisons\": " + json_count(expected.comparisons.count) +
           ", \"swaps\": " + json_count(expected.swaps.count) +
           ", \"comparisons_rule\": " + json_string(expected.comparisons.rule) +
           ", \"swaps_rule\": " + json_string(expected.swaps.rule) + "}";
}

void little_endian(std::string &bytes, std::uint32_t word, int size) {
    for (int k = 0; k < size; ++k) {
        bytes += static_cast<char>((word >> (8 * k)) & 0xff);
    }
}

// The line of each call, 16 bits each; then each step as four 32-bit words:
// the calls made before it, its kind, its first and its last position.
std::string explained_json(const Recording &recording) {
    std::string lines;
    for (const CallSite &site : recording.sites) {
        little_endian(lines, std::min(site.line, 0xffffu), 2);
    }
    std::string steps;
    for (const Step &step : recording.steps) {
        little_endian(steps, static_cast<std::uint32_t>(step.calls), 4);
        little_endian(steps, static_cast<std::uint32_t>(step.kind), 4);
        little_endian(steps, step.first, 4);
        little_endian(steps, step.last, 4);
    }
    return ", \"lines\": \"" + base64(lines) + "\", \"steps\": \"" + base64(steps) + "\"";
}

bool explained(const Panel &panel) {
    return panel.recording != nullptr && panel.calls->size() <= most_explained_calls &&
           panel.recording->sites.size() == panel.calls->size();
}

std::string panel_json(const std::vector<int> &input, const Panel &panel) {
    const bool told = explained(panel);
    std::string json =
        "{\"id\": " + json_string(panel.id) + ", \"title\": " + json_string(panel.title) +
        ", \"algorithm\": " + json_string(panel.algorithm) + ", \"events\": \"" +
        encode_calls(input, *panel.calls, told ? &panel.recording->sites : nullptr) + "\"";
    if (told) {
        json += explained_json(*panel.recording);
    }
    if (panel.ended) {
        json += ", \"ended\": " + json_string(*panel.ended);
    }
    if (panel.expected) {
        json += ", \"expected\": " + expected_json(*panel.expected);
    }
    return json + "}";
}

std::string group_json(const Group &group) {
    std::string json = "{\"name\": " + json_string(group.name) +
                       ", \"input\": " + json_numbers(group.input) +
                       ", \"ranks\": " + json_numbers(value_ranks(group.input));
    if (group.compares) {
        json += ", \"firstDifference\": " + json_count(group.first_difference) +
                ", \"sentence\": " + json_string(group.sentence);
    }
    json += ", \"runs\": [";
    for (std::size_t k = 0; k < group.panels.size(); ++k) {
        json += k == 0 ? "" : ", ";
        json += panel_json(group.input, group.panels[k]);
    }
    return json + "]}";
}

} // namespace

// goes_before itself orders the values, with no observer set; it counts, but
// every run resets the counters first, so these comparisons show nowhere.
std::vector<unsigned int> value_ranks(const std::vector<int> &values) {
    auto strictly_before = [&values](std::size_t a, std::size_t b) {
        return !goes_before(values[b], values[a]); // goes_before holds for equal values
    };
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), strictly_before);
    std::vector<unsigned int> ranks(values.size());
    unsigned int rank = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        rank += k > 0 && strictly_before(order[k - 1], order[k]) ? 1 : 0;
        ranks[order[k]] = rank;
    }
    return ranks;
}

// Two little-endian 16-bit words per call. A swap is 0x8000 | i, then j; a
// comparison is the positions of its two values, the second with 0x8000 when
// goes_before returned true. Positions of values are followed through the
// swaps; of equal values, one of them is shown.
std::string encode_calls(const std::vector<int> &input, const std::vector<Call> &calls,
                         const std::vector<CallSite> *sites) {
    std::vector<int> values = input;
    std::unordered_map<int, unsigned int> position;
    for (unsigned int k = 0; k < values.size(); ++k) {
        position[values[k]] = k;
    }
    auto where = [&position](int value) {
        auto found = position.find(value);
        return found == position.end() ? no_position : found->second;
    };
    std::string bytes;
    bytes.reserve(calls.size() * 4);
    auto word = [&bytes](unsigned int w) {
        bytes += static_cast<char>(w & 0xff);
        bytes += static_cast<char>((w >> 8) & 0xff);
    };
    for (std::size_t k = 0; k < calls.size(); ++k) {
        const Call &call = calls[k];
        if (!call.is_swap()) {
            const bool sited = sites != nullptr && k < sites->size();
            word(sited ? std::min((*sites)[k].first, no_position) : where(call.first));
            word((sited ? std::min((*sites)[k].second, no_position) : where(call.second)) |
                 (call.result ? 0x8000 : 0));
            continue;
        }
        auto i = static_cast<unsigned int>(call.first);
        auto j = static_cast<unsigned int>(call.second);
        if (i < values.size() && j < values.size()) {
            std::swap(values[i], values[j]);
            position[values[i]] = i;
            position[values[j]] = j;
        }
        word(0x8000 | std::min(i, no_position));
        word(std::min(j, no_position));
    }
    return base64(bytes);
}

std::optional<Expected> expected_of(const ExpectedCounts &counts) {
    if (!counts.comparisons && !counts.swaps) {
        return std::nullopt;
    }
    auto count = [](const std::optional<std::uint64_t> &c) {
        return c ? std::optional<unsigned long long>(*c) : std::nullopt;
    };
    return Expected{{count(counts.comparisons), counts.comparisons_rule},
                    {count(counts.swaps), counts.swaps_rule}};
}

std::string page_data(const std::string &title, const std::vector<Group> &groups) {
    std::string json = "{\"title\": " + json_string(title) +
                       ", \"order\": " + json_string(ADTLAB_ORDER_WORDS) +
                       ", \"source\": {\"path\": \"sorting/sorting.cpp\", \"text\": " +
                       json_string(sorting_source) + "}, \"groups\": [";
    for (std::size_t k = 0; k < groups.size(); ++k) {
        // In steps: g++ 12 with LTO warns falsely of an overflow in ", " + text.
        json += k == 0 ? "" : ", ";
        json += group_json(groups[k]);
    }
    return json + "]}";
}

std::string write_page(const std::string &path, const std::string &title,
                       const std::vector<Group> &groups) {
    std::string page = page_html;
    const std::string slot = "/*PLAYER_DATA*/null";
    page.replace(page.find(slot), slot.size(), page_data(title, groups));
    std::FILE *file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return path + ": " + std::strerror(errno);
    }
    bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
    if (std::fclose(file) != 0 || !written) {
        return path + ": cannot write the page";
    }
    return "";
}

} // namespace adtlab::player
