// Whole-file reading and writing. Writers go through a temporary file in the same folder
// that is renamed into place, so a failed write never leaves a half-written file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Reads at most `max_bytes` of the file into `out`. False when it cannot be opened or read.
// `whole` (optional) tells whether the file ended within the limit.
bool read_file_prefix(const std::filesystem::path& path, size_t max_bytes, std::string& out,
                      bool* whole = nullptr);
// Writes `data` to a temporary file beside `path`, then renames it over `path`.
bool write_file_atomic(const std::filesystem::path& path, std::string_view data);

// Splits text into lines at CR LF, LF or CR (a final line without a break counts).
std::vector<std::string> split_lines(std::string_view text);
// Joins lines, each ended by CR LF.
std::string join_lines_crlf(const std::vector<std::string>& lines);

}  // namespace qv
