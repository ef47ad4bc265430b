// The harness itself: a step does what a person's action does, in the engine
// the program ships, offscreen.
#include "form_harness.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

// A small page whose handlers leave traces: each field's onblur appends to
// the log, the "refuse" field alerts and takes the focus back as the form's
// checks do.
constexpr char kTracePage[] = R"HTML(<html><head><title>t</title></head><body>
<form name="C">
<input type="text" name="uno" id="uno" onblur="log('blur uno ' + this.value)">
<input type="text" name="refuse" id="refuse"
       onblur="if (this.value) { alert('Error:\nno'); this.value = ''; this.focus(); }">
<input type="text" name="apagado" id="apagado" disabled>
<select name="lista" id="lista" onchange="log('change ' + this.value)" onblur="log('blur lista')">
  <option value="a">Primera</option><option value="b">Segunda</option>
</select>
<input type="button" id="boton" value="Boton" onclick="log('click'); alert('uno'); alert('dos')">
</form>
<script>var trace = []; function log(text) { trace.push(text); }</script>
</body></html>)HTML";

class HarnessTest : public testing::Test {
protected:
    void SetUp() override { form.showPage(QString::fromUtf8(kTracePage)); }
    QString trace() { return form.js(QStringLiteral("trace.join('|')")).toString(); }

    FormHarness form;
};

TEST_F(HarnessTest, TypeRunsTheRealOnblurAndLeavesTheField)
{
    form.type(QStringLiteral("uno"), QStringLiteral("hola ñ"));
    EXPECT_EQ(trace(), QStringLiteral("blur uno hola ñ"));
    EXPECT_EQ(form.value(QStringLiteral("uno")), QStringLiteral("hola ñ"));
    EXPECT_EQ(form.focused(), QString());
}

TEST_F(HarnessTest, AHandlersFocusCallShowsInFocusedAndItsAlertIsRecorded)
{
    form.type(QStringLiteral("refuse"), QStringLiteral("x"));
    EXPECT_EQ(form.focused(), QStringLiteral("refuse"));
    EXPECT_EQ(form.value(QStringLiteral("refuse")), QString());
    EXPECT_EQ(form.takeAlerts(), QStringList{QStringLiteral("Error:\nno")});
    EXPECT_TRUE(form.takeAlerts().isEmpty());
}

TEST_F(HarnessTest, LeavingTheRefusedFieldForAnotherRunsItsOnblurAgain)
{
    form.type(QStringLiteral("refuse"), QStringLiteral("x"));
    form.type(QStringLiteral("uno"), QStringLiteral("1"));
    EXPECT_EQ(trace(), QStringLiteral("blur uno 1"));
    EXPECT_EQ(form.takeAlerts().size(), 1);
}

TEST_F(HarnessTest, SetValueRunsNoHandler)
{
    form.setValue(QStringLiteral("uno"), QStringLiteral("quiet"));
    EXPECT_EQ(form.value(QStringLiteral("uno")), QStringLiteral("quiet"));
    EXPECT_EQ(trace(), QString());
}

TEST_F(HarnessTest, SelectPicksByTextThenLeaves)
{
    form.select(QStringLiteral("lista"), QStringLiteral("Segunda"));
    EXPECT_EQ(form.value(QStringLiteral("lista")), QStringLiteral("b"));
    EXPECT_EQ(trace(), QStringLiteral("change b|blur lista"));
}

TEST_F(HarnessTest, ClickRunsOnclickAndRecordsAlertsInOrder)
{
    form.click(QStringLiteral("boton"));
    EXPECT_EQ(trace(), QStringLiteral("click"));
    EXPECT_EQ(form.takeAlerts(), (QStringList{QStringLiteral("uno"), QStringLiteral("dos")}));
}

TEST_F(HarnessTest, StepsThatAPersonCannotDoFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(form.type(QStringLiteral("apagado"), QStringLiteral("1")), "disabled");
    EXPECT_NONFATAL_FAILURE(form.type(QStringLiteral("nada"), QStringLiteral("1")), "no field nada");
    EXPECT_NONFATAL_FAILURE(form.select(QStringLiteral("lista"), QStringLiteral("Tercera")),
                            "no option");
}

}  // namespace
