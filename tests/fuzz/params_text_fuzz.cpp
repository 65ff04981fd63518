// The readable parameter text (from which "defaut.par" is built): a text is either a whole
// set or refused with the line at fault.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "eval/params_text.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qv;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    Parameters p, untouched;
    p.opening_threshold = untouched.opening_threshold = 99;
    std::string error;
    if (parse_parameter_text(in, p, error)) {
        FUZZ_CHECK(error.empty());
        return 0;
    }
    FUZZ_CHECK(error.rfind("line ", 0) == 0);
    FUZZ_CHECK(p.opening_threshold == untouched.opening_threshold);
    return 0;
}
