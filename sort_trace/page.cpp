#include "page.h"

#include "json.h"
#include "options.h"
#include "player_html.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <unordered_map>

namespace sort_trace {

namespace {

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

// Four bytes per call: two little-endian 16-bit words. A swap is 0x8000 | i,
// then j; a comparison is the positions of its two values, the second with
// 0x8000 when goes_before returned true. Positions of values are followed
// through the swaps; of equal values, one of them is shown.
std::string encode_calls(const std::vector<int> &input, const Trace &trace) {
    std::vector<int> values = input;
    std::unordered_map<int, unsigned int> position;
    for (unsigned int k = 0; k < values.size(); ++k) {
        position[values[k]] = k;
    }
    std::string bytes;
    bytes.reserve(trace.calls.size() * 4);
    auto word = [&](unsigned int w) {
        bytes += static_cast<char>(w & 0xff);
        bytes += static_cast<char>(w >> 8);
    };
    for (const adtlab::Call &call : trace.calls) {
        if (call.is_swap()) {
            auto i = static_cast<unsigned int>(call.first);
            auto j = static_cast<unsigned int>(call.second);
            std::swap(values[i], values[j]);
            position[values[i]] = i;
            position[values[j]] = j;
            word(0x8000 | i);
            word(j);
        } else {
            word(position[call.first]);
            word(position[call.second] | (call.result ? 0x8000 : 0));
        }
    }
    return base64(bytes);
}

// {"input": [...], "ranks": [...], "runs": [{"algorithm": "quick", "events": "base64"}]}
std::string page_data(const std::vector<int> &input, const std::vector<Trace> &traces) {
    std::string data = "{\"input\": " + json_array(input) +
                       ", \"ranks\": " + json_array(value_ranks(input)) + ", \"runs\": [";
    for (std::size_t r = 0; r < traces.size(); ++r) {
        data += std::string(r == 0 ? "" : ", ") + "{\"algorithm\": \"" + traces[r].algorithm->name +
                "\", \"events\": \"" + encode_calls(input, traces[r]) + "\"}";
    }
    return data + "]}";
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

void write_html(const std::string &path, const std::vector<int> &input,
                const std::vector<Trace> &traces) {
    std::string page = player_html;
    const std::string slot = "/*TRACE*/null";
    page.replace(page.find(slot), slot.size(), page_data(input, traces));
    std::FILE *file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        fail(path + ": " + std::strerror(errno));
    }
    bool written = std::fwrite(page.data(), 1, page.size(), file) == page.size();
    if (std::fclose(file) != 0 || !written) {
        fail(path + ": cannot write the page");
    }
}

} // namespace sort_trace
