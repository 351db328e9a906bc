// The shipped module, loaded through the simulated host exactly as REAPER loads it.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "sim/host.h"

namespace {

std::unique_ptr<sim::Module> open_module() {
    std::string error;
    auto module = sim::Module::open(QM_MODULE_PATH, error);
    EXPECT_NE(module, nullptr) << error;
    return module;
}

// The module's exported (defined, dynamic) symbols, demangled.
std::set<std::string> exported_symbols() {
    std::set<std::string> out;
    const std::string command =
        std::string("nm -D --defined-only --demangle '") + QM_MODULE_PATH + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return out;
    char line[4096];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        // "<address> <type> <name>"
        const std::size_t first = text.find(' ');
        const std::size_t second = text.find(' ', first + 1);
        if (first != std::string::npos && second != std::string::npos) {
            out.insert(text.substr(second + 1));
        }
    }
    pclose(pipe);
    return out;
}

TEST(Module, ExportsOnlyTheEntryTheVersionTheLoaderAndTheApi) {
    sim::Host host;
    auto module = open_module();
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->load(host), 1);
    std::set<std::string> expected = {"ReaperPluginEntry", "get_version",
                                      "REAPERAPI_LoadAPI(void* (*)(char const*))"};
    std::set<std::string> api_names;
    for (const auto& f : host.registered_functions()) {
        api_names.insert(f.name.substr(3));  // without "QM_"
    }
    const std::set<std::string> symbols = exported_symbols();
    ASSERT_FALSE(symbols.empty()) << "nm found nothing";
    std::set<std::string> exported_api;
    for (const std::string& symbol : symbols) {
        if (expected.count(symbol) != 0) continue;
        const std::string name = symbol.substr(0, symbol.find('('));
        EXPECT_EQ(api_names.count(name), 1u) << "unexpected export: " << symbol;
        exported_api.insert(name);
    }
    EXPECT_EQ(exported_api, api_names) << "every API function is exported";
    for (const std::string& symbol : expected) EXPECT_EQ(symbols.count(symbol), 1u) << symbol;
    EXPECT_EQ(symbols.count("GetMediaItemSelect(ReaProject*, int, int)"), 1u);
    module->unload();
}

TEST(Module, LoadsRegistersAnswersScriptsAndUnloadsClean) {
    sim::Host host;
    sim::Track* track = host.add_track(nullptr, "Drums", true);
    sim::ItemSpec options;
    options.selected = true;
    host.add_item(track, {});
    sim::Item* selected = host.add_item(track, options);

    auto module = open_module();
    ASSERT_NE(module, nullptr);
    ASSERT_EQ(module->load(host), 1);
    const auto select = host.registered_function("QM_GetMediaItemSelect");
    ASSERT_TRUE(select.has_value());
    EXPECT_EQ(std::string(select->definition),
              "MediaItem*");  // the first field; the rest follow after NULs
    auto wrapper = reinterpret_cast<void* (*)(void**, int)>(select->vararg);
    void* args[] = {nullptr, reinterpret_cast<void*>(std::uintptr_t{0}),
                    reinterpret_cast<void*>(std::uintptr_t{1})};
    EXPECT_EQ(wrapper(args, 3), sim::Host::handle(selected));

    // Other extensions reach the same native function by name or by symbol.
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

TEST(Module, UnloadBeforeAnyLoadMakesNoHostCall) {
    sim::Host host;
    auto module = open_module();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->unload(), 0);
    EXPECT_TRUE(host.registration_log().empty());
    EXPECT_TRUE(host.call_log().empty());
}

TEST(Module, RefusesAHostWithoutAFunctionItNeeds) {
    sim::Host host;
    host.hide_function("GetSelectedMediaItem");
    auto module = open_module();
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(module->load(host), 0);
    EXPECT_TRUE(host.registration_log().empty());
    EXPECT_EQ(module->unload(), 0);
    EXPECT_TRUE(host.registration_log().empty());
    EXPECT_TRUE(host.call_log().empty());
}

}  // namespace
