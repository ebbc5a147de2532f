#include "module_scripts.h"

#include <climits>
#include <cstdio>

namespace adtlab::check {

namespace {

constexpr std::size_t shown_calls = 10; // of a run of the same call, in words

std::string handle_of(const std::string &function) {
    return function.rfind("queue", 0) == 0 ? "q" : "s";
}

} // namespace

std::string quoted(const std::string &bytes) {
    std::string text = "\"";
    for (std::size_t k = 0; k < bytes.size() && k < 20; ++k) {
        const auto c = static_cast<unsigned char>(bytes[k]);
        if (c >= ' ' && c < 0x7f && c != '"' && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
            text += escaped;
        }
    }
    text += bytes.size() > 20 ? "...\" (" + std::to_string(bytes.size()) + " bytes)" : "\"";
    return text;
}

std::string hex(const std::string &bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string text;
    for (char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        text += digits[c / 16];
        text += digits[c % 16];
    }
    return text;
}

std::optional<std::string> unhex(const std::string &digits) {
    static const std::string known = "0123456789abcdef";
    std::string bytes;
    for (std::size_t k = 0; k + 1 < digits.size(); k += 2) {
        const std::size_t high = known.find(digits[k]);
        const std::size_t low = known.find(digits[k + 1]);
        if (high == std::string::npos || low == std::string::npos) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    if (digits.size() % 2 != 0) {
        return std::nullopt;
    }
    return bytes;
}

std::string join(const std::vector<int> &values) {
    std::string text;
    for (int v : values) {
        text += text.empty() ? "" : " ";
        text += std::to_string(v);
    }
    return text;
}

void Script::change(unsigned int slot, const std::string &command, const std::string &function,
                    const std::string &argument) {
    const bool fresh = function.find("_empty") != std::string::npos;
    const std::string call = fresh ? function + "()"
                                   : function + "(" + handle_of(function) +
                                         (argument.empty() ? "" : ", " + argument) + ")";
    std::string line = command + " " + std::to_string(slot);
    line += argument.empty() ? "" : " " + argument;
    steps_.push_back({line, call, history(slot), "done"});
    auto &calls = calls_[slot];
    if (fresh) {
        calls.clear();
    }
    if (calls.empty() || calls.back().first != function) {
        calls.push_back({function, {}});
    }
    calls.back().second.push_back(argument);
}

void Script::read(unsigned int slot, const std::string &command, const std::string &argument,
                  const std::string &call, const std::string &expected) {
    std::string line = command + " " + std::to_string(slot);
    line += argument.empty() ? "" : " " + argument;
    steps_.push_back({line, call, history(slot), expected});
}

void Script::once(const std::string &command, const std::string &call,
                  const std::string &expected) {
    steps_.push_back({command, call, "", expected});
}

// "queue_empty(), queue_enqueue of 7001 -7002, queue_disscard(q, 1)"
std::string Script::history(unsigned int slot) const {
    std::string text;
    for (const auto &[function, arguments] : calls_[slot]) {
        text += text.empty() ? "" : ", ";
        if (function.find("_empty") != std::string::npos) {
            text += function + "()";
        } else if (arguments.size() == 1) {
            text += function + "(" + handle_of(function) +
                    (arguments[0].empty() ? "" : ", " + arguments[0]) + ")";
        } else if (arguments[0].empty()) {
            text += function + " " + std::to_string(arguments.size()) + " times";
        } else {
            text += function + " of";
            for (std::size_t k = 0; k < arguments.size() && k < shown_calls; ++k) {
                text += " " + arguments[k];
            }
            if (arguments.size() > shown_calls) {
                text += " ... (" + std::to_string(arguments.size()) + " calls)";
            }
        }
    }
    return text;
}

} // namespace adtlab::check
