#include "entry/entry.h"

#include <gtest/gtest.h>
#include <strings.h>

#include <set>
#include <string>
#include <vector>

#include "api_table/api_table.h"
#include "loaded_library.h"

namespace {

using qm_test::record_of;

class Entry : public ::testing::Test {
protected:
    void TearDown() override { ReaperPluginEntry(nullptr, nullptr); }
    sim::Host host;
};

// Loading registers each record's function, definition text and wrapper (what and in which order
// is checked end to end); unloading withdraws exactly those, in the same order. Both can be
// repeated: a second withdrawal finds nothing left, and the host answers 0.
TEST_F(Entry, UnloadMirrorsLoad) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    EXPECT_EQ(qm_app::reaper_plugin, record_of(host));
    const std::vector<sim::Registration> loaded = host.registration_log();
    ASSERT_EQ(loaded.size(), 3 * qm_app_def::api_define_list.size());
    EXPECT_EQ(
        loaded[0].name + " " + loaded[1].name + " " + loaded[2].name,
        "API_QM_GetMediaItemSelect APIdef_QM_GetMediaItemSelect APIvararg_QM_GetMediaItemSelect");
    for (int result : {1, 0}) {
        const std::size_t from = host.registration_log().size();
        EXPECT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
        EXPECT_EQ(qm_app::reaper_plugin, nullptr);
        ASSERT_EQ(host.registration_log().size() - from, loaded.size());
        for (std::size_t i = 0; i < loaded.size(); ++i) {
            const sim::Registration& withdrawal = host.registration_log()[from + i];
            EXPECT_EQ(withdrawal.name, "-" + loaded[i].name);
            EXPECT_EQ(withdrawal.value, loaded[i].value) << withdrawal.name;
            EXPECT_EQ(withdrawal.result, result) << withdrawal.name;
        }
    }
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    EXPECT_EQ(host.registration_log().back().name, loaded.back().name) << "registered again";
}

// A host lacking any function the library calls, or a record without GetFunc, is refused:
// nothing registered, nothing asked, nothing to withdraw later, even after an accepted load.
TEST_F(Entry, AHostMissingAnyFunctionIsRefused) {
    ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1);
    ASSERT_EQ(ReaperPluginEntry(nullptr, nullptr), 0);
    reaper_plugin_info_t without_lookup = *record_of(host);
    without_lookup.GetFunc = nullptr;
    EXPECT_EQ(ReaperPluginEntry(nullptr, &without_lookup), 0);
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

// The import table lists each host function once, in case-insensitive order, without SWS's
// optional one; the SDK's loader fills its slots and counts what the host lacks.
TEST(ImportTable, OrderedAndResolvedByTheLoader) {
    std::set<const void*> slots;
    for (std::size_t i = 0; i < qm_host::import_table_size; ++i) {
        const auto& entry = qm_host::import_table[i];
        EXPECT_TRUE(slots.insert(entry.slot).second) << entry.name;
        EXPECT_TRUE(i == 0 || strcasecmp(qm_host::import_table[i - 1].name, entry.name) < 0)
            << entry.name;
        EXPECT_STRNE(entry.name, "CF_GetMediaSourceBitDepth");
    }
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
