// Writes an empty position table ("ital.dat"): 131071 entries of 8 zero bytes.
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_empty_table OUTPUT\n");
        return 2;
    }
    const std::vector<unsigned char> bytes(131071u * 8u, 0);
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
        std::fclose(f) != 0) {
        std::fprintf(stderr, "make_empty_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
