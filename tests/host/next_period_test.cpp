#include "host/next_period.h"

#include "declaration_sample.h"
#include "declfile/seal.h"
#include "host/fake_host_ui.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

using namespace formulario;

namespace {

TEST(NextPeriod, FollowingMonthWrapsTheYearAndRefusesWhatIsNoMonth)
{
    const struct {
        const char* saved;
        const char* following;  // "" for none
    } cases[] = {{"20131201", "01/2014"}, {"20120301", "04/2012"}, {"20120901", "10/2012"},
                 {"20121301", ""},        {"2012ab01", ""},        {"201203", "04/2012"}, {"", ""}};
    for (const auto& row : cases) {
        const auto following = FollowingMonth(PeriodDate{row.saved});
        EXPECT_EQ(following ? following->month + "/" + following->year : "", row.following) << row.saved;
    }
}

TEST(NextPeriod, DraftHoldsTheHeaderAndTheBrandPriceAndBaseOfEveryRow)
{
    const Declaration previous = SampleDeclaration(2).With("NIT", "1-9").Read();
    const Draft draft = NextPeriodDraft(previous, {"01", "2014"});
    EXPECT_EQ(draft.origin, DraftOrigin::kNew);
    EXPECT_EQ(draft.formNumber, "");
    EXPECT_EQ(draft.annexRows, 2);
    std::string fields;
    for (const DraftField& field : draft.fields)
        fields += field.name + "=" + field.value + ";";
    EXPECT_EQ(fields, "c2=1-9;c3=Tabacalera Peña & Hijos;mes_ini=01;anio_ini=2014;"
                      "f11c1=FA031004.00 RUBIOS KS BOX 20;f11c2=25.0000;f11c3=18.75;"
                      "f12c1=FA031004.00 RUBIOS KS BOX 20;f12c2=25.0000;f12c3=18.75;");
}

// The earlier declaration is read as Consult reads it: its refusals, and no page.
TEST(NextPeriod, ReadsTheEarlierDeclarationAsConsultDoes)
{
    TemporaryDirectory dir;
    CPageText page;
    const struct {
        std::string content;
        const char* shown;
    } cases[] = {
        {SealDeclaration(SampleDeclarationXml(1)).value(), ""},
        {"<html></html>", "warning: El archivo que se intenta abrir es invalido, no pertenece a una declaración"},
        {SealDeclaration(SampleDeclaration(1).Without("2010").Xml()).value(),
         "warning: El archivo a abrir no pertenece a una declaración DRN-7316, verifique."},
    };
    for (const auto& row : cases) {
        FakeHostUi ui;
        const std::optional<Declaration> read = ReadPreviousDeclaration(dir.Write("DRN-1", row.content), ui, page);
        EXPECT_EQ(ui.TakeShown(), row.shown);
        EXPECT_EQ(read.has_value(), *row.shown == '\0');
        EXPECT_TRUE(ui.pages.empty());
    }
}

} // namespace
