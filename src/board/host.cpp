#include "board/host.h"

#include <cstdio>

namespace qv {

void Host::show_error(std::string_view text) {
    std::fprintf(stderr, "Erreur: %.*s\n", static_cast<int>(text.size()), text.data());
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
