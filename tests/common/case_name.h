// Readable names for the cases of parameterised suites: each table row carries its name in a
// text field (`name` unless another field is named), and the suite is instantiated with
// `test::RowName()` or `test::NameBy<&Row::field>()` as its last argument. Without it, gtest
// and ctest name a struct case by its raw bytes.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace qv::test {

// `text` as a test name: letters and digits kept, every other run of characters one '_'.
inline std::string to_test_name(const std::string& text) {
    std::string name;
    for (const char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name += c;
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name.empty() ? "case" : name;
}

// A number for a name: -5 reads "minus5".
inline std::string number_name(long long value) {
    return value < 0 ? "minus" + std::to_string(-value) : std::to_string(value);
}

// For suites whose cases are texts (file names, positions): the text itself.
struct TextName {
    template <class Text>
    std::string operator()(const ::testing::TestParamInfo<Text>& info) const {
        return to_test_name(std::string(info.param));
    }
};

template <auto Field>
struct NameBy {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return to_test_name(std::string(info.param.*Field));
    }
};

struct RowName {
    template <class Row>
    std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        return to_test_name(std::string(info.param.name));
    }
};

}  // namespace qv::test
