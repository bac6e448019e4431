#pragma once
// The window tests are one program: each test class registers itself under its name, and the
// program runs the class its first argument names, in a process of its own as ctest starts it.

#include <QObject>
#include <memory>

namespace revora::testing {

struct UiTestClass {
    void (*beforeApplication)(); // the class's initMain, run before the application exists
    std::unique_ptr<QObject> (*make)();
};

bool RegisterUiTest(const char* name, UiTestClass testClass);

template <typename Test> UiTestClass UiTestOf()
{
    return {[] {
                if constexpr (requires { Test::initMain(); })
                    Test::initMain();
            },
            [] { return std::unique_ptr<QObject>(new Test); }};
}

} // namespace revora::testing

// In place of QTEST_MAIN: registers the class with the window tests' program.
#define REVORA_UI_TEST(Test) \
    static const bool Test##Registered = revora::testing::RegisterUiTest(#Test, revora::testing::UiTestOf<Test>());
