#pragma once

#include <QtGlobal>

// The settings the engine benchmarks run under unless the caller set others:
// no display, no sandbox, no GPU, as the tests run.
inline void UseHeadlessEngineDefaults()
{
    const char* defaults[][2] = {{"QT_QPA_PLATFORM", "offscreen"},
                                 {"QTWEBENGINE_DISABLE_SANDBOX", "1"},
                                 {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu"}};
    for (const auto& [name, value] : defaults)
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
}
