// Which resource a res: address names, and which is the page built in memory.
#include "res_address.h"

#include <gtest/gtest.h>

using namespace formulario;

using namespace res_address;

TEST(ResAddress, AnAddressNamesAResourceOrTheShownPageOnlyInItsOwnShape)
{
    const struct {
        QString address;
        std::optional<int> id = std::nullopt;
        bool shownPage = false;
    } cases[] = {
        {"res://formulario7316.EXE/#23/#132", 132},     // host names ignore case
        {"res://Formulario7316.exe/#23/%23133", 133},   // the engine's spelling of the second "#"
        {"res://Formulario7316.exe/#23/#"}, {"res://Formulario7316.exe/#23/#13x"},
        {"res://Formulario7316.exe/#23/#+132"}, {"res://Formulario7316.exe/#23/# 132"},
        {"res://Formulario7316.exe/#23/#99999999999"}, {"res://Formulario7316.exe/#2/#132"},
        {"res://Formulario7316.exe/#132"}, {"res://Formulario7316.exe/"}, {"res://Formulario7316.exe/pagina#23/#132"},
        {"res://Otro.exe/#23/#132"}, {"http://Formulario7316.exe/#23/#132"}, {"file:///Formulario7316.exe/#23/#132"},
        {ShownPageUrl().toString(), std::nullopt, true}, {ShownPageUrl().toString() + "#23/#131"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.address.toStdString());
        EXPECT_EQ(ResourceIdOf(QUrl(test.address)), test.id);
        EXPECT_EQ(IsShownPage(QUrl(test.address)), test.shownPage);
    }
    for (const FormResource& resource : kFormResources) {
        const int id = resource.id;
        const QUrl url = ResourceUrl(id);
        EXPECT_EQ(url, QUrl(QStringLiteral("res://Formulario7316.exe/#23/#%1").arg(id)));
        EXPECT_TRUE(ResourceIdOf(url) == id && !IsShownPage(url));
    }
}
