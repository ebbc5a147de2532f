#include "check_page.h"

#include "reporting.h"

#include <string_view>

namespace adtlab::check {

namespace {

// The report's lines as one: "on (2 values) 2 -2; call 1: ...".
std::string one_line(std::string text) {
    for (std::size_t at; (at = text.find("\n  ")) != std::string::npos;) {
        text.replace(at, 3, "; ");
    }
    return text;
}

// "call 3: expected ...; got ... (2 comparisons and 0 swaps before it)",
// without what describe adds of a whole run.
std::string difference_in_words(const Mismatch &mismatch, const std::vector<Call> &library,
                                const std::vector<Call> &calls) {
    const std::string text = describe(mismatch, library, calls, false);
    return text.substr(0, text.find('\n'));
}

std::string sentence(const SortOnPage &sort, const std::optional<Mismatch> &mismatch,
                     const std::vector<Call> &library) {
    const std::string name = std::string(sort.algorithm->name) + "_sort";
    const std::string input = show_input(sort.seen.input);
    if (sort.missing) {
        return "missing: " +
               (sort.verdict.empty() ? "the submission does not define " + name : sort.verdict);
    }
    if (sort.verdict.empty()) {
        return "conforms: on " + input + ", the battery's first input of " +
               std::to_string(page_input_size) + " values, the calls are the library's" +
               (std::string_view(sort.algorithm->name) == "quick"
                    ? ", partition by partition (the two sides in either order)"
                    : "");
    }
    std::string text = one_line(sort.verdict);
    if (mismatch && !sort.seen.finished) {
        text += "; " + difference_in_words(*mismatch, library, sort.seen.calls);
    }
    return text;
}

// How the learner's run ended, when not by itself.
std::optional<std::string> ended(const SortOnPage &sort) {
    std::string text = sort.ending;
    if (text.empty() && !sort.seen.finished) {
        text = "did not finish this input";
    }
    if (sort.seen.cut) {
        text += (text.empty() ? "" : "; ") + std::string("the page keeps its first ") +
                std::to_string(page_call_limit) + " calls";
    }
    return text.empty() ? std::nullopt : std::optional<std::string>(text);
}

} // namespace

std::optional<Mismatch> first_difference(const SortOnPage &sort, const std::vector<Call> &library) {
    if (sort.missing) {
        return std::nullopt;
    }
    const SortCalls &seen = sort.seen;
    std::optional<Mismatch> mismatch =
        match_sort(sort.algorithm->name, seen.input, library, seen.calls);
    if (mismatch && seen.cut && mismatch->call >= seen.calls.size()) {
        return std::nullopt; // the calls kept end there, not the learner's
    }
    return mismatch;
}

player::Group sort_group(const SortOnPage &sort, const Recording &library) {
    const std::string name = sort.algorithm->name;
    player::Group group;
    group.name = name;
    group.input = sort.seen.input;
    group.compares = true;
    const std::optional<Mismatch> mismatch = first_difference(sort, library.calls);
    if (mismatch) {
        group.first_difference = mismatch->call + 1;
    }
    group.sentence = sentence(sort, mismatch, library.calls);
    if (sort.missing) {
        return group;
    }
    group.panels.push_back(
        {"yours-" + name, "yours", name, &sort.seen.calls, ended(sort), std::nullopt});
    group.panels.push_back({"library-" + name, "the library's", name, &library.calls, std::nullopt,
                            std::nullopt, &library});
    return group;
}

std::string write_sorts_page(const std::string &path, const std::string &title,
                             const std::vector<SortOnPage> &sorts) {
    // Sized once: each group points at its library's calls.
    std::vector<Recording> library(sorts.size());
    std::vector<player::Group> groups;
    for (std::size_t k = 0; k < sorts.size(); ++k) {
        std::vector<int> values = sorts[k].seen.input;
        library[k] = record_sort(*sorts[k].algorithm, values);
        groups.push_back(sort_group(sorts[k], library[k]));
    }
    return player::write_page(path, title, groups);
}

std::string write_check_page(const std::string &path, const SubmissionResult &submission) {
    std::vector<SortOnPage> sorts;
    for (const CheckResult &check : submission.checks) {
        const SortAlgorithm *algorithm = find_sort(check.name.substr(0, check.name.rfind("_sort")));
        if (!check.shown || algorithm == nullptr) {
            continue; // not a sort's, or not kept
        }
        sorts.push_back({algorithm, check.status == Status::missing, *check.shown, check.ending,
                         check.status == Status::pass ? "" : check.why});
    }
    return write_sorts_page(path, "adtlab-check: " + submission.name, sorts);
}

} // namespace adtlab::check
