#pragma once

// The blank form, fresh for every test of a suite, with the box table applied
// as at the end of start-up. One view serves the whole suite.
#include "form_harness.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

// Texts in the tests are UTF-8 literals.
inline QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

class BlankFormTest : public testing::Test {
protected:
    static void SetUpTestSuite() { harness_ = std::make_unique<FormHarness>(); }
    static void TearDownTestSuite() { harness_.reset(); }

    void SetUp() override
    {
        if (used_)
            harness_->loadBlankForm();
        used_ = true;
        ApplyBoxTable();
    }

    // A fresh blank form within one test.
    void Reload()
    {
        harness_->loadBlankForm();
        ApplyBoxTable();
    }

    FormHarness& form() { return *harness_; }
    QVariant js(const QString& script) { return harness_->js(script); }
    QString text(const QString& script) { return js(script).toString(); }
    QString value(const char* field) { return harness_->value(QString::fromLatin1(field)); }
    void type(const char* field, const char* typed) { harness_->type(QString::fromLatin1(field), Utf8(typed)); }
    void setValue(const char* field, const char* text) { harness_->setValue(QString::fromLatin1(field), Utf8(text)); }
    QStringList alerts() { return harness_->takeAlerts(); }
    QString focused() { return harness_->focused(); }

private:
    // The annex's first build ends by applying the box table; applying it
    // again changes nothing, and it stands in while the annex is absent.
    void ApplyBoxTable()
    {
        js("inicial()");
        harness_->takeAlerts();
    }

    static inline std::unique_ptr<FormHarness> harness_;
    static inline bool used_ = false;
};
