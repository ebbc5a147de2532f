// The gradescope report.
#pragma once

#include "formats.h"

#include <string>

namespace adtlab::check {

std::string gradescope_report(const RunResult &run, const ReportOptions &options);

} // namespace adtlab::check
