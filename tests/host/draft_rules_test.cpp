#include "host/draft_rules.h"

#include "host/fake_host_ui.h"
#include "host/file_reader.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace formulario;

namespace fs = std::filesystem;

namespace {

const std::string kDiscard = "question: Formulario7316: La declaración tiene datos que no se han generado.\n"
                             "¿Desea descartarlos?";
const std::string kRecover = "question: Formulario7316: Se encontró una declaración que no llegó a generarse.\n"
                             "¿Desea recuperarla?";

Draft Typed(std::string nit = "12345679")
{
    return {DraftOrigin::kNew, "", "01020304", 1, {{"c1", "01020304"}, {"c2", std::move(nit)}, {"f11c4", "7"}}};
}

std::string FileText(const std::string& path) { return ReadWholeFile(path).value_or("<missing>"); }

// The rules over a drafts folder of the test's own, asking a recording person.
class DraftRulesTest : public testing::Test {
protected:
    TemporaryDirectory root;
    FakeHostUi ui;
    std::vector<std::string> reported;
    bool writable = true;  // whether this program's draft can be written
    CDraftStore store{root.str(), "9-00000009", [this](const std::string& path, std::string_view bytes) {
                          return writable ? WritePrivateFileWhole(path, bytes) : CStatus(Cause::kNotWritten, path);
                      }};
    CDraftRules rules{store, ui, [this](const std::string& text) { reported.push_back(text); }};
};

// Nothing typed asks nothing; typed values ask, "No" the default, and "No"
// keeps them; "Sí" sets them aside as the backup and drafting pauses until
// the form is kept on; a draft still on its way back counts as typed.
TEST_F(DraftRulesTest, AsksBeforeDiscardingTypedValues)
{
    const struct {
        const char* name;
        std::optional<Draft> shown;
        bool restoring, yes;
        std::string asked;
        bool goesOn;
        std::string backup;
    } cases[] = {
        {"nothing typed", Draft{}, false, true, "", true, "<missing>"},
        {"form not read", std::nullopt, false, true, "", true, "<missing>"},
        {"typed, No", Typed(), false, false, kDiscard, false, "<missing>"},
        {"typed, Sí", Typed(), false, true, kDiscard, true, DraftText(Typed())},
        {"restoring, Sí", std::nullopt, true, true, kDiscard, true, "<missing>"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        fs::remove(store.BackupPath());
        rules.BeginForm(true);
        ui.yesAnswer = test.yes;
        ui.questionDefaults.clear();
        EXPECT_EQ(rules.MayDiscard(test.shown, test.restoring), test.goesOn);
        EXPECT_EQ(ui.TakeShown(), test.asked);
        EXPECT_EQ(ui.questionDefaults, test.asked.empty() ? std::vector<Answer>{} : std::vector{Answer::kNo});
        EXPECT_EQ(FileText(store.BackupPath()), test.backup);
        EXPECT_EQ(rules.Paused(), !test.asked.empty() && test.yes);
    }
    rules.KeepDrafting();  // the command was cancelled: the form is drafted again
    EXPECT_TRUE(rules.Keep(Typed("99")));
    EXPECT_EQ(FileText(store.DraftPath(store.OwnId())), DraftText(Typed("99")));
    EXPECT_TRUE(reported.empty());
}

// At start-up: a damaged draft is set aside with a message, an empty one
// removed, a running program's draft left alone, and the one left behind
// offered, "Sí" the default: "Sí" makes it this program's own, "No" the backup.
TEST_F(DraftRulesTest, OffersWhatProgramsNowGoneLeftBehind)
{
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Sí" : "No");
        fs::remove_all(root.path());
        CDraftStore damaged(root.str(), "1-00000001"), empty(root.str(), "2-00000002"),
            gone(root.str(), "3-00000003"), running(root.str(), "4-00000004");
        ASSERT_TRUE(gone.Prepare().ok() && gone.Save(Typed()).ok() && running.Save(Typed()).ok());
        ASSERT_TRUE(empty.Save(Draft{}).ok());
        std::ofstream(damaged.DraftPath(damaged.OwnId()), std::ios::binary) << "Formulario7316 borrador 1\norigen\tnuevo\n";
        ui.yesAnswer = yes;
        ui.questionDefaults.clear();
        const auto offered = rules.OfferLeftovers([&](const std::string& id) { return id == running.OwnId(); });
        EXPECT_EQ(ui.TakeShown(), "warning: Se encontró una declaración que no llegó a generarse, pero no puede "
                                  "recuperarse:\nSu archivo está incompleto.\nSe guardó aparte en "
                                      + store.DamagedPath() + kRecover);
        EXPECT_EQ(ui.questionDefaults, std::vector{Answer::kYes});
        EXPECT_EQ(offered, yes ? std::optional(Typed()) : std::nullopt);
        EXPECT_EQ(store.OtherIds(), std::vector<std::string>{running.OwnId()});
        EXPECT_EQ(FileText(store.DraftPath(store.OwnId())), yes ? DraftText(Typed()) : "<missing>");
        EXPECT_EQ(FileText(store.BackupPath()), yes ? "<missing>" : DraftText(Typed()));
        EXPECT_NE(FileText(store.DamagedPath()), "<missing>");
    }
    EXPECT_TRUE(reported.empty());
}

// In a folder that cannot be written, a leftover is still offered and
// recovered, with a note that it could not be taken over; a damaged one is
// not said to be set aside when it could not be moved.
TEST_F(DraftRulesTest, OffersLeftoversOfAFolderThatCannotBeWritten)
{
    CDraftStore damaged(root.str(), "1-00000001"), gone(root.str(), "3-00000003");
    ASSERT_TRUE(gone.Save(Typed()).ok());
    std::ofstream(damaged.DraftPath(damaged.OwnId())) << "Formulario7316 borrador 2\n";
    fs::create_directories(fs::path(store.DamagedPath()) / "taken");  // where the damaged draft would go
    writable = false;
    ui.yesAnswer = true;
    const auto offered = rules.OfferLeftovers([](const std::string&) { return false; });
    EXPECT_EQ(ui.TakeShown(), "warning: Se encontró una declaración que no llegó a generarse, pero no puede "
                              "recuperarse:\nFue guardada por otra versión del programa.\nNo pudo apartarse el "
                              "archivo borrador-1-00000001.txt" + kRecover);
    EXPECT_EQ(offered, std::optional(Typed()));
    EXPECT_EQ(reported, std::vector<std::string>{"No pudo guardarse el borrador de la declaración: No pudo "
                                                 "apartarse el archivo borrador-3-00000003.txt"});
    EXPECT_EQ(FileText(gone.DraftPath(gone.OwnId())), DraftText(Typed()));
}

} // namespace
