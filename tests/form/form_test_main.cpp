// The form test program, headless unless told otherwise: the res: scheme is
// registered before the QApplication exists, and one harness (one engine, one
// view) serves every test.
#include "form_test.h"

#include "res_scheme_handler.h"

#include <QApplication>

namespace {

std::unique_ptr<FormHarness> harness;

// Gone before the application is, while the engine still runs.
class HarnessEnvironment : public testing::Environment {
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
    const std::pair<const char*, const char*> headless[] = {{"QT_QPA_PLATFORM", "offscreen"},
        {"QTWEBENGINE_DISABLE_SANDBOX", "1"}, {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}};
    for (const auto& [name, value] : headless)
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    CResSchemeHandler::RegisterScheme();
    QApplication app(argc, argv);
    testing::AddGlobalTestEnvironment(new HarnessEnvironment);
    return RUN_ALL_TESTS();
}
