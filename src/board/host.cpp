#include "board/host.h"

#include <cstdio>

namespace qv {

void Host::show_error(Msg message) {
    std::fprintf(stderr, "error: message %d\n", static_cast<int>(message));
}

void Host::report_fatal(Msg message) {
    std::printf("fatal error: message %d\n", static_cast<int>(message));
    std::fflush(stdout);
}

namespace {
Host default_host;
Host* current_host = &default_host;
}  // namespace

Host& host() {
    return *current_host;
}
void set_host(Host* h) {
    current_host = h ? h : &default_host;
}

}  // namespace qv
