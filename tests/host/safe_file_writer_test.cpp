#include "host/safe_file_writer.h"

#include "host/file_reader.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <fstream>

namespace fs = std::filesystem;

// A file is replaced whole or not at all: each failure keeps what was there
// and leaves no temporary file behind. A file size limit stands for a full disk.
TEST(SafeFileWriter, WritesWholeOrLeavesWhatWasThere)
{
    TemporaryDirectory root;
    for (const char* name : {"earlier", "earlier.tmp0", "plain", "read-only", "full"})
        std::ofstream(root.path() / name) << "kept";
    fs::permissions(root.path() / "read-only", fs::perms::owner_read);
    fs::create_directories(root.path() / "taken" / "inside");
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    getrlimit(RLIMIT_FSIZE, &unlimited);
    for (const auto& [name, bytes, result, content] : {
             std::tuple<const char*, std::string, WriteResult, std::optional<std::string>>{
                 "earlier", std::string("new\0bytes", 9), WriteResult::kWritten, std::string("new\0bytes", 9)},
             {"Peña €", "x", WriteResult::kWritten, "x"},
             {"plain/DRN-1", "x", WriteResult::kNotCreated, std::nullopt},
             {"missing/DRN-1", "x", WriteResult::kNotCreated, std::nullopt},
             {"taken", "x", WriteResult::kNotCreated, std::nullopt},
             {"read-only", "x", WriteResult::kNotCreated, "kept"},
             {"full", std::string(8192, 'x'), WriteResult::kNotWritten, "kept"}}) {
        const rlimit limit{name == std::string("full") ? 4096 : unlimited.rlim_cur, unlimited.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_EQ(WriteFileWhole(root.str() + "/" + name, bytes), result) << name;
        setrlimit(RLIMIT_FSIZE, &unlimited);
        EXPECT_EQ(ReadWholeFile(root.str() + "/" + name), content) << name;
    }
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(ReadWholeFile(root.str() + "/earlier.tmp0"), "kept");
    EXPECT_EQ(ReadWholeFile(root.str() + "/plain"), "kept");
    EXPECT_TRUE(fs::exists(root.path() / "taken" / "inside"));
    EXPECT_EQ(std::distance(fs::directory_iterator(root.path()), fs::directory_iterator()), 7);
}
