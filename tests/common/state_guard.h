// The process-wide state that tests change (the program's directory, the host, the
// evaluation parameters, the opening lists and their switch, the table size), saved when
// the guard is made and put back when it goes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "board/data_dir.h"
#include "board/host.h"
#include "eval/params.h"
#include "search/book.h"
#include "search/search_state.h"
#include "search/tt.h"

namespace qv::test {

class StateGuard {
  public:
    StateGuard() = default;
    StateGuard(const StateGuard&) = delete;
    StateGuard& operator=(const StateGuard&) = delete;
    ~StateGuard() {
        set_host(nullptr);
        set_program_dir(dir_);
        book.lists[0] = lists_[0];
        book.lists[1] = lists_[1];
        parameter_state = params_;
        search.library_enabled = library_;
        if (hash_state.size_setting != size_) set_table_size(size_, 2);
    }

  private:
    std::filesystem::path dir_ = program_dir();
    std::vector<std::string> lists_[2] = {book.lists[0], book.lists[1]};
    ParameterState params_ = parameter_state;
    uint8_t library_ = search.library_enabled;
    int16_t size_ = hash_state.size_setting;
};

}  // namespace qv::test
