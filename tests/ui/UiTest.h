#pragma once

// One test binary for the windows: each test class registers itself here and the shared main
// runs them all, offscreen, one after the other.

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace looplab::test {

using UiTestFactory = std::function<std::unique_ptr<QObject>()>;

inline std::vector<UiTestFactory>& uiTests() {
    static std::vector<UiTestFactory> tests;
    return tests;
}

struct UiTestRegistration {
    explicit UiTestRegistration(UiTestFactory factory) { uiTests().push_back(std::move(factory)); }
};

} // namespace looplab::test

#define LOOPLAB_UI_TEST(TestClass)                                                             \
    static const ::looplab::test::UiTestRegistration TestClass##Registration(                 \
        [] { return std::unique_ptr<QObject>(new TestClass); })
