// Names a case of a parameterised test after its `what`: the text with every
// character that is not a letter or a digit made an underscore.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace adtlab::testing {

struct NameFromWhat {
    template <typename Param>
    std::string operator()(const ::testing::TestParamInfo<Param> &info) const {
        std::string name = info.param.what;
        for (char &c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) != 0 ? c : '_';
        }
        return name;
    }
};

} // namespace adtlab::testing
