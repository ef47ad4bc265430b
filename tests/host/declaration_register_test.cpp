#include "host/declaration_register.h"
#include "host/register_columns.h"

#include <gtest/gtest.h>

using namespace formulario;

namespace {

RegisterRow Filed(const std::string& nit, int year, int month, const std::string& presented = "01/01/2020")
{
    RegisterRow row;
    row.nit = nit;
    row.year = year;
    row.month = month;
    row.presented = presented;
    row.path = nit + "-" + std::to_string(year * 100 + month) + "-" + presented;
    return row;
}

RegisterRow Unreadable(const std::string& path)
{
    RegisterRow row;
    row.path = path;
    row.mark = RegisterMark::kUnreadable;
    return row;
}

// Each row as "NIT mm/yyyy mark".
std::vector<std::string> Shown(const std::vector<RegisterRow>& rows)
{
    std::vector<std::string> shown;
    for (const RegisterRow& row : rows)
        shown.push_back(row.nit + " " + RegisterCell(row, RegisterColumn::kPeriod) + " " +
                        RegisterCell(row, RegisterColumn::kMark));
    return shown;
}

}  // namespace

TEST(MarkRegister, MarksDuplicatesByDateAndGapsAcrossTheYear)
{
    const struct {
        const char* name;
        std::vector<RegisterRow> rows;
        std::vector<std::string> shown;
    } cases[] = {
        {"gaps over the year's end", {Filed("A", 2012, 2), Filed("A", 2011, 11)},
         {"A 11/2011 ", "A 12/2011 Falta", "A 01/2012 Falta", "A 02/2012 "}},
        {"corrections follow the original by date, not by the order found",
         {Filed("A", 2012, 3, "09/05/2012"), Filed("A", 2012, 3, "20/04/2012"), Filed("A", 2012, 3, "01/05/2012")},
         {"A 03/2012 Original", "A 03/2012 Corrección 1", "A 03/2012 Corrección 2"}},
        {"no gap between makers, unreadable files last",
         {Unreadable("x"), Filed("B", 2012, 5), Filed("A", 2012, 1)}, {"A 01/2012 ", "B 05/2012 ", "  No se pudo leer"}},
        {"a period not known is neither a duplicate nor a gap's end",
         {Filed("A", 0, 0), Filed("A", 0, 0), Filed("A", 2012, 4)}, {"A  ", "A  ", "A 04/2012 "}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(Shown(MarkRegister(test.rows)), test.shown);
    }
}
