// A fresh temporary folder per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "board/host.h"

namespace qv::test {

class TempDirTest : public ::testing::Test {
  protected:
    std::filesystem::path dir;
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string leaf = std::string("quorvel_") + info->test_suite_name() + "_" + info->name();
        for (char& c : leaf)
            if (c == '/') c = '_';
        dir = std::filesystem::temp_directory_path() / leaf;
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    std::string get(const std::string& name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
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
