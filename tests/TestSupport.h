#pragma once
// Helpers shared by the test tables: every table row carries a name in words, and that name
// becomes the case's name in the test list.

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace revora::testing {

// GoogleTest accepts only letters, digits and underscores in a case name; every other run of
// characters becomes one underscore ("exactly 181 900 stays in bracket 1" ->
// "exactly_181_900_stays_in_bracket_1").
inline std::string CaseName(const char* words)
{
    std::string name;
    for (const char* c = words; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c)))
            name += *c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name;
}

// Name generator for INSTANTIATE_TEST_SUITE_P over rows that have a `name` member.
struct RowName {
    template <typename Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const
    {
        return CaseName(info.param.name);
    }
};

} // namespace revora::testing
