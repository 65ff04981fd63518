// Writes "hashkey33.dat": 165 index keys then 165 lock keys, little-endian u32.
#include <cstdio>
#include <initializer_list>

#include "search/key_generator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_hashkeys OUTPUT\n");
        return 2;
    }
    uint32_t index_table[qv::KEY_ENTRIES], lock_table[qv::KEY_ENTRIES];
    qv::generate_keys(index_table, lock_table);
    unsigned char bytes[2 * qv::KEY_ENTRIES * 4];
    int k = 0;
    for (const uint32_t* t : {index_table, lock_table})
        for (int i = 0; i < qv::KEY_ENTRIES; ++i)
            for (int b = 0; b < 4; ++b) bytes[k++] = static_cast<unsigned char>(t[i] >> (8 * b));
    std::FILE* f = std::fopen(argv[1], "wb");
    if (!f || std::fwrite(bytes, 1, sizeof bytes, f) != sizeof bytes || std::fclose(f) != 0) {
        std::fprintf(stderr, "make_hashkeys: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
