// Builds a parameter file from its text source: gen_params SOURCE.txt OUTPUT.par
#include <cstdio>
#include <fstream>
#include <string>

#include "eval/params.h"
#include "eval/params_text.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: gen_params SOURCE.txt OUTPUT.par\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    std::string error;
    if (!qv::parse_parameter_text(in, qv::params, error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return qv::save_parameters(argv[2]) ? 0 : 1;
}
