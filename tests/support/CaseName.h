#pragma once

#include <string>

#include <gtest/gtest.h>

namespace vorn::test {

// Names each instance of a parameterised test after the `name` member of its case.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& param) const {
        return std::string(param.param.name);
    }
};

} // namespace vorn::test
