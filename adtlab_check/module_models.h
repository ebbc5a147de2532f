// The queue, stack and fixed-string checks, each with the model of the
// module that gives its answers.
#pragma once

#include "kinds.h"

#include <span>

namespace adtlab::check {

std::span<const ModuleCheck> queue_checks();
std::span<const ModuleCheck> stack_checks();
std::span<const ModuleCheck> fstring_checks();

} // namespace adtlab::check
