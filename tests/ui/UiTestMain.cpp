// The window tests' program: `revora_ui_tests <TestClass> [Qt Test options]`, as QTEST_MAIN
// would run that class alone; with no class named, it lists them.

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "UiTest.h"

namespace revora::testing {

namespace {

std::map<std::string, UiTestClass>& Classes()
{
    static std::map<std::string, UiTestClass> classes;
    return classes;
}

} // namespace

bool RegisterUiTest(const char* name, UiTestClass testClass)
{
    Classes().emplace(name, testClass);
    return true;
}

} // namespace revora::testing

int main(int argc, char** argv)
{
    using revora::testing::Classes;
    const auto found = argc > 1 ? Classes().find(argv[1]) : Classes().end();
    if (found == Classes().end()) {
        std::fprintf(stderr, "usage: %s <test class> [Qt Test options]; the classes:\n", argv[0]);
        for (const auto& [name, testClass] : Classes())
            std::fprintf(stderr, "  %s\n", name.c_str());
        return 2;
    }
    // The class's name leaves the arguments, so Qt Test sees only its own options.
    argv[1] = argv[0];
    ++argv;
    --argc;
    found->second.beforeApplication();
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    const auto test = found->second.make();
    return QTest::qExec(test.get(), argc, argv);
}
