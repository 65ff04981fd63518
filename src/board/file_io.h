// Whole-file reading and writing. Writers go through a temporary file in the same folder
// that is renamed into place, so a failed write never leaves a half-written file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Reads at most `max_bytes` of the file into `out`. False when it cannot be opened or read.
// `whole` (optional) tells whether the file ended within the limit.
bool read_file_prefix(const std::filesystem::path& path, size_t max_bytes, std::string& out,
                      bool* whole = nullptr);
// Writes `data` to a temporary file beside `path` (`path` + ".tmp"), syncs it, renames it
// over `path` and syncs the folder. On any failure the temporary file is removed and `path`
// keeps its old content.
bool write_file_atomic(const std::filesystem::path& path, std::string_view data);

// The one place where the file layer puts bytes into an open file: true when all of `data`
// went in. Tests put a failing one in its place to play a full disk; null restores the real
// one. Returns the one that was in place.
using WriteBytes = bool (*)(std::FILE* file, std::string_view data);
WriteBytes set_write_bytes(WriteBytes write);

// Splits text into lines at CR LF, LF or CR (a final line without a break counts).
std::vector<std::string> split_lines(std::string_view text);
// Joins lines, each ended by CR LF.
std::string join_lines_crlf(const std::vector<std::string>& lines);

}  // namespace qv
