#include "json.h"

#include "json_writer/json_writer.h"

#include <cstdio>

namespace sort_trace {

namespace {

// The site of each call, [line in the sort's source, first position, second
// position], and the steps, each [kind, first, last, calls made before it,
// line].
void write_sites_and_steps(adtlab::JsonWriter &json, const adtlab::Recording &recording) {
    json.key("sites").open_array();
    for (const adtlab::CallSite &site : recording.sites) {
        json.numbers(std::vector<unsigned int>{site.line, site.first, site.second});
    }
    json.close_array();
    json.key("steps").open_array();
    for (const adtlab::Step &step : recording.steps) {
        json.open_array();
        json.string(adtlab::step_name(step.kind));
        json.count(step.first);
        json.count(step.last);
        json.count(step.calls);
        json.count(step.line);
        json.close_array();
    }
    json.close_array();
}

} // namespace

void print_json(const std::vector<int> &input, const std::vector<Trace> &traces) {
    adtlab::JsonWriter json(adtlab::JsonWriter::Layout::one_line);
    json.open_object();
    json.key("input").numbers(input);
    json.key("runs").open_array();
    for (const Trace &trace : traces) {
        json.open_object();
        json.key("algorithm").string(trace.algorithm->name);
        json.key("comparisons").count(trace.comparisons);
        json.key("swaps").count(trace.swaps);
        json.key("result").numbers(trace.result);
        json.key("events").open_array();
        for (const adtlab::Call &call : trace.recording.calls) {
            json.raw(adtlab::call_json(call));
        }
        json.close_array();
        write_sites_and_steps(json, trace.recording);
        json.close_object();
    }
    json.close_array();
    json.close_object();
    std::fputs(json.text().c_str(), stdout);
    std::fputc('\n', stdout);
}

} // namespace sort_trace
