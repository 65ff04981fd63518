#include "board/file_io.h"

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <system_error>

namespace qv {

namespace {

bool fwrite_all(std::FILE* file, std::string_view data) {
    return std::fwrite(data.data(), 1, data.size(), file) == data.size();
}

WriteBytes write_bytes = fwrite_all;

// The folder's entry for a renamed file reaches the disk only when the folder is synced.
void sync_folder(const std::filesystem::path& file) {
    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

WriteBytes set_write_bytes(WriteBytes write) {
    const WriteBytes before = write_bytes;
    write_bytes = write ? write : fwrite_all;
    return before;
}

bool read_file_prefix(const std::filesystem::path& path, size_t max_bytes, std::string& out,
                      bool* whole) {
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f) return false;
    std::string data;
    char buf[16384];
    bool ok = true;
    while (data.size() < max_bytes) {
        const size_t want = std::min(sizeof buf, max_bytes - data.size());
        const size_t n = std::fread(buf, 1, want, f);
        data.append(buf, n);
        if (n < want) {
            ok = !std::ferror(f);
            break;
        }
    }
    // One byte more tells whether the file went on beyond the limit.
    const bool ended = data.size() < max_bytes || std::fgetc(f) == EOF;
    std::fclose(f);
    if (!ok) return false;
    if (whole) *whole = ended;
    out = std::move(data);
    return true;
}

bool write_file_atomic(const std::filesystem::path& path, std::string_view data) {
    std::filesystem::path temp = path;
    temp += ".tmp";
    std::FILE* f = std::fopen(temp.string().c_str(), "wb");
    if (!f) return false;
    bool ok = write_bytes(f, data);
    ok = std::fflush(f) == 0 && ok;
    // The bytes are on disk before the name points at them (a file system that cannot sync
    // says EINVAL: nothing to wait for there).
    ok = (::fsync(fileno(f)) == 0 || errno == EINVAL) && ok;
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok) std::filesystem::rename(temp, path, ec);
    if (!ok || ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    sync_folder(path);
    return true;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string join_lines_crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

}  // namespace qv
