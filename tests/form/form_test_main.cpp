// The form test program, headless unless told otherwise: the res: scheme is
// registered before the QApplication exists, and one harness (one engine,
// one view) serves every test, gone before the application is.
#include "form_test.h"

#include "res_scheme_handler.h"

#include <QApplication>

namespace {

std::unique_ptr<FormHarness> harness;

struct HarnessEnvironment : testing::Environment {
    void TearDown() override { harness.reset(); }
};

}  // namespace

FormHarness& TheForm()
{
    if (!harness)
        harness = std::make_unique<FormHarness>();
    return *harness;
}

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    for (const auto& [name, value] : {std::pair{"QT_QPA_PLATFORM", "offscreen"}, {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                                      {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}})
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    CResSchemeHandler::RegisterScheme();
    QApplication app(argc, argv);
    testing::AddGlobalTestEnvironment(new HarnessEnvironment);
    return RUN_ALL_TESTS();
}
