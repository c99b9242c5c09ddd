#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// A folder of this process's own for the files a fuzz target reads through
// the file system; removed when the process ends normally. It lies in memory
// where the system offers a folder there: the program replaces its files
// through QSaveFile, whose flush to a disk would slow each run down.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string &name)
        : m_path(base() / (name + '-' + std::to_string(getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    static std::filesystem::path base()
    {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        return std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
    }

    std::filesystem::path m_path;
};
