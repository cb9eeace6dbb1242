#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vornik::test {

// A fresh private folder under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
  public:
    explicit TemporaryFolder(const std::string& prefix) {
        std::string base = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(base.data()) == nullptr) ADD_FAILURE() << "mkdtemp " << base;
        m_path = base;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

}  // namespace vornik::test
