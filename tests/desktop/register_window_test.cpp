// The "Declaraciones generadas" window as a screen reader reads it: the rows
// of a tree of generated declarations with the duplicate, the gap and the
// damaged file marked, filtered by what is typed, a row consulted with the
// keyboard, and a file changed outside shown anew at the next look.
#include "register_folders.h"
#include "register_window.h"

#include "host/temporary_directory.h"
#include "register_tree.h"
#include "wait_for.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

using namespace formulario;

namespace {

constexpr int kMarkColumn = 9, kTaxColumn = 6;

QAccessibleTableInterface& AccessibleTable(CRegisterWindow& window)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window.findChild<QTableView*>());
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Declaraciones generadas"));
    return *table->tableInterface();
}

QString Cell(QAccessibleTableInterface& table, int row, int column)
{
    return table.cellAt(row, column)->text(QAccessible::Name);
}

// The rows' marks as read: mark, then "NIT period" of each row so marked.
std::map<QString, QStringList> Marks(QAccessibleTableInterface& table)
{
    std::map<QString, QStringList> marks;
    for (int row = 0; row < table.rowCount(); ++row)
        if (!Cell(table, row, kMarkColumn).isEmpty())
            marks[Cell(table, row, kMarkColumn)].append(Cell(table, row, 0) + " " + Cell(table, row, 2));
    return marks;
}

}  // namespace

TEST(RegisterWindow, ListsMarksFiltersAndReadsTheFilesAgainAtTheNextLook)
{
    TemporaryDirectory root;
    RegisterTree::Build(root.path());
    SetRegisterFolders({QString::fromStdString(root.str())});
    std::vector<std::string> consulted;
    CRegisterWindow window(nullptr, {[&](const std::string& path) { consulted.push_back(path); }, {}, {}, {}});
    QSignalSpy finished(&window, &CRegisterWindow::scanFinished);
    window.show();
    window.activateWindow();  // its keys (F5) reach it once it is the active window
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 1 && window.isActiveWindow(); }));

    QAccessibleTableInterface& table = AccessibleTable(window);
    EXPECT_EQ(table.rowCount(), RegisterTree::kReadable + 2);
    EXPECT_EQ(table.columnCount(), 11);
    const std::map<QString, QStringList> expected = {{QStringLiteral("Original"), {"2000002 03/2011"}},
                                                     {QStringLiteral("Corrección 1"), {"2000002 03/2011"}},
                                                     {QStringLiteral("Falta"), {"1000001 06/2011"}},
                                                     {QStringLiteral("No se pudo leer"), {" "}}};
    EXPECT_EQ(Marks(table), expected);

    // Typed into the search box, the NIT keeps its fourteen months and the correction.
    auto* search = window.findChild<QLineEdit*>();
    QTest::keyClicks(search, QStringLiteral("2000002"));
    EXPECT_EQ(table.rowCount(), RegisterTree::kMonths + 1);
    // Enter on the third row consults the original of the month filed twice.
    auto* view = window.findChild<QTableView*>();
    view->setFocus();
    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Return);
    ASSERT_EQ(consulted.size(), 1u);
    EXPECT_EQ(consulted[0], Cell(table, 2, 8).toStdString());

    const std::string path = RegisterTree::Write(root.path(), RegisterTree::kNits[1], 2, "11223344", "07/03/2012", "99.00");
    QTest::keyClick(view, Qt::Key_F5);
    ASSERT_TRUE(WaitFor([&] { return finished.count() == 2; }));
    EXPECT_EQ(Cell(table, 3, 8).toStdString(), path);
    EXPECT_EQ(Cell(table, 3, kTaxColumn), QStringLiteral("99.00"));
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Formulario7316 tests"));
    QApplication::setApplicationName(QStringLiteral("register"));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
