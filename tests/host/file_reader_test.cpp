#include "host/file_reader.h"

#include "host/safe_file_writer.h"
#include "host/temporary_directory.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace formulario;

namespace fs = std::filesystem;

// Only a regular file within the bound is read; anything else is refused at
// once, without waiting on a FIFO or reading a device or an oversize file.
TEST(FileReader, ReadsOnlyRegularFilesWithinTheBound)
{
    TemporaryDirectory root;
    const std::string small = root.Write("small", "sealed"), empty = root.Write("empty", "");
    const std::string oversize = root.Write("oversize", "");
    fs::resize_file(Utf8Path(oversize), kMaxDeclarationFileBytes + 1);
    const struct {
        std::string path;
        LinkRule links;
        ReadProblem problem;
    } cases[] = {
        {small, LinkRule::kFollow, ReadProblem::kNone},
        {empty, LinkRule::kFollow, ReadProblem::kNone},
        {root.str() + "/missing", LinkRule::kFollow, ReadProblem::kNotOpened},
        {oversize, LinkRule::kFollow, ReadProblem::kTooLarge},
        {root.str(), LinkRule::kFollow, ReadProblem::kNotRegular},
#ifdef _WIN32
        {"NUL", LinkRule::kFollow, ReadProblem::kNotRegular},
        {"\xC3(", LinkRule::kFollow, ReadProblem::kNotOpened},  // not UTF-8: no Windows name
#else
        // Links are made only with a privilege on Windows (and not at all under Wine).
        {root.str() + "/link", LinkRule::kFollow, ReadProblem::kNone},
        {root.str() + "/link", LinkRule::kRefuse, ReadProblem::kNotRegular},
        {"/dev/zero", LinkRule::kFollow, ReadProblem::kNotRegular},
        {root.str() + "/fifo", LinkRule::kFollow, ReadProblem::kNotRegular},
#endif
    };
#ifndef _WIN32
    fs::create_symlink(small, root.path() / "link");
    ASSERT_EQ(mkfifo((root.str() + "/fifo").c_str(), 0600), 0);
#endif
    for (const auto& test : cases) {
        const FileContent content = ReadRegularFile(Utf8Path(test.path), kMaxDeclarationFileBytes, test.links);
        EXPECT_EQ(content.problem, test.problem) << test.path;
        EXPECT_EQ(content.bytes, test.problem == ReadProblem::kNone && test.path != empty ? "sealed" : "") << test.path;
    }
    EXPECT_EQ(UnreadableFileStatus(ReadProblem::kTooLarge).Code(), 5);
}
