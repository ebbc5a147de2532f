// The junit report.
#pragma once

#include "formats.h"

#include <string>

namespace adtlab::check {

std::string junit_report(const RunResult &run, const ReportOptions &options);

} // namespace adtlab::check
