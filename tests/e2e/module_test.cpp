// The shipped module, loaded through the simulated host exactly as REAPER loads it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

std::unique_ptr<sim::Module> open_module() {
    std::string error;
    auto module = sim::Module::open(QM_MODULE_PATH, error);
    EXPECT_NE(module, nullptr) << error;
    return module;
}

#ifdef QM_LIST_EXPORTS
// The names (without parameter lists) of the module's defined dynamic symbols, demangled. A
// Windows program cannot run the build machine's nm: there dll_exports_and_imports reads the DLL's
// export table instead.
std::set<std::string> exported_names() {
    std::set<std::string> out;
    FILE* nm = popen((QM_LIST_EXPORTS " '" QM_MODULE_PATH "'"), "r");
    char line[4096];
    while (nm != nullptr && std::fgets(line, sizeof line, nm) != nullptr) {
        const std::string text(line);  // "<address> <type> <name>\n"
        const std::size_t name = text.find(' ', text.find(' ') + 1) + 1;
        out.insert(text.substr(name, text.find_first_of("(\n", name) - name));
    }
    if (nm != nullptr) pclose(nm);
    return out;
}
#endif

// Loaded as REAPER loads it, the module registers each of its functions with the definition text
// promised to script authors (definitions.txt), in the promised order, callable by name, by
// decorated symbol and through its script wrapper, and exports nothing else; unloading
// withdraws everything.
TEST(Module, RegistersThePromisedFunctionsAndUnloadsClean) {
    sim::Host host;
    sim::ItemSpec selected;
    selected.selected = true;
    host.add_item(host.add_track(), {});
    sim::Item* second = host.add_item(host.current_project()->tracks[0], selected);
    auto module = open_module();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->unload(), 0);
    EXPECT_TRUE(host.registration_log().empty() && host.call_log().empty())
        << "unloading before any load asks the host nothing";
    ASSERT_EQ(module->load(host), 1);

    std::vector<std::string> promised, registered;
    std::ifstream definitions(QM_DEFINITIONS_PATH);
    ASSERT_TRUE(definitions.is_open()) << QM_DEFINITIONS_PATH;
    for (std::string line; std::getline(definitions, line);) {
        if (line.empty() || line[0] == '#') continue;
        promised.push_back(line);
    }
    std::set<std::string> api = {"ReaperPluginEntry", "get_version", "REAPERAPI_LoadAPI"};
    for (const sim::RegisteredFunction& f : host.registered_functions()) {
        ASSERT_TRUE(f.func && f.definition && f.vararg) << f.name;
        std::string line = f.name + " ";
        const char* field = f.definition;
        for (int i = 0; i < 4; ++i, field += std::strlen(field) + 1)
            line += field + std::string("|");
        registered.push_back(line);
        api.insert(f.name.substr(3));
    }
    EXPECT_THAT(registered, ::testing::ElementsAreArray(promised));
#ifdef QM_LIST_EXPORTS
    EXPECT_EQ(exported_names(), api);
#endif

    const auto select = host.registered_function("QM_GetMediaItemSelect");
    ASSERT_TRUE(select.has_value());
    void* args[] = {nullptr, reinterpret_cast<void*>(std::uintptr_t{0}),
                    reinterpret_cast<void*>(std::uintptr_t{1})};
    EXPECT_EQ(reinterpret_cast<void* (*)(void**, int)>(select->vararg)(args, 3),
              sim::Host::handle(second));
    EXPECT_EQ(host.get_func("QM_GetMediaItemSelect"), select->func);
    EXPECT_EQ(module->symbol("_Z18GetMediaItemSelectP10ReaProjectii"), select->func);
    auto get_version = reinterpret_cast<void (*)(char*, int)>(module->symbol("get_version"));
    ASSERT_NE(get_version, nullptr);
    char version[16] = {};
    get_version(version, sizeof version);
    EXPECT_STREQ(version, QM_EXPECTED_VERSION);

    EXPECT_EQ(module->unload(), 0);
    EXPECT_FALSE(host.anything_registered());
}

}  // namespace
