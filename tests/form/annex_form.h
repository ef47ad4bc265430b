#pragma once

// What the annex and generation tests share: readable failure output, cell
// names, catalogue brands, and one form view per suite with a fresh blank
// form for every test.
#include "form_harness.h"
#include "render/brand_catalogue.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '{';
    for (const QString& text : texts)
        *out << '"' << text.toStdString() << "\" ";
    *out << '}';
}

// The annex cell of row r, column k: "f1" + r + "c" + k.
inline QString Cell(int row, int column)
{
    return QStringLiteral("f1%1c%2").arg(row).arg(column);
}

// Catalogue entry `number` (from 1).
inline QString Brand(int number)
{
    const std::string_view entry = kBrandCatalogue.at(std::size_t(number - 1));
    return QString::fromUtf8(entry.data(), qsizetype(entry.size()));
}

class AnnexFormTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        harness_ = std::make_unique<FormHarness>();
        used_ = false;
    }
    static void TearDownTestSuite() { harness_.reset(); }

    void SetUp() override
    {
        if (used_)
            harness_->loadBlankForm();
        used_ = true;
        harness_->takeAlerts();
        harness_->takeHostCalls();
    }

    FormHarness& form = *harness_;

private:
    static inline std::unique_ptr<FormHarness> harness_;
    static inline bool used_ = false;
};
