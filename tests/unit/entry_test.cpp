#include "entry/entry.h"

#include <gtest/gtest.h>
#include <strings.h>

#include <set>
#include <string>
#include <vector>

#include "api_table/api_table.h"
#include "entry/host_api.h"
#include "loaded_library.h"
#include "sim/host.h"

namespace {

using qm_test::record_of;

struct Expected {
    std::string name;
    const void* value;
};

// The registration sequence the table calls for, with or without the "-" of withdrawal.
std::vector<Expected> expected_registrations(bool withdrawing) {
    std::vector<Expected> out;
    for (const auto& def : qm_app_def::api_define_list) {
        out.push_back({withdrawing ? def.unreg_api_name : def.api_name, def.func});
        out.push_back({withdrawing ? def.unreg_def_name : def.def_name, def.definition});
        out.push_back({withdrawing ? def.unreg_vararg_name : def.vararg_name,
                       reinterpret_cast<const void*>(def.vararg_func)});
    }
    return out;
}

void expect_log(const std::vector<sim::Registration>& log, std::size_t from,
                const std::vector<Expected>& expected, int result = 1) {
    ASSERT_EQ(log.size() - from, expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(log[from + i].name, expected[i].name) << i;
        EXPECT_EQ(log[from + i].value, expected[i].value) << expected[i].name;
        EXPECT_EQ(log[from + i].result, result) << expected[i].name;
    }
}

class Entry : public ::testing::Test {
protected:
    void TearDown() override { ReaperPluginEntry(nullptr, nullptr); }
    sim::Host host;
};

TEST_F(Entry, LoadRegistersEveryFunctionThreeTimesInTableOrder) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    EXPECT_EQ(qm_app::reaper_plugin, record_of(host));
    EXPECT_TRUE(qm_app::imported);
    expect_log(host.registration_log(), 0, expected_registrations(false));
    EXPECT_EQ(host.registered_functions().size(), qm_app_def::api_define_list.size());
}

TEST_F(Entry, UnloadWithdrawsTheSameRegistrationsInTheSameOrder) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    const std::size_t loaded = host.registration_log().size();
    EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    expect_log(host.registration_log(), loaded, expected_registrations(true));
    EXPECT_FALSE(host.anything_registered());
    EXPECT_EQ(qm_app::reaper_plugin, nullptr);
}

TEST_F(Entry, ASecondUnloadWithdrawsAgain) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    ASSERT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    const std::size_t once = host.registration_log().size();
    EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    // Nothing is left to withdraw, so the host answers 0 each time.
    expect_log(host.registration_log(), once, expected_registrations(true), 0);
    EXPECT_EQ(qm_app::reaper_plugin, nullptr);
}

TEST_F(Entry, ASecondLoadRegistersAgain) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    ASSERT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    const std::size_t before = host.registration_log().size();
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    expect_log(host.registration_log(), before, expected_registrations(false));
}

// A host lacking any function we call is refused: nothing registered, and nothing to undo later.
TEST_F(Entry, AHostMissingAnyFunctionIsRefused) {
    for (std::size_t i = 0; i < qm_host::import_table_size; ++i) {
        const std::string name = qm_host::import_table[i].name;
        sim::Host lacking;
        lacking.hide_function(name);
        EXPECT_EQ(ReaperPluginEntry(nullptr, record_of(lacking)), 0) << name;
        EXPECT_FALSE(qm_app::imported) << name;
        EXPECT_EQ(qm_app::reaper_plugin, nullptr) << name;
        EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0) << name;
        EXPECT_TRUE(lacking.registration_log().empty()) << name;
        EXPECT_TRUE(lacking.call_log().empty()) << name;
    }
}

TEST_F(Entry, ARecordWithoutLookupIsRefused) {
    reaper_plugin_info_t copy = *record_of(host);
    copy.GetFunc = nullptr;
    EXPECT_EQ(ReaperPluginEntry(nullptr, &copy), 0);
    EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    EXPECT_TRUE(host.registration_log().empty());
}

TEST_F(Entry, RefusalAfterAnAcceptedLoadLeavesNothingToWithdraw) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    ASSERT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    sim::Host lacking;
    lacking.hide_function("GetTrack");
    EXPECT_EQ(ReaperPluginEntry(nullptr, record_of(lacking)), 0);
    EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    EXPECT_TRUE(lacking.registration_log().empty());
}

TEST(ImportTable, ListsEachHostFunctionOnceInCaseInsensitiveOrder) {
    ASSERT_GT(qm_host::import_table_size, 0u);
    std::set<const void*> slots;
    for (std::size_t i = 0; i < qm_host::import_table_size; ++i) {
        const auto& entry = qm_host::import_table[i];
        EXPECT_TRUE(slots.insert(entry.slot).second) << entry.name;
        if (i > 0) {
            EXPECT_LT(strcasecmp(qm_host::import_table[i - 1].name, entry.name), 0)
                << qm_host::import_table[i - 1].name << " before " << entry.name;
        }
        // SWS's function is optional and looked up per call, never at load.
        EXPECT_STRNE(entry.name, "CF_GetMediaSourceBitDepth");
    }
}

TEST(ImportTable, LoadApiFillsTheSlotsAndCountsTheMissing) {
    sim::Host host;
    EXPECT_EQ(REAPERAPI_LoadAPI(record_of(host)->GetFunc), 0);
    EXPECT_EQ(reinterpret_cast<void*>(GetTrack), sim::host_function("GetTrack"));
    host.hide_function("GetTrack");
    host.hide_function("UpdateArrange");
    EXPECT_EQ(REAPERAPI_LoadAPI(record_of(host)->GetFunc), 2);
    EXPECT_EQ(GetTrack, nullptr);
    EXPECT_EQ(REAPERAPI_LoadAPI(nullptr), static_cast<int>(qm_host::import_table_size));
}

}  // namespace
