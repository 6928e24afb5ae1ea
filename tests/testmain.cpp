// One main for every test program: a QApplication on the offscreen platform,
// so widget tests run without a display.
#include "childrole.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests find their binary fixtures here unless the caller points elsewhere.
    if (qEnvironmentVariableIsEmpty("VELTRA_FIXTURES"))
        qputenv("VELTRA_FIXTURES", VELTRA_FIXTURES_DIR);
    QApplication app(argc, argv);
    // A test may start this program again as a child with a role of its own.
    if (const auto code = veltra::test::runChildRoleIfAsked(argc, argv))
        return *code;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
