#include "command_line/option_table.h"

#include <algorithm>

#include <cstdio>
#include <string_view>

namespace adtlab::command_line {

namespace {

const Option help_option = {"help", 'h', false, {}};

Error unknown(const std::string &argument) {
    return {"unknown option '" + argument + "' (try --help)"};
}

// Reads the arguments left to right; `next_` is the one after the current.
class Parser {
  public:
    Parser(const Syntax &syntax, const std::vector<std::string> &arguments)
        : syntax_(syntax), arguments_(arguments) {
        for (const Option &option : syntax.options) {
            options_.push_back(&option);
        }
        options_.push_back(&help_option);
    }

    Result<Parsed> run() {
        while (next_ < arguments_.size() && !parsed_.help) {
            const std::string &argument = arguments_[next_++];
            if (argument == "--") {
                break;
            }
            if (!is_option(argument)) {
                parsed_.operands.push_back(argument);
                if (syntax_.options_first) {
                    break;
                }
                continue;
            }
            const Status taken = argument[1] == '-' ? take_long(argument) : take_short(argument);
            if (!taken) {
                return Error{taken.error()};
            }
        }
        if (parsed_.help) {
            parsed_.operands.clear();
            return parsed_;
        }
        parsed_.operands.insert(parsed_.operands.end(),
                                arguments_.begin() + static_cast<std::ptrdiff_t>(next_),
                                arguments_.end());
        return parsed_;
    }

  private:
    bool is_option(const std::string &argument) const {
        return argument.size() > 1 && argument[0] == '-' &&
               !(syntax_.is_operand && syntax_.is_operand(argument));
    }

    // The option of that name, or of a name it starts where the syntax
    // allows and only one does; null for none.
    const Option *named(std::string_view name) const {
        const Option *started = nullptr;
        int starts = 0;
        for (const Option *option : options_) {
            if (name == option->name) {
                return option;
            }
            if (syntax_.prefixes && std::string_view(option->name).starts_with(name)) {
                started = option;
                ++starts;
            }
        }
        return starts == 1 ? started : nullptr;
    }

    const Option *lettered(char letter) const {
        for (const Option *option : options_) {
            if (option->letter != '\0' && option->letter == letter) {
                return option;
            }
        }
        return nullptr;
    }

    // `--name`, `--name value` or `--name=value`.
    Status take_long(const std::string &argument) {
        const std::string_view body = std::string_view(argument).substr(2);
        const std::size_t equals = body.find('=');
        const Option *option = named(body.substr(0, equals));
        if (option == nullptr || (!option->takes_value && equals != std::string_view::npos)) {
            return unknown(argument);
        }
        if (equals != std::string_view::npos) {
            return give(*option, std::string(body.substr(equals + 1)));
        }
        return take(*option, argument);
    }

    // `-x`, `-xvalue`, `-x value`, or letters without values, the last of
    // which may take one: `-ce`, `-cd3`.
    Status take_short(const std::string &argument) {
        for (std::size_t k = 1; k < argument.size(); ++k) {
            const Option *option = lettered(argument[k]);
            if (option == nullptr) {
                return unknown(argument);
            }
            if (option->takes_value && k + 1 < argument.size()) {
                return give(*option, argument.substr(k + 1));
            }
            const Status taken = take(*option, argument);
            if (!taken || parsed_.help || option->takes_value) {
                return taken;
            }
        }
        return {};
    }

    // The option, with the next argument as its value where it takes one.
    Status take(const Option &option, const std::string &argument) {
        if (!option.takes_value) {
            return give(option, "");
        }
        if (next_ == arguments_.size()) {
            return Error{"option '" + argument + "' " + syntax_.needs_value};
        }
        return give(option, arguments_[next_++]);
    }

    Status give(const Option &option, const std::string &value) {
        if (&option == &help_option) {
            parsed_.help = true;
            return {};
        }
        return option.take(value);
    }

    const Syntax &syntax_;
    const std::vector<std::string> &arguments_;
    std::vector<const Option *> options_;
    std::size_t next_ = 0;
    Parsed parsed_;
};

} // namespace

Option flag(const char *name, char letter, bool &destination) {
    return {name, letter, false, [&destination](const std::string &) {
                destination = true;
                return Status{};
            }};
}

Option text(const char *name, char letter, std::string &destination) {
    return {name, letter, true, [&destination](const std::string &value) {
                destination = value;
                return Status{};
            }};
}

Result<Parsed> parse(const Syntax &syntax, const std::vector<std::string> &arguments) {
    return Parser(syntax, arguments).run();
}

std::string wrap_words(std::string_view words, std::size_t column, std::size_t width) {
    std::string wrapped;
    std::size_t line = column;
    for (std::size_t from = 0; from < words.size();) {
        const std::size_t end = std::min(words.find(' ', from), words.size());
        const std::size_t length = end - from;
        if (line > column && line + 1 + length > width) {
            wrapped += '\n';
            wrapped.append(column, ' ');
            line = column;
        } else if (line > column) {
            wrapped += ' ';
            ++line;
        }
        wrapped.append(words, from, length);
        line += length;
        from = end + 1;
    }
    return wrapped;
}

int print_error(const char *program, const std::string &message) {
    std::fprintf(stderr, "%s: %s\n", program, message.c_str());
    return 2;
}

} // namespace adtlab::command_line
