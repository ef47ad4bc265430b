// The main of every form test program: the res: scheme is registered before
// the QApplication exists, and the tests run headless unless told otherwise.
#include "res_scheme_handler.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

void SetDefault(const char* name, const char* value)
{
    if (qEnvironmentVariableIsEmpty(name))
        qputenv(name, value);
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    SetDefault("QT_QPA_PLATFORM", "offscreen");
    SetDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    SetDefault("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    CResSchemeHandler::RegisterScheme();
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
