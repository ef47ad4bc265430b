#include "host/register_columns.h"

#include <cstdio>
#include <cstdlib>

namespace formulario {

namespace {

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string MarkText(const RegisterRow& row)
{
    switch (row.mark) {
    case RegisterMark::kNone:
        return "";
    case RegisterMark::kOriginal:
        return "Original";
    case RegisterMark::kCorrection:
        return "Corrección " + std::to_string(row.correction);
    case RegisterMark::kGap:
        return "Falta";
    case RegisterMark::kUnreadable:
        return "No se pudo leer";
    }
    return "";
}

// An amount as a text of fixed width, so that texts sort as numbers do;
// a text that is not an amount, or a negative one, sorts after them.
std::string AmountKey(const std::string& amount)
{
    char* end = nullptr;
    const double value = std::strtod(amount.c_str(), &end);
    if (amount.empty() || *end != '\0' || !(value >= 0 && value < 1e20))
        return "~" + amount;
    char key[32];
    std::snprintf(key, sizeof key, "%025.4f", value);
    return key;
}

}  // namespace

std::string RegisterCell(const RegisterRow& row, RegisterColumn column)
{
    switch (column) {
    case RegisterColumn::kNit:
        return row.nit;
    case RegisterColumn::kName:
        return row.name;
    case RegisterColumn::kPeriod:
        return row.year ? TwoDigits(row.month) + "/" + std::to_string(row.year) : "";
    case RegisterColumn::kDeclarationNumber:
        return row.declarationNumber;
    case RegisterColumn::kFormNumber:
        return row.formNumber;
    case RegisterColumn::kPresented:
        return row.presented;
    case RegisterColumn::kTax:
        return row.tax;
    case RegisterColumn::kRectifies:
        return row.rectifies;
    case RegisterColumn::kPath:
        return row.path;
    case RegisterColumn::kMark:
        return MarkText(row);
    case RegisterColumn::kReason:
        return row.reason;
    }
    return "";
}

std::string RegisterSortKey(const RegisterRow& row, RegisterColumn column)
{
    switch (column) {
    case RegisterColumn::kPeriod:
        return std::to_string(row.year * 100 + row.month + 1000000);
    case RegisterColumn::kPresented:
        return PresentedDateKey(row.presented);
    case RegisterColumn::kTax:
        return AmountKey(row.tax);
    default:
        return RegisterCell(row, column);
    }
}

}  // namespace formulario
