#include "UiTest.h"

#include <QApplication>
#include <QTest>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A crash ends the run at once instead of waiting on a debugger for a stack trace.
    qputenv("QTEST_DISABLE_STACKTRACE", "1");
    QApplication app(argc, argv);
    int failures = 0;
    for (const auto& makeTest : looplab::test::uiTests()) {
        std::unique_ptr<QObject> test = makeTest();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
