// plugin_register, GetFunc and the plug-in record.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "sim/host.h"

namespace {

namespace r = sim::reaper;
using sim::Host;

int native_x(int a) {
    return a + 1;
}
void* vararg_x(void**, int) {
    return nullptr;
}
int native_y(int a) {
    return a + 2;
}
const char kDefinitionX[] = "int\0int\0a\0adds one";

void* address(int (*f)(int)) {
    return reinterpret_cast<void*>(f);
}
void* address(void* (*f)(void**, int)) {
    return reinterpret_cast<void*>(f);
}

TEST(Registry, TheThreeRegistrationsOfAFunctionMakeOneEntryWithdrawnPartByPart) {
    Host host;
    EXPECT_FALSE(host.anything_registered());
    EXPECT_EQ(r::plugin_register("API_QM_X", address(&native_x)), 1);  // the active host's
    EXPECT_EQ(host.plugin_register("APIdef_QM_X", const_cast<char*>(kDefinitionX)), 1);
    EXPECT_EQ(host.plugin_register("APIvararg_QM_X", address(&vararg_x)), 1);
    const auto x = host.registered_function("QM_X");
    ASSERT_TRUE(x.has_value());
    EXPECT_EQ(x->name, "QM_X");
    EXPECT_EQ(x->func, address(&native_x));
    EXPECT_EQ(x->definition, kDefinitionX);
    EXPECT_EQ(x->vararg, address(&vararg_x));
    EXPECT_EQ(host.registered_functions().size(), 1u);
    EXPECT_EQ(host.get_func("QM_X"), address(&native_x));
    EXPECT_FALSE(host.registered_function("API_QM_X").has_value());

    EXPECT_EQ(host.plugin_register("-API_QM_X", address(&native_x)), 1);
    EXPECT_EQ(host.get_func("QM_X"), nullptr);
    ASSERT_TRUE(host.registered_function("QM_X").has_value());
    EXPECT_EQ(host.registered_function("QM_X")->func, nullptr);
    EXPECT_EQ(host.registered_function("QM_X")->definition, kDefinitionX);
    EXPECT_EQ(host.plugin_register("-API_QM_X", address(&native_x)), 0) << "already withdrawn";
    EXPECT_EQ(host.plugin_register("-APIdef_QM_X", const_cast<char*>(kDefinitionX)), 1);
    EXPECT_TRUE(host.anything_registered());
    EXPECT_EQ(host.plugin_register("-APIvararg_QM_X", address(&vararg_x)), 1);
    EXPECT_FALSE(host.registered_function("QM_X").has_value());
    EXPECT_FALSE(host.anything_registered());
}

TEST(Registry, FunctionsAreListedInOrderOfRegistrationAndReregisteringGoesToTheEnd) {
    Host host;
    host.plugin_register("APIdef_QM_B", const_cast<char*>(kDefinitionX));
    host.plugin_register("API_QM_A", address(&native_x));
    host.plugin_register("API_QM_B", address(&native_y));
    host.plugin_register("API_QM_C", address(&native_y));
    host.plugin_register("-API_QM_A", address(&native_x));
    host.plugin_register("API_QM_A", address(&native_y));
    std::vector<std::string> names;
    for (const auto& f : host.registered_functions()) names.push_back(f.name);
    EXPECT_EQ(names, (std::vector<std::string>{"QM_B", "QM_C", "QM_A"}));
    EXPECT_EQ(host.get_func("QM_A"), address(&native_y));
}

TEST(Registry, OtherRegistrationsAreKeptAndWithdrawnByValue) {
    Host host;
    int first = 0, second = 0;
    EXPECT_EQ(host.plugin_register("hookcommand", &first), 1);
    EXPECT_EQ(host.plugin_register("hookcommand", &second), 1);
    EXPECT_TRUE(host.registered_functions().empty());
    EXPECT_EQ(host.plugin_register("-hookcommand", &first), 1);
    EXPECT_EQ(host.plugin_register("-hookcommand", &first), 0);
    EXPECT_TRUE(host.anything_registered());
    EXPECT_EQ(host.plugin_register("-hookcommand", &second), 1);
    EXPECT_FALSE(host.anything_registered());
    EXPECT_EQ(host.plugin_register("-gaccel", &first), 0);
}

TEST(Registry, EveryCallIsLoggedWithItsResult) {
    Host host;
    host.plugin_register("API_QM_X", address(&native_x));
    host.plugin_register(nullptr, address(&native_x));
    host.plugin_register("-API_QM_Y", nullptr);
    host.plugin_register("-API_QM_X", address(&native_x));
    const std::vector<sim::Registration> expected = {
        {"API_QM_X", address(&native_x), 1},
        {"", address(&native_x), 0},
        {"-API_QM_Y", nullptr, 0},
        {"-API_QM_X", address(&native_x), 1},
    };
    const auto& log = host.registration_log();
    ASSERT_EQ(log.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(log[i].name, expected[i].name) << i;
        EXPECT_EQ(log[i].value, expected[i].value) << i;
        EXPECT_EQ(log[i].result, expected[i].result) << i;
    }
}

// The list of names itself is pinned by the handle table (handles_test.cpp).
TEST(HostFunctions, EachNameHasItsOwnWorkingFunction) {
    std::set<void*> addresses;
    for (const std::string& name : sim::host_function_names()) {
        addresses.insert(sim::host_function(name));
    }
    EXPECT_EQ(addresses.count(nullptr), 0u);
    EXPECT_EQ(addresses.size(), sim::host_function_names().size());
    EXPECT_EQ(sim::host_function("getmediaitem"), nullptr);
    Host host;
    sim::Track* track = host.add_track();
    auto get_track =
        reinterpret_cast<MediaTrack* (*)(ReaProject*, int)>(sim::host_function("GetTrack"));
    EXPECT_EQ(get_track(nullptr, 0), Host::handle(track));
}

TEST(GetFunc, AnswersHostFunctionsUnlessHiddenAndTheSwsOneOnlyWithSws) {
    Host host;
    for (const std::string& name : sim::host_function_names()) {
        if (name == "CF_GetMediaSourceBitDepth") continue;
        EXPECT_EQ(host.get_func(name.c_str()), sim::host_function(name)) << name;
    }
    host.hide_function("GetTrack");
    EXPECT_EQ(host.get_func("GetTrack"), nullptr);
    EXPECT_NE(host.get_func("GetSelectedTrack"), nullptr);
    EXPECT_EQ(host.get_func("NoSuchFunction"), nullptr);
    EXPECT_EQ(host.get_func(""), nullptr);
    EXPECT_EQ(host.get_func(nullptr), nullptr);
    // A registered name neither shadows a host function nor appears without its API_ part.
    host.plugin_register("API_GetSelectedTrack", address(&native_x));
    EXPECT_EQ(host.get_func("GetSelectedTrack"), sim::host_function("GetSelectedTrack"));
    host.plugin_register("APIdef_QM_OnlyDefined", const_cast<char*>(kDefinitionX));
    EXPECT_EQ(host.get_func("QM_OnlyDefined"), nullptr);

    EXPECT_EQ(host.get_func("CF_GetMediaSourceBitDepth"), nullptr);
    host.set_sws_installed(true);
    EXPECT_EQ(host.get_func("CF_GetMediaSourceBitDepth"),
              sim::host_function("CF_GetMediaSourceBitDepth"));
    host.hide_function("CF_GetMediaSourceBitDepth");
    EXPECT_EQ(host.get_func("CF_GetMediaSourceBitDepth"), nullptr);
}

TEST(PluginInfo, TheRecordReachesItsOwnHost) {
    Host first;
    sim::reaper_plugin_info_t* record = first.plugin_info();
    EXPECT_EQ(record->caller_version, 0x20E);
    EXPECT_NE(record->hwnd_main, nullptr);
    Host second;  // now the active one
    sim::reaper_plugin_info_t* theirs = second.plugin_info();
    EXPECT_EQ(record->Register("API_QM_X", address(&native_x)), 1);
    EXPECT_EQ(record->GetFunc("QM_X"), address(&native_x));
    EXPECT_EQ(theirs->GetFunc("QM_X"), nullptr);
    EXPECT_TRUE(second.registration_log().empty());
    EXPECT_EQ(first.calls_to("plugin_register"), 1);
    first.clear_call_log();
    EXPECT_EQ(record->GetFunc("GetTrack"), sim::host_function("GetTrack"));
    EXPECT_TRUE(first.call_log().empty()) << "lookups are not host calls";
    EXPECT_EQ(first.plugin_info(), record) << "one record per host";
}

TEST(PluginInfo, RecordsKeepWorkingPastManyHosts) {
    // More hosts than the record has dedicated entry points: the newest still gets a working one.
    std::vector<std::unique_ptr<Host>> hosts;
    for (int i = 0; i < 40; ++i) {
        hosts.push_back(std::make_unique<Host>());
        ASSERT_EQ(hosts.back()->plugin_info()->Register("API_QM_X", address(&native_x)), 1) << i;
        EXPECT_EQ(hosts.back()->registration_log().size(), 1u) << i;
    }
    hosts.clear();
    Host later;  // entry points freed by the hosts that went are reused
    EXPECT_EQ(later.plugin_info()->Register("API_QM_Y", address(&native_y)), 1);
    EXPECT_EQ(later.get_func("QM_Y"), address(&native_y));
}

}  // namespace
