// Opens, loads, unloads and closes the shipped module through dlopen COUNT times, each time in a
// fresh simulated REAPER. Run under valgrind memcheck: nothing may leak or be touched wrongly.
//   module_cycles MODULE COUNT
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "sim/host.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: module_cycles MODULE COUNT\n");
        return 2;
    }
    const int count = std::atoi(argv[2]);
    for (int i = 0; i < count; ++i) {
        sim::Host host;
        std::string error;
        std::unique_ptr<sim::Module> module = sim::Module::open(argv[1], error);
        if (module == nullptr || module->load(host) != 1 || !host.anything_registered()) {
            std::fprintf(stderr, "cycle %d: the module did not load %s\n", i, error.c_str());
            return 1;
        }
        module->unload();
        if (host.anything_registered()) {
            std::fprintf(stderr, "cycle %d: registrations left after unload\n", i);
            return 1;
        }
    }
    std::printf("%d load/unload cycles\n", count);
    return 0;
}
