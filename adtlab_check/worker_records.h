// What a worker process sends the run: fields of "LENGTH:BYTES", which hold
// any bytes, and a submission's whole record in them.
#pragma once

#include "result.h"

#include <string>
#include <string_view>

namespace adtlab::check {

void put_field(std::string &out, const std::string &field);
void put_field(std::string &out, unsigned long long number);

// The next field of `in`, taken off it; a failure when `in` is malformed.
std::string take_field(std::string_view &in);

std::string encode_record(const SubmissionResult &result);
SubmissionResult decode_record(std::string_view in);

} // namespace adtlab::check
