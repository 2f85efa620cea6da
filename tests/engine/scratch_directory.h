#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace engine {

// A fresh, empty directory for one test, removed with everything in it at the end.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device randomness;
    path_ = std::filesystem::temp_directory_path() /
            ("engine-" + std::string(test->test_suite_name()) + "-" + test->name() + "-" +
             std::to_string(randomness()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // Writes `contents` byte for byte into the file `name` and returns its path.
  std::filesystem::path write(std::string_view name, std::string_view contents) const {
    const std::filesystem::path file = path_ / name;
    std::ofstream(file, std::ios::binary) << contents;
    return file;
  }

  // The bytes of the file `name`.
  std::string read(std::string_view name) const {
    std::ifstream stream(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  }

  // The names of the files in the directory.
  std::vector<std::string> fileNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace engine
