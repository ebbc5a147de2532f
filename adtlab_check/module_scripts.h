// The scripts of the module checks: each operation the harness carries out,
// with the call in words and the answer it must give.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace adtlab::check {

// One operation: the harness's command, the call in words, the calls before
// it on the same handle in words, and the answer it must give ("done",
// "size 3", "dump 7001 -7002", "bool true", "array 9 5", "set HEX HEX").
struct Step {
    std::string command;
    std::string call;
    std::string after;
    std::string expected;
};

// Builds a check's steps, keeping each handle's calls for the words.
class Script {
  public:
    // A call that changes handle `slot`, e.g. ("enqueue", "queue_enqueue", "7001").
    void change(unsigned int slot, const std::string &command, const std::string &function,
                const std::string &argument);
    // A call that reads handle `slot` and answers `expected`.
    void read(unsigned int slot, const std::string &command, const std::string &argument,
              const std::string &call, const std::string &expected);
    // A call on no handle: the whole command.
    void once(const std::string &command, const std::string &call, const std::string &expected);
    const std::vector<Step> &steps() const { return steps_; }

  private:
    std::string history(unsigned int slot) const;
    std::vector<Step> steps_;
    std::vector<std::pair<std::string, std::vector<std::string>>> calls_[4];
};

// "7001 -7002 9": numbers in words.
std::string join(const std::vector<int> &values);

// "\"word\"", bytes as a C string, the first 20 of a longer one.
std::string quoted(const std::string &bytes);

// The bytes in hex, two digits each, and back (nothing for other text).
std::string hex(const std::string &bytes);
std::optional<std::string> unhex(const std::string &digits);

} // namespace adtlab::check
