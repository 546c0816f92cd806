// A table's case that carries a description `what` is printed as that and
// named after it: "past the left limit" becomes past_the_left_limit. Both
// live in the including file's unnamed namespace, where gtest looks.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {
template <class Case>
auto operator<<(std::ostream& out, const Case& c) -> decltype(c.what, out) { return out << c.what; }

template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* p = info.param.what; *p != '\0'; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        else if (!name.empty() && name.back() != '_') name += '_';
    return name;
}
}  // namespace
