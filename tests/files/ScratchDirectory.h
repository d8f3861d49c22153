// A fresh, empty directory under the system's temporary directory for one test,
// removed with everything in it when the test ends. Works natively and under
// Wine alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

class ScratchDirectory {
  public:
    ScratchDirectory() {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "pixmint-";
        if (test != nullptr)
            name += std::string(test->test_suite_name()) + "-" + test->name() + "-";
        name += std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        std::error_code error;
        root_ = std::filesystem::temp_directory_path(error) / name;
        std::filesystem::create_directories(root_, error);
    }
    ~ScratchDirectory() {
        std::error_code error;
        std::filesystem::remove_all(root_, error);
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Root() const { return root_; }

    // The full path of a name inside the directory, as the program sees paths.
    std::string Path(const std::string& name) const { return (root_ / name).string(); }

    // The names of the entries in the directory, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(root_, error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    static std::vector<uint8_t> ReadBytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
    }

    static bool Exists(const std::string& path) {
        std::error_code error;
        return std::filesystem::exists(path, error);
    }

  private:
    std::filesystem::path root_;
};
