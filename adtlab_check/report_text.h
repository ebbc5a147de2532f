// The text report: for people.
#pragma once

#include "formats.h"

#include <string>

namespace adtlab::check {

// "seed: N\nisolation: WORDS\n", the run in words, as the text report ends.
std::string seed_in_words(const RunResult &run);

// For one submission, its verdicts; for several, a block per submission
// under its name, then a table of their statuses.
std::string text_report(const RunResult &run, const ReportOptions &options);

} // namespace adtlab::check
