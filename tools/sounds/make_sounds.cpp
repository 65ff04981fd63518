// Writes the game's three sounds as 16-bit mono WAV files: a short beep after each
// move ("son.wav"), a rising arpeggio for a win ("gagne.wav") and a falling one for a
// loss ("Perdu.wav"). Pure sine tones with short fades, so the output is deterministic.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int RATE = 22050;

struct Note {
    double hz;
    int ms;
};

void tone(std::vector<int16_t>& out, Note n) {
    const int count = RATE * n.ms / 1000;
    const int fade = RATE / 200;  // 5 ms in and out, no clicks
    for (int i = 0; i < count; ++i) {
        double env = 1.0;
        if (i < fade) env = double(i) / fade;
        if (count - i < fade) env = double(count - i) / fade;
        double v = std::sin(2.0 * M_PI * n.hz * i / RATE) * env * 0.4;
        out.push_back(static_cast<int16_t>(std::lround(v * 32767)));
    }
}

void put32(std::FILE* f, uint32_t v) {
    for (int i = 0; i < 4; ++i) std::fputc(int((v >> (8 * i)) & 0xff), f);
}
void put16(std::FILE* f, uint16_t v) {
    std::fputc(v & 0xff, f);
    std::fputc(v >> 8, f);
}

bool write_wav(const std::string& path, const std::vector<Note>& notes) {
    std::vector<int16_t> pcm;
    for (Note n : notes) tone(pcm, n);
    const std::string tmp = path + ".tmp";
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) return false;
    const uint32_t data_bytes = uint32_t(pcm.size() * 2);
    std::fwrite("RIFF", 1, 4, f);
    put32(f, 36 + data_bytes);
    std::fwrite("WAVEfmt ", 1, 8, f);
    put32(f, 16);
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, RATE);
    put32(f, RATE * 2);
    put16(f, 2);
    put16(f, 16);
    std::fwrite("data", 1, 4, f);
    put32(f, data_bytes);
    for (int16_t s : pcm) put16(f, uint16_t(s));
    const bool ok = std::fclose(f) == 0;
    return ok && std::rename(tmp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sounds OUTPUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    const bool ok =
        write_wav(dir + "/son.wav", {{880, 70}}) &&
        write_wav(dir + "/gagne.wav", {{523, 120}, {659, 120}, {784, 120}, {1047, 260}}) &&
        write_wav(dir + "/Perdu.wav", {{392, 180}, {330, 180}, {262, 360}});
    if (!ok) std::fprintf(stderr, "make_sounds: cannot write into %s\n", dir.c_str());
    return ok ? 0 : 1;
}
