#include "player/page.h"

#include "json_writer/json_writer.h"
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

void count_or_null(JsonWriter &json, const std::optional<unsigned long long> &count) {
    if (count) {
        json.count(*count);
    } else {
        json.null();
    }
}

void write_expected(JsonWriter &json, const Expected &expected) {
    json.open_object();
    json.key("comparisons");
    count_or_null(json, expected.comparisons.count);
    json.key("swaps");
    count_or_null(json, expected.swaps.count);
    json.key("comparisons_rule").string(expected.comparisons.rule);
    json.key("swaps_rule").string(expected.swaps.rule);
    json.close_object();
}

void little_endian(std::string &bytes, std::uint32_t word, int size) {
    for (int k = 0; k < size; ++k) {
        bytes += static_cast<char>((word >> (8 * k)) & 0xff);
    }
}

// The line of each call, 16 bits each; then each step as four 32-bit words:
// the calls made before it, its kind, its first and its last position.
void write_explained(JsonWriter &json, const Recording &recording) {
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
    json.key("lines").string(base64(lines));
    json.key("steps").string(base64(steps));
}

// The file of a library's sorts, as the page shows it beside their calls.
struct Source {
    const char *path;
    const char *text;
};

Source source_of(SortLibrary library) {
    switch (library) {
    case SortLibrary::sorting:
        return {"sorting/sorting.cpp", sorting_source};
    case SortLibrary::textbook_sorts:
        return {"textbook_sorts/textbook_sorts.cpp", textbook_sorts_source};
    }
    return {"", ""};
}

bool explained(const Panel &panel) {
    return panel.recording != nullptr && panel.calls->size() <= most_explained_calls &&
           panel.recording->sites.size() == panel.calls->size();
}

void write_panel(JsonWriter &json, const std::vector<int> &input, const Panel &panel) {
    const bool told = explained(panel);
    json.open_object();
    json.key("id").string(panel.id);
    json.key("title").string(panel.title);
    json.key("algorithm").string(panel.algorithm);
    json.key("events").string(
        encode_calls(input, *panel.calls, told ? &panel.recording->sites : nullptr));
    const SortAlgorithm *sort = find_sort(panel.algorithm);
    if (told && sort != nullptr) {
        write_explained(json, *panel.recording);
        json.key("source").string(source_of(sort->library).path);
        json.key("rangeWords").string(sort->range_words);
    }
    if (panel.ended) {
        json.key("ended").string(*panel.ended);
    }
    if (panel.expected) {
        json.key("expected");
        write_expected(json, *panel.expected);
    }
    json.close_object();
}

void write_group(JsonWriter &json, const Group &group) {
    json.open_object();
    json.key("name").string(group.name);
    json.key("input").numbers(group.input);
    json.key("ranks").numbers(value_ranks(group.input));
    if (group.compares) {
        json.key("firstDifference");
        count_or_null(json, group.first_difference);
        json.key("sentence").string(group.sentence);
    }
    json.key("runs").open_array();
    for (const Panel &panel : group.panels) {
        write_panel(json, group.input, panel);
    }
    json.close_array();
    json.close_object();
}

// The source of each library whose calls the page explains, by its path.
void write_sources(JsonWriter &json, const std::vector<Group> &groups) {
    std::vector<SortLibrary> shown;
    for (const Group &group : groups) {
        for (const Panel &panel : group.panels) {
            const SortAlgorithm *sort = find_sort(panel.algorithm);
            if (sort != nullptr && explained(panel) &&
                std::find(shown.begin(), shown.end(), sort->library) == shown.end()) {
                shown.push_back(sort->library);
            }
        }
    }
    std::sort(shown.begin(), shown.end());
    json.key("sources").open_object();
    for (SortLibrary library : shown) {
        json.key(source_of(library).path).string(source_of(library).text);
    }
    json.close_object();
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
    JsonWriter json(JsonWriter::Layout::one_line, true);
    json.open_object();
    json.key("title").string(title);
    json.key("order").string(ADTLAB_ORDER_WORDS);
    write_sources(json, groups);
    json.key("groups").open_array();
    for (const Group &group : groups) {
        write_group(json, group);
    }
    json.close_array();
    json.close_object();
    return json.text();
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
