// Looking up the window's items and widgets by name: a known name gives its object, an
// unknown one (a typo in the program) stops the program with that name instead of handing
// back nothing.
#include <QRadioButton>
#include <functional>

#include "window_fixture.h"

namespace qv::ui::test {
namespace {

struct LookupCase {
    const char* what;
    std::function<QObject*(MainWindow&)> find;
    const char* stop_text;  // nullptr: the name is known
};
void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.what;
}
std::string case_name(const LookupCase& c) {
    return c.what;
}

class Lookup : public WindowTest, public ::testing::WithParamInterface<LookupCase> {};

TEST_P(Lookup, KnownNamesFoundUnknownNamesStop) {
    const LookupCase& c = GetParam();
    if (!c.stop_text) {
        EXPECT_NE(c.find(*window), nullptr);
        return;
    }
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(c.find(*window), c.stop_text);
}

INSTANTIATE_TEST_SUITE_P(
    Names, Lookup,
    ::testing::Values(
        LookupCase{"action", [](MainWindow& w) { return w.action("Pause2"); }, nullptr},
        LookupCase{"widget", [](MainWindow& w) { return w.widget("Proposernul"); }, nullptr},
        LookupCase{"typed_child",
                   [](MainWindow& w) { return w.child<QRadioButton>("Tarnavel_blanc1"); }, nullptr},
        LookupCase{"misspelt_action", [](MainWindow& w) { return w.action("Pause3"); },
                   "no action named \"Pause3\""},
        LookupCase{"misspelt_widget", [](MainWindow& w) { return w.widget("Proposernull"); },
                   "no widget named \"Proposernull\""},
        LookupCase{"child_of_another_type",
                   [](MainWindow& w) { return w.child<QRadioButton>("Proposernul"); },
                   "no widget named \"Proposernul\""},
        LookupCase{
            "probe_for_an_action_finds_none",
            [](MainWindow& w) -> QObject* { return w.find_action("Proposernul") ? nullptr : &w; },
            nullptr}),
    [](const ::testing::TestParamInfo<LookupCase>& info) { return case_name(info.param); });

}  // namespace
}  // namespace qv::ui::test
