// A value or the one message that says why there is none: what the parsing
// and checking of a command line hand back to main, which alone prints the
// message and ends the program.
#pragma once

#include <cassert>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace adtlab::command_line {

// Why there is no value: the message after "program: ", without a newline.
struct Error {
    std::string message;
};

template <typename T> class [[nodiscard]] Result {
  public:
    // Implicit, so that a function returns a value or an Error as it is.
    // cppcheck-suppress noExplicitConstructor
    Result(T value) : held_(std::in_place_index<0>, std::move(value)) {}
    // cppcheck-suppress noExplicitConstructor
    Result(Error error) : held_(std::in_place_index<1>, std::move(error)) {}

    explicit operator bool() const { return held_.index() == 0; }

    T &operator*() {
        assert(*this);
        return std::get<0>(held_);
    }
    const T &operator*() const {
        assert(*this);
        return std::get<0>(held_);
    }
    T *operator->() { return &**this; }
    const T *operator->() const { return &**this; }

    const std::string &error() const {
        assert(!*this);
        return std::get<1>(held_).message;
    }

  private:
    std::variant<T, Error> held_;
};

// Success with nothing to hand back, or an error.
template <> class [[nodiscard]] Result<void> {
  public:
    Result() = default;
    // cppcheck-suppress noExplicitConstructor
    Result(const Error &error) : error_(error.message) {}

    explicit operator bool() const { return !error_; }

    const std::string &error() const {
        assert(error_);
        return *error_;
    }

  private:
    std::optional<std::string> error_;
};

using Status = Result<void>;

} // namespace adtlab::command_line
