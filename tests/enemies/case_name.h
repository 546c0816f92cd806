// A table's case is named in the test list after its `what`: "past the
// left limit" becomes past_the_left_limit.
#pragma once

#include <cctype>
#include <string>

#include <gtest/gtest.h>

template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* p = info.param.what; *p != '\0'; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        else if (!name.empty() && name.back() != '_') name += '_';
    return name;
}
