#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

namespace baudrill::test {

// The rows of a TEST_P table name themselves: the name is the test's name in ctest and what a
// failure message prints of the parameter ("where GetParam() = RefusesSevenDataBits"). A table
// of bare values (bool, int, enum) becomes named rows the same way.
//
//     struct RateCase : test::NamedCase {
//         int rate;
//         bool standard;
//     };
//     const RateCase Rates[] = {
//         {"Standard9600", 9600, true},
//         {"NonStandard1000", 1000, false},
//     };
//     TEST_P(Rate, IsSet) { ... GetParam().rate ... }
//     INSTANTIATE_TEST_SUITE_P(Table, Rate, ::testing::ValuesIn(Rates), test::CaseName<RateCase>);
//
// The name is each row's first initialiser (the base comes before the members). A name may be
// prose: its words are run together, each capitalised ("plain text, escaped" ->
// "PlainTextEscaped"); a name that is one word already stays as written. An empty name, or two
// rows whose names run together alike, fail the test listing, so the build stops there.
//
// To move a table onto it: derive the row from NamedCase in place of its own `const char* name`
// (or `what`, `label`) member, drop the row's PrintTo (it would replace this printer) and the name
// lambda, and pass test::CaseName<Row>. A row member of its own called `name` would hide the
// base's one in the row's code: call it something else.
//
// Typed suites: ctest names a TYPED_TEST by its type's index ("Suite.Test<0>"), and a
// TYPED_TEST_SUITE name generator leaves "# TypeParam = ..." in the name; write such a suite as a
// TEST_P over named rows instead (each row holding, say, a function that makes the object).
struct NamedCase {
    const char* name;

    friend std::ostream& operator<<(std::ostream& os, const NamedCase& c) { return os << c.name; }
};

// A row's name as a test name: its ASCII letters and digits, each word capitalised (in no
// locale's terms, so the name is the same on every machine).
inline std::string TestNameOf(std::string_view name)
{
    std::string result;
    bool wordStart = true;
    for (const char c : name) {
        const bool lower = c >= 'a' && c <= 'z';
        if (!lower && !(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9')) {
            wordStart = true;
            continue;
        }
        result += wordStart && lower ? static_cast<char>(c - 'a' + 'A') : c;
        wordStart = false;
    }
    return result;
}

// The name generator for INSTANTIATE_TEST_SUITE_P.
template <class Case>
std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return TestNameOf(static_cast<const NamedCase&>(info.param).name);
}

}  // namespace baudrill::test
