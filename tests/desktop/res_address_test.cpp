// Which resource a res: address names.
#include "desktop_test_support.h"
#include "res_address.h"

namespace {

struct AddressCase {
    const char* address;
    std::optional<int> id;
};

const AddressCase kAddressCases[] = {
    {"res://Formulario7316.exe/#23/#131", 131},
    {"res://Formulario7316.exe/#23/#136", 136},
    {"res://formulario7316.EXE/#23/#132", 132},     // host names ignore case
    {"res://Formulario7316.exe/#23/%23133", 133},   // the engine's spelling of the second "#"
    {"res://Formulario7316.exe/#23/#", std::nullopt},
    {"res://Formulario7316.exe/#23/#13x", std::nullopt},
    {"res://Formulario7316.exe/#23/#+132", std::nullopt},
    {"res://Formulario7316.exe/#23/# 132", std::nullopt},
    {"res://Formulario7316.exe/#23/#99999999999", std::nullopt},
    {"res://Formulario7316.exe/#2/#132", std::nullopt},
    {"res://Formulario7316.exe/#132", std::nullopt},
    {"res://Formulario7316.exe/", std::nullopt},
    {"res://Formulario7316.exe/pagina#23/#132", std::nullopt},
    {"res://Otro.exe/#23/#132", std::nullopt},
    {"http://Formulario7316.exe/#23/#132", std::nullopt},
    {"file:///Formulario7316.exe/#23/#132", std::nullopt},
};

TEST(ResAddressTest, AnAddressNamesAResourceOnlyInTheFormsOwnShape)
{
    for (const AddressCase& test : kAddressCases) {
        SCOPED_TRACE(test.address);
        EXPECT_EQ(res_address::ResourceIdOf(QUrl(QString::fromLatin1(test.address))), test.id);
    }
}

TEST(ResAddressTest, ResourceUrlIsTheAddressThePagesWrite)
{
    EXPECT_EQ(res_address::ResourceUrl(132), QUrl(QStringLiteral("res://Formulario7316.exe/#23/#132")));
    for (int id = 131; id <= 136; ++id)
        EXPECT_EQ(res_address::ResourceIdOf(res_address::ResourceUrl(id)), id);
}

TEST(ResAddressTest, TheShownPageHasAnAddressOfItsOwn)
{
    const QUrl shown = res_address::ShownPageUrl();
    EXPECT_TRUE(res_address::IsShownPage(shown));
    EXPECT_EQ(res_address::ResourceIdOf(shown), std::nullopt);
    EXPECT_FALSE(res_address::IsShownPage(res_address::ResourceUrl(131)));
    EXPECT_FALSE(res_address::IsShownPage(QUrl(shown.toString() + QStringLiteral("#23/#131"))));
}

}  // namespace

int main(int argc, char** argv) { return RunDesktopTests<QCoreApplication>(argc, argv); }
