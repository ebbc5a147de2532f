#include "check_page.h"

#include "reporting.h"

#include <string_view>

namespace adtlab::check {

namespace {

std::string sentence(const SortOnPage &sort, const std::optional<Mismatch> &mismatch) {
    if (sort.missing) {
        return "missing: " + joined(sort.verdict, "; ");
    }
    if (sort.verdict.empty()) {
        return "conforms: on " + show_input(sort.seen.input, player::most_values) +
               ", the battery's first input of " + std::to_string(page_input_size) +
               " values, the calls are the library's" +
               (sort.algorithm->matching == CallMatching::partitions
                    ? ", partition by partition (the two sides in either order)"
                    : "");
    }
    std::string text = joined(sort.verdict, "; ");
    if (mismatch && !sort.seen.finished) {
        // The report names the ending; the page also names where the calls stop.
        text += "; " + mismatch_line(*mismatch, count_calls(sort.seen.calls, mismatch->call));
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

std::optional<Mismatch> first_difference(const SortOnPage &sort) {
    if (sort.missing || !sort.mismatch) {
        return std::nullopt;
    }
    if (sort.seen.cut && sort.mismatch->call >= sort.seen.calls.size()) {
        return std::nullopt; // the calls kept end there, not the learner's
    }
    return sort.mismatch;
}

SortOnPage sort_on_page(const CheckResult &check) {
    SortOnPage sort{check.shown->algorithm, check.status == Status::missing,
                    *check.shown,           check.ending,
                    check.mismatch,         {}};
    if (sort.missing) {
        sort.verdict = {check.why.empty() ? "the submission does not define " + check.name
                                          : check.why};
    } else if (check.status != Status::pass) {
        sort.verdict = sort_lines(check, player::most_values);
    }
    return sort;
}

player::Group sort_group(const SortOnPage &sort, const Recording &library) {
    const std::string name = sort.algorithm->name;
    player::Group group;
    group.name = name;
    group.input = sort.seen.input;
    group.compares = true;
    const std::optional<Mismatch> mismatch = first_difference(sort);
    if (mismatch) {
        group.first_difference = mismatch->call + 1;
    }
    group.sentence = sentence(sort, mismatch);
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
        if (check.shown && check.shown->algorithm != nullptr) { // a sort's, kept
            sorts.push_back(sort_on_page(check));
        }
    }
    return write_sorts_page(path, "adtlab-check: " + submission.name, sorts);
}

} // namespace adtlab::check
