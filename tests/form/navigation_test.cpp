// The view shows res: pages only: navigations and requests to any other
// scheme are refused and the form stays as it was.
#include "form_harness.h"

#include "formulario7316_view.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NavigationTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        form.setValue(QStringLiteral("c3"), QStringLiteral("sigue aquí"));
    }

    QString LocalAddress() const { return QStringLiteral("http://127.0.0.1:%1/").arg(server.serverPort()); }

    void ExpectFormUntouched()
    {
        EXPECT_EQ(form.value(QStringLiteral("c3")), QStringLiteral("sigue aquí"));
        EXPECT_EQ(form.view().url().scheme(), QStringLiteral("res"));
        QCoreApplication::processEvents();
        EXPECT_FALSE(server.hasPendingConnections()) << "a request left the program";
    }

    QTcpServer server;
    FormHarness form;
};

TEST_F(NavigationTest, APageLinkToHttpIsRefused)
{
    QSignalSpy refused(&form.view(), &CFormulario7316View::navigationRefused);
    form.js(QStringLiteral("location.href = '%1'").arg(LocalAddress()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !refused.isEmpty(); }, 10000));
    EXPECT_EQ(refused.first().first().toUrl(), QUrl(LocalAddress()));
    ExpectFormUntouched();
}

TEST_F(NavigationTest, LoadingAFileAddressIsRefused)
{
    QSignalSpy refused(&form.view(), &CFormulario7316View::navigationRefused);
    form.view().load(QUrl(QStringLiteral("file:///etc/hostname")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !refused.isEmpty(); }, 10000));
    EXPECT_EQ(refused.first().first().toUrl().scheme(), QStringLiteral("file"));
    ExpectFormUntouched();
}

TEST_F(NavigationTest, AFrameWithDataOrHttpContentIsRefused)
{
    QSignalSpy refused(&form.view(), &CFormulario7316View::navigationRefused);
    form.js(QStringLiteral(
        "var frame = document.createElement('iframe');"
        "frame.src = 'data:text/html,<b>fuera</b>';"
        "document.body.appendChild(frame);"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !refused.isEmpty(); }, 10000));
    EXPECT_EQ(refused.first().first().toUrl().scheme(), QStringLiteral("data"));
    ExpectFormUntouched();
}

TEST_F(NavigationTest, SubresourceRequestsToOtherSchemesAreBlocked)
{
    QSignalSpy blocked(&form.view(), &CFormulario7316View::requestRefused);
    form.js(QStringLiteral(
        "var image = new Image(); image.src = '%1imagen.png';"
        "var script = document.createElement('script'); script.src = '%1codigo.js';"
        "document.body.appendChild(script);").arg(LocalAddress()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return blocked.size() >= 2; }, 10000));
    for (const QList<QVariant>& request : blocked)
        EXPECT_EQ(request.first().toUrl().host(), QStringLiteral("127.0.0.1"));
    ExpectFormUntouched();
}

}  // namespace
