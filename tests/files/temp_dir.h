// A temporary folder of its own for each test that writes files: unique to the running
// test and process (so tests may run in parallel, also from several build trees), removed
// with everything in it when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "board/host.h"

namespace qv::test {

class TempDir {
  public:
    TempDir() {
        std::string leaf = "quorvel";
        if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
            leaf = leaf + "_" + info->test_suite_name() + "_" + info->name();
        for (char& c : leaf)
            if (c == '/') c = '_';
        std::string pattern = (std::filesystem::temp_directory_path() / leaf).string() + "_XXXXXX";
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "cannot create " << pattern;
        path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    void put(std::string_view name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    std::string get(std::string_view name) const {
        std::ifstream in(path_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

  private:
    std::filesystem::path path_;
};

// A fixture whose tests each get a fresh `dir`.
class TempDirTest : public ::testing::Test {
  protected:
    TempDir temp;
    const std::filesystem::path& dir = temp.path();

    void put(std::string_view name, const std::string& bytes) { temp.put(name, bytes); }
    std::string get(std::string_view name) { return temp.get(name); }
};

// A host that counts error boxes instead of printing them.
struct CountingHost : Host {
    int errors = 0;
    std::optional<Msg> last;
    void show_error(Msg message) override {
        ++errors;
        last = message;
    }
};

}  // namespace qv::test
