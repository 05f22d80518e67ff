#pragma once
// Readable names for parametrized cases: the case as its PrintTo writes it, with every
// character that a test name cannot hold turned into '_'.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace tavrel::testing_support {

inline std::string CaseName(const std::string& text) {
    std::string name;
    for (const char c : text) {
        const bool keep = std::isalnum(static_cast<unsigned char>(c)) != 0;
        if (keep) name += c;
        else if (!name.empty() && name.back() != '_') name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name.empty() ? "Empty" : name;
}

// A name generator for INSTANTIATE_TEST_SUITE_P that names each case by its PrintTo text.
struct PrintedName {
    template <typename T>
    std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        return CaseName(::testing::PrintToString(info.param));
    }
};

}  // namespace tavrel::testing_support
