// Replays a fuzz target without libFuzzer: every file of the corpus folders given, then a
// fixed number of seeded random mutations of them. Built with the sanitizers of the test
// build, so a read out of bounds or undefined behaviour stops the run; the input in hand is
// then written to "<target>-failure.bin" in the current folder to be replayed on its own.
//
//   fuzz_game_file [--mutations N] [--seed S] [--max-len BYTES] DIR_OR_FILE...
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)(void));

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> in_hand;
std::string failure_file = "fuzz-failure.bin";

void dump_input() {
    if (std::FILE* f = std::fopen(failure_file.c_str(), "wb")) {
        std::fwrite(in_hand.data(), 1, in_hand.size(), f);
        std::fclose(f);
        std::fprintf(stderr, "input of %zu bytes written to %s\n", in_hand.size(),
                     failure_file.c_str());
    }
}

void on_abort(int) {
    dump_input();
    std::signal(SIGABRT, SIG_DFL);
    std::abort();
}

std::vector<uint8_t> read_all(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void add_inputs(const fs::path& p, std::vector<std::vector<uint8_t>>& out) {
    std::error_code ec;
    if (fs::is_regular_file(p, ec)) {
        out.push_back(read_all(p));
        return;
    }
    std::vector<fs::path> files;
    for (const auto& e : fs::recursive_directory_iterator(p, ec))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());  // a fixed order keeps the mutations reproducible
    for (const auto& f : files) out.push_back(read_all(f));
}

// Values that sit on the edges readers test against.
constexpr uint8_t INTERESTING[] = {0,   1,   2,    3,    4,    5,    9,    10,
                                   31,  32,  33,   '-',  'x',  ':',  ',',  '[',
                                   '"', ' ', '\n', '\r', 0x7f, 0x80, 0xfe, 0xff};

void mutate(std::vector<uint8_t>& d, const std::vector<std::vector<uint8_t>>& corpus,
            size_t max_len, std::mt19937& rng) {
    auto pick = [&](size_t n) { return n ? static_cast<size_t>(rng() % n) : 0; };
    const int steps = 1 + static_cast<int>(rng() % 6);
    // Half the time only bytes change: fixed-size files stay the size their reader takes.
    const unsigned kinds = rng() % 2 ? 3 : 8;
    for (int s = 0; s < steps; ++s) {
        switch (rng() % kinds) {
            case 0:  // flip a bit
                if (!d.empty()) d[pick(d.size())] ^= static_cast<uint8_t>(1u << (rng() % 8));
                break;
            case 1:  // an edge value
                if (!d.empty()) d[pick(d.size())] = INTERESTING[pick(sizeof INTERESTING)];
                break;
            case 2:  // any byte
                if (!d.empty()) d[pick(d.size())] = static_cast<uint8_t>(rng());
                break;
            case 3: {  // cut a run out
                if (d.empty()) break;
                const size_t at = pick(d.size());
                const size_t n = 1 + pick(std::min<size_t>(d.size() - at, 64));
                d.erase(d.begin() + static_cast<long>(at), d.begin() + static_cast<long>(at + n));
                break;
            }
            case 4: {  // insert an edge value
                const size_t at = pick(d.size() + 1);
                d.insert(d.begin() + static_cast<long>(at), INTERESTING[pick(sizeof INTERESTING)]);
                break;
            }
            case 5: {  // repeat a run
                if (d.empty()) break;
                const size_t at = pick(d.size());
                const size_t n = 1 + pick(std::min<size_t>(d.size() - at, 32));
                const std::vector<uint8_t> run(d.begin() + static_cast<long>(at),
                                               d.begin() + static_cast<long>(at + n));
                d.insert(d.begin() + static_cast<long>(pick(d.size() + 1)), run.begin(), run.end());
                break;
            }
            case 6: {  // splice in a run of another input
                const auto& other = corpus[pick(corpus.size())];
                if (other.empty()) break;
                const size_t at = pick(other.size());
                const size_t n = 1 + pick(std::min<size_t>(other.size() - at, 128));
                const size_t to = pick(d.size() + 1);
                d.insert(d.begin() + static_cast<long>(to), other.begin() + static_cast<long>(at),
                         other.begin() + static_cast<long>(at + n));
                break;
            }
            default:  // cut the end off
                if (!d.empty()) d.resize(pick(d.size()));
                break;
        }
    }
    if (d.size() > max_len) d.resize(max_len);
}

void run(const std::vector<uint8_t>& d) {
    in_hand = d;
    LLVMFuzzerTestOneInput(in_hand.data(), in_hand.size());
}

}  // namespace

int main(int argc, char** argv) {
    long mutations = 1000;
    unsigned seed = 1;
    size_t max_len = 1 << 16;
    std::vector<std::vector<uint8_t>> corpus;
    const std::string self = fs::path(argv[0]).filename().string();
    failure_file = self + "-failure.bin";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--mutations" && i + 1 < argc)
            mutations = std::atol(argv[++i]);
        else if (a == "--seed" && i + 1 < argc)
            seed = static_cast<unsigned>(std::atol(argv[++i]));
        else if (a == "--max-len" && i + 1 < argc)
            max_len = static_cast<size_t>(std::atol(argv[++i]));
        else
            add_inputs(a, corpus);
    }
    if (corpus.empty()) {
        std::fprintf(stderr, "%s: no corpus inputs found\n", self.c_str());
        return 2;
    }
    if (__sanitizer_set_death_callback) __sanitizer_set_death_callback(dump_input);
    std::signal(SIGABRT, on_abort);

    const auto start = std::chrono::steady_clock::now();
    for (const auto& input : corpus) run(input);
    std::mt19937 rng(seed);
    for (long m = 0; m < mutations; ++m) {
        std::vector<uint8_t> d = corpus[rng() % corpus.size()];
        mutate(d, corpus, max_len, rng);
        run(d);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %zu corpus inputs and %ld mutations (seed %u) in %.2f s, no failure\n",
                self.c_str(), corpus.size(), mutations, seed, seconds);
    return 0;
}
