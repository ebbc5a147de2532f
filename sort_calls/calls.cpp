#include "sort_calls/calls.h"

#include <cassert>
#include <charconv>
#include <cstdio>

namespace adtlab {

namespace {

void record_comparison(int x, int y, bool result, void *user) {
    static_cast<Recording *>(user)->calls.push_back(Call::comparison(x, y, result));
}

void record_swap(const int *, unsigned int i, unsigned int j, void *user) {
    static_cast<Recording *>(user)->calls.push_back(Call::swap(i, j));
}

// A call's site comes just before the call itself.
void record_step(const order_step *step, void *user) {
    auto &recording = *static_cast<Recording *>(user);
    if (step->kind == ORDER_STEP_CALL) {
        assert(recording.sites.size() == recording.calls.size());
        recording.sites.push_back({step->line, step->first, step->last});
    } else {
        recording.steps.push_back(
            {step->kind, step->first, step->last, step->line, recording.calls.size()});
    }
}

// Records a partition: every call until the sort first places values, which
// it does when its first partition ends.
struct PartitionRecorder {
    std::vector<Call> calls;
    std::optional<order_step> placed;
};

void partition_comparison(int x, int y, bool result, void *user) {
    auto &recorder = *static_cast<PartitionRecorder *>(user);
    if (!recorder.placed) {
        recorder.calls.push_back(Call::comparison(x, y, result));
    }
}

void partition_swap(const int *, unsigned int i, unsigned int j, void *user) {
    auto &recorder = *static_cast<PartitionRecorder *>(user);
    if (!recorder.placed) {
        recorder.calls.push_back(Call::swap(i, j));
    }
}

void partition_step(const order_step *step, void *user) {
    auto &recorder = *static_cast<PartitionRecorder *>(user);
    if (step->kind == ORDER_STEP_PLACED && !recorder.placed) {
        recorder.placed = *step;
    }
}

} // namespace

Recording record_sort(const SortAlgorithm &algorithm, std::vector<int> &values) {
    Recording recording;
    const order_observer observer = {record_comparison, record_swap, &recording};
    const step_observer steps = {record_step, &recording};
    watch_order(&observer);
    watch_steps(&steps);
    algorithm.sort(values.data(), static_cast<unsigned int>(values.size()));
    watch_steps(nullptr);
    watch_order(nullptr);
    assert(recording.sites.size() == recording.calls.size());
    return recording;
}

std::vector<Call> record_calls(const SortAlgorithm &algorithm, std::vector<int> &values) {
    return record_sort(algorithm, values).calls;
}

const char *step_name(order_step_kind kind) {
    static const char *const names[] = {"call", "range",  "pivot", "minimum",
                                        "key",  "sorted", "placed"};
    return names[kind];
}

std::string call_json(const Call &call) {
    char text[64];
    if (call.is_swap()) {
        std::snprintf(text, sizeof text, ADTLAB_SWAP_FORMAT, static_cast<unsigned int>(call.first),
                      static_cast<unsigned int>(call.second));
    } else {
        std::snprintf(text, sizeof text, ADTLAB_COMPARISON_FORMAT, call.first, call.second,
                      call.result ? "true" : "false");
    }
    return text;
}

std::optional<Call> parse_call_json(std::string_view line) {
    std::string_view rest = line;
    auto take = [&rest](std::string_view text) {
        bool found = rest.substr(0, text.size()) == text;
        rest.remove_prefix(found ? text.size() : 0);
        return found;
    };
    auto number = [&rest](auto &value) {
        auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        return error == std::errc();
    };
    std::optional<Call> call;
    if (int x = 0, y = 0; take("[\"c\", ") && number(x) && take(", ") && number(y) && take(", ")) {
        if (take("true]") || take("false]")) {
            call = Call::comparison(x, y, line.substr(line.size() - 5) == "true]");
        }
    } else if (unsigned int i = 0, j = 0;
               take("[\"s\", ") && number(i) && take(", ") && number(j) && take("]")) {
        call = Call::swap(i, j);
    }
    // Only the exact text counts: written again, it must be the same line.
    if (!rest.empty() || (call && call_json(*call) != line)) {
        call.reset();
    }
    return call;
}

std::string call_words(const Call &call) {
    if (call.is_swap()) {
        return "swap(a, " + std::to_string(static_cast<unsigned int>(call.first)) + ", " +
               std::to_string(static_cast<unsigned int>(call.second)) + ")";
    }
    return "goes_before(" + std::to_string(call.first) + ", " + std::to_string(call.second) +
           ") -> " + (call.result ? "true" : "false");
}

CallCounts count_calls(const std::vector<Call> &calls, std::size_t end) {
    CallCounts counts;
    for (std::size_t k = 0; k < end && k < calls.size(); ++k) {
        ++(calls[k].is_swap() ? counts.swaps : counts.comparisons);
    }
    return counts;
}

Partition partition_calls(const SortAlgorithm &algorithm, std::vector<int> &a, unsigned int left,
                          unsigned int right) {
    assert(algorithm.matching == CallMatching::partitions);
    assert(left < right && right < a.size());
    std::vector<int> range(a.begin() + left, a.begin() + right + 1);
    PartitionRecorder recorder;
    const order_observer observer = {partition_comparison, partition_swap, &recorder};
    const step_observer steps = {partition_step, &recorder};
    watch_order(&observer);
    watch_steps(&steps);
    algorithm.sort(range.data(), static_cast<unsigned int>(range.size()));
    watch_steps(nullptr);
    watch_order(nullptr);
    assert(recorder.placed);
    Partition partition{std::move(recorder.calls), recorder.placed->first + left,
                        recorder.placed->last + left};
    for (Call &call : partition.calls) {
        if (call.is_swap()) {
            call.first += static_cast<int>(left);
            call.second += static_cast<int>(left);
            std::swap(a[static_cast<unsigned int>(call.first)],
                      a[static_cast<unsigned int>(call.second)]);
        }
    }
    return partition;
}

} // namespace adtlab
