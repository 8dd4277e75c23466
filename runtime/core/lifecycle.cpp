// Start-up and shutdown of the runtime.
#include <cstdio>
#include <cstdlib>

#include "tarnvik/core.h"

namespace tvk {
namespace {
bool g_ending = false;
}
}  // namespace tvk

void EndProgram() {
    if (tvk::g_ending) return;
    tvk::g_ending = true;
    std::puts("exit");
    std::exit(0);
}
