#pragma once

#include "host/platform_file.h"

#include <string>
#include <vector>

using namespace formulario;

// The platform's file system, recording each step by name; the step named
// `failing` fails instead (a full disk is a failing "write").
class CRecordingFileSystem : public CFileSystem {
public:
    explicit CRecordingFileSystem(std::string failing = {}) : m_failing(std::move(failing)) {}

    std::vector<std::string> steps;

    std::optional<FileHandle> CreateNew(const std::filesystem::path& path, bool ownerOnly) override
    {
        return Step("create") ? m_files.CreateNew(path, ownerOnly) : std::nullopt;
    }
    bool WriteAll(FileHandle file, std::string_view bytes) override
    {
        return Step("write") && m_files.WriteAll(file, bytes);
    }
    bool Sync(FileHandle file) override { return Step("sync") && m_files.Sync(file); }
    bool Close(FileHandle file) override { return m_files.Close(file) && Step("close"); }
    bool Replace(const std::filesystem::path& from, const std::filesystem::path& to) override
    {
        return Step("replace") && m_files.Replace(from, to);
    }
    bool SyncFolder(const std::filesystem::path& folder) override
    {
        return Step("sync folder") && m_files.SyncFolder(folder);
    }
    void Remove(const std::filesystem::path& path) override
    {
        steps.push_back("remove");
        m_files.Remove(path);
    }

private:
    bool Step(const std::string& name)
    {
        steps.push_back(name);
        return name != m_failing;
    }

    std::string m_failing;
    CFileSystem& m_files = PlatformFileSystem();
};
