#include "host/safe_file_writer.h"

#include "host/file_reader.h"
#include "host/recording_file_system.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace formulario;

namespace fs = std::filesystem;

// A file is replaced whole or not at all: each failure keeps what was there
// and leaves no temporary file behind; a link planted at the temporary's name
// or at the target is never written through.
TEST(SafeFileWriter, WritesWholeOrLeavesWhatWasThere)
{
    TemporaryDirectory root, elsewhere;
    for (const char* name : {"earlier", "earlier.tmp0", "plain", "read-only", "full", "unsynced"})
        std::ofstream(root.path() / name) << "kept";
    std::ofstream(elsewhere.path() / "x") << "outside";
    fs::permissions(root.path() / "read-only", fs::perms::owner_read);
    fs::create_directories(root.path() / "taken" / "inside");
#ifndef _WIN32  // links are made only with a privilege on Windows (and not at all under Wine)
    fs::create_symlink(elsewhere.path() / "x", root.path() / "planted.tmp0");
    fs::create_symlink(elsewhere.path() / "missing", root.path() / "dangling.tmp0");
    fs::create_symlink(elsewhere.path() / "x", root.path() / "linked");
#endif
    const struct {
        const char* name;
        std::string bytes;
        const char* failing;  // the file-system step that fails
        Cause result;
        std::optional<std::string> content;
    } cases[] = {
        {"earlier", std::string("new\0bytes", 9), "", Cause::kNone, std::string("new\0bytes", 9)},
        {"Peña €", "x", "", Cause::kNone, "x"},
#ifdef _WIN32
        {"\xC3(", "x", "", Cause::kNotCreated, std::nullopt},  // not UTF-8: no Windows name
#else
        {"planted", "x", "", Cause::kNone, "x"},
        {"dangling", "x", "", Cause::kNone, "x"},
        {"linked", "x", "", Cause::kNone, "x"},
#endif
        {"plain/DRN-1", "x", "", Cause::kNotCreated, std::nullopt},
        {"missing/DRN-1", "x", "", Cause::kNotCreated, std::nullopt},
        {"taken", "x", "", Cause::kNotCreated, std::nullopt},
        {"read-only", "x", "", Cause::kNotCreated, "kept"},
        {"full", std::string(8192, 'x'), "write", Cause::kNotWritten, "kept"},
        {"unsynced", "x", "sync", Cause::kNotWritten, "kept"},
    };
    for (const auto& test : cases) {
        CRecordingFileSystem files(test.failing);
        const std::string path = root.str() + "/" + test.name;
        const CStatus written = WriteFileWholeWith(files, path, test.bytes, FileAccess::kShared);
        EXPECT_EQ(written, test.result == Cause::kNone ? CStatus() : CStatus(test.result, path)) << test.name;
        EXPECT_EQ(ReadWholeFile(root.str() + "/" + test.name), test.content) << test.name;
    }
    EXPECT_EQ(ReadWholeFile(root.str() + "/earlier.tmp0"), "kept");
    EXPECT_EQ(ReadWholeFile(root.str() + "/plain"), "kept");
    EXPECT_TRUE(fs::exists(root.path() / "taken" / "inside"));
    EXPECT_EQ(ReadWholeFile(elsewhere.str() + "/x"), "outside");
    EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path()), fs::directory_iterator()), 1);
#ifdef _WIN32
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 8);
#else
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(root.path() / "linked")));
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 13);
#endif
}

// Success is told only once the file and then its folder are on the disk; a
// sync that fails is a write that failed.
TEST(SafeFileWriter, SyncsTheFileBeforeTheRenameAndTheFolderAfter)
{
    TemporaryDirectory root;
    const struct {
        const char* failing;
        Cause result;
        std::vector<std::string> steps;
    } cases[] = {
        {"", Cause::kNone, {"create", "write", "sync", "close", "replace", "sync folder"}},
        {"sync", Cause::kNotWritten, {"create", "write", "sync", "close", "remove"}},
        {"replace", Cause::kNotCreated, {"create", "write", "sync", "close", "replace", "remove"}},
        {"sync folder", Cause::kNotWritten, {"create", "write", "sync", "close", "replace", "sync folder"}},
    };
    for (const auto& test : cases) {
        CRecordingFileSystem files(test.failing);
        EXPECT_EQ(WriteFileWholeWith(files, root.str() + "/DRN-1", "x", FileAccess::kOwnerOnly).cause(), test.result)
            << test.failing;
        EXPECT_EQ(files.steps, test.steps) << test.failing;
    }
}
