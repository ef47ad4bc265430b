#include "host/draft_store.h"

#include "host/file_reader.h"
#include "host/recording_file_system.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace formulario;

namespace fs = std::filesystem;

namespace {

Draft SampleDraft(int rows)
{
    Draft draft{DraftOrigin::kModify, "/home/ana/Peña\t\"x\"\n\\DRN-1", "14302257", rows, {}};
    draft.fields = {{"c1", "14302257"}, {"c2", "12345679"}, {"c3", "A & B <b>\\ \r\n \t ´€"},
                    {"mes_ini", "03"}, {"anio_ini", "2012"}, {"c2024", ""}};
    for (int row = 1; row <= rows; ++row)
        for (int column = 1; column <= 9; ++column)
            draft.fields.push_back({"f1" + std::to_string(row) + "c" + std::to_string(column),
                                    column == 1 ? "FA035127.00 L&M" : std::to_string(row * column)});
    return draft;
}

std::string Text(const std::string& path) { return ReadWholeFile(path).value_or("<missing>"); }

// On Windows a file is its owner's by the access list it inherits from the
// user's profile folder, where the drafts live; the program sets none, and
// the permission bits there only tell read-only files.
bool OwnerOnly(const std::string& path)
{
#ifdef _WIN32
    return fs::is_regular_file(Utf8Path(path));
#else
    return (fs::status(path).permissions() & fs::perms::all) == (fs::perms::owner_read | fs::perms::owner_write);
#endif
}

}  // namespace

TEST(DraftText, ReadsBackWhatItWrote)
{
    for (int rows : {0, 1, 15, kMaxDraftAnnexRows}) {
        const Draft draft = SampleDraft(rows);
        const CResult<Draft> read = ReadDraftText(DraftText(draft));
        ASSERT_TRUE(read.ok()) << rows << ": " << read.status().Describe();
        EXPECT_EQ(*read, draft) << rows;
    }
}

// Every damaged, cut, foreign or over-reaching draft is refused with its
// reason.
TEST(DraftText, RefusesBadDrafts)
{
    const std::string good = DraftText(SampleDraft(2));
    const auto withField = [](std::string name, int rows = 2) {
        Draft draft = SampleDraft(rows);
        draft.fields.push_back({std::move(name), "x"});
        return DraftText(draft);
    };
    std::string flipped = good;
    flipped[good.find("12345679")] = '7';
    std::string otherVersion = good;
    otherVersion.replace(otherVersion.find(" 1\n"), 3, " 2\n");
    const struct {
        const char* what;
        std::string text;
        Cause problem;
    } cases[] = {
        {"empty", "", Cause::kDamaged},
        {"not a draft", "<html>\n", Cause::kDamaged},
        {"other version", otherVersion, Cause::kOtherVersion},
        {"cut in a line", good.substr(0, good.size() / 2), Cause::kTruncated},
        {"cut after a line", good.substr(0, good.rfind("fin\t")), Cause::kTruncated},
        {"closing line cut", good.substr(0, good.size() - 3), Cause::kTruncated},
        {"a byte changed", flipped, Cause::kDamaged},
        {"script handler", withField("onblur"), Cause::kUnknownField},
        {"row past the count", withField("f13c1"), Cause::kUnknownField},
        {"row past the form", withField("f1104c1", kMaxDraftAnnexRows), Cause::kUnknownField},
        {"row zero", withField("f10c1"), Cause::kUnknownField},
        {"leading zero", withField("f101c1"), Cause::kUnknownField},
        {"column ten", withField("f11c10"), Cause::kUnknownField},
        {"the button", withField("validar"), Cause::kUnknownField},
        {"twice", withField("c2"), Cause::kDamaged},
        {"bad UTF-8", DraftText(Draft{DraftOrigin::kNew, "", "\xC3(", 0, {}}), Cause::kDamaged},
        {"huge", good + std::string(17 * 1024 * 1024, 'x'), Cause::kDamaged},
    };
    for (const auto& testCase : cases) {
        const CResult<Draft> read = ReadDraftText(testCase.text);
        EXPECT_FALSE(read.ok()) << testCase.what;
        EXPECT_EQ(read.status().cause(), testCase.problem) << testCase.what << ": " << read.status().Describe();
        EXPECT_FALSE(read.status().Describe().empty()) << testCase.what;
    }
}

TEST(DraftText, TypedValuesAreTheFieldsAPersonTypes)
{
    const struct {
        std::vector<DraftField> fields;
        bool typed;
    } cases[] = {
        {{{"c1", "14302257"}, {"c6", "46"}, {"dia_ini", "01"}, {"c2013", "0.005"}, {"c2029", "0"},
          {"v2", "0.00"}, {"trenglon1", "15"}, {"renglones1", "3"}, {"f11c7", "x"}, {"c2", ""}},
         false},
        {{{"c2", "1"}}, true},
        {{{"anio_ini", "2012"}}, true},
        {{{"c2026", "5.00"}}, true},
        {{{"f1103c1", "FA035127.00 L&M"}}, true},
        {{{"f12c6", "1"}}, true},
    };
    for (const auto& testCase : cases) {
        const Draft draft{DraftOrigin::kNew, "", "1", kMaxDraftAnnexRows, testCase.fields};
        EXPECT_EQ(HoldsTypedValues(draft), testCase.typed) << testCase.fields.front().name;
        EXPECT_EQ(SameTypedValues(draft, Draft{}), !testCase.typed) << testCase.fields.front().name;
    }
    Draft changed = SampleDraft(2);
    EXPECT_TRUE(SameTypedValues(changed, SampleDraft(2)));
    changed.fields.back().value = "other";  // hidden column 9
    EXPECT_TRUE(SameTypedValues(changed, SampleDraft(2)));
    changed.fields[changed.fields.size() - 4].value = "other";  // column 6
    EXPECT_FALSE(SameTypedValues(changed, SampleDraft(2)));
}

// A write cut short by a full disk leaves the earlier draft whole and no
// temporary; drafts and the backup are for their owner's eyes only.
TEST(DraftStore, ReplacesItsDraftWholeAndPrivately)
{
    TemporaryDirectory root;
    bool diskFull = false;
    CDraftStore store(root.str() + "/drafts", NewDraftId(),
                      [&diskFull](const std::string& path, std::string_view bytes) {
                          CRecordingFileSystem files(diskFull ? "write" : "");
                          return WriteFileWholeWith(files, path, bytes, FileAccess::kOwnerOnly);
                      });
    ASSERT_TRUE(store.Prepare().ok());
#ifndef _WIN32
    EXPECT_EQ(fs::status(root.path() / "drafts").permissions() & fs::perms::all, fs::perms::owner_all);
#endif
    ASSERT_TRUE(store.Save(SampleDraft(1)).ok());
    const std::string earlier = Text(store.DraftPath(store.OwnId()));

    diskFull = true;
    EXPECT_EQ(store.Save(SampleDraft(kMaxDraftAnnexRows)).cause(), Cause::kNotWritten);
    EXPECT_EQ(Text(store.DraftPath(store.OwnId())), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path() / "drafts"), fs::directory_iterator()), 1);
    EXPECT_TRUE(OwnerOnly(store.DraftPath(store.OwnId())));

    ASSERT_TRUE(store.SetAside().ok());
    EXPECT_FALSE(fs::exists(Utf8Path(store.DraftPath(store.OwnId()))));
    EXPECT_EQ(Text(store.BackupPath()), earlier);
    EXPECT_TRUE(OwnerOnly(store.BackupPath()));
}

// Nothing in the drafts folder is followed: a folder that is a link, or that
// others may write, or a file, keeps no draft; a leftover that links
// elsewhere is never offered, read, moved or removed; what they point to
// stays as it was.
TEST(DraftStore, FollowsNoLink)
{
    TemporaryDirectory root, elsewhere;
    root.Write("file", "kept");
    std::vector<const char*> unsafe = {"file"};
#ifdef _WIN32
    // Links are made only with a privilege on Windows (and not at all under
    // Wine), and others' access is the profile folder's, not permission bits.
#else
    const std::string outside = elsewhere.Write("passwd", "root:x:0:0");
    fs::permissions(outside, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(root.path() / "shared");
    fs::permissions(root.path() / "shared", fs::perms::all);
    fs::create_directory_symlink(elsewhere.path(), root.path() / "linked");
    unsafe.insert(unsafe.end(), {"linked", "shared"});
#endif
    const fs::perms elsewhereMode = fs::status(elsewhere.path()).permissions();
    for (const char* folder : unsafe) {
        CDraftStore store(root.str() + "/" + folder, NewDraftId());
        EXPECT_EQ(store.Prepare().cause(), Cause::kUnsafeFolder) << folder;
        EXPECT_EQ(store.Save(SampleDraft(1)).cause(), Cause::kUnsafeFolder) << folder;
    }
    EXPECT_EQ(fs::status(elsewhere.path()).permissions(), elsewhereMode);
    EXPECT_EQ(Text(root.str() + "/file"), "kept");
#ifndef _WIN32

    CDraftStore store(root.str() + "/drafts", NewDraftId());
    ASSERT_TRUE(store.Prepare().ok());
    const std::string id = "1-a";
    fs::create_symlink(outside, store.DraftPath(id));
    EXPECT_EQ(store.OtherIds(), std::vector<std::string>{});
    EXPECT_EQ(store.Load(id).status().cause(), Cause::kDraftUnreadable);
    EXPECT_EQ(store.SetAsideDamaged(id).cause(), Cause::kNotMoved);
    EXPECT_EQ(store.Forget(id).cause(), Cause::kNotMoved);
    EXPECT_FALSE(fs::exists(store.DamagedPath()));
    EXPECT_TRUE(fs::is_symlink(store.DraftPath(id)));
    EXPECT_EQ(Text(outside), "root:x:0:0");
    EXPECT_EQ(fs::status(outside).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path()), fs::directory_iterator()), 1);
#endif
}

// Two programs at once keep a draft each; each sees the other's, and the
// backup holds the last one set aside.
TEST(DraftStore, KeepsOneDraftPerProgram)
{
    TemporaryDirectory root;
    const std::string folder = root.str();
    CDraftStore first(folder, "1700000000000-0000000a"), second(folder, "1700000000001-0000000b");
    for (const char* junk : {"descartado.txt", "danado.txt", "borrador-x.txt", "borrador-1-0000000c.lock",
                             "borrador-1700000000000-0000000a.txt.tmp0", "borrador-1-g.txt"})
        std::ofstream(root.path() / junk) << "junk";
    ASSERT_TRUE(first.Save(SampleDraft(1)).ok());
    ASSERT_TRUE(second.Save(SampleDraft(2)).ok());
    EXPECT_EQ(first.OtherIds(), std::vector<std::string>{"1700000000001-0000000b"});
    EXPECT_EQ(second.OtherIds(), std::vector<std::string>{"1700000000000-0000000a"});

    CDraftStore third(folder, NewDraftId());
    EXPECT_EQ(third.OtherIds(), (std::vector<std::string>{"1700000000000-0000000a", "1700000000001-0000000b"}));
    const CResult<Draft> other = third.Load("1700000000001-0000000b");
    ASSERT_TRUE(other.ok());
    EXPECT_EQ(*other, SampleDraft(2));

    ASSERT_TRUE(third.SetAside("1700000000001-0000000b").ok());
    ASSERT_TRUE(third.Adopt("1700000000000-0000000a", SampleDraft(1)).ok());
    EXPECT_EQ(third.OtherIds(), std::vector<std::string>{});
    EXPECT_FALSE(fs::exists(root.path() / "borrador-1700000000000-0000000a.txt.tmp0"));
    const CResult<Draft> own = third.Load(third.OwnId());
    ASSERT_TRUE(own.ok());
    EXPECT_EQ(*own, SampleDraft(1));
    ASSERT_TRUE(third.Load("1700000000001-0000000b").status().cause() == Cause::kDraftUnreadable);
    EXPECT_EQ(Text(third.BackupPath()), DraftText(SampleDraft(2)));
}
