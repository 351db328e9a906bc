// The host as a script sees it: the host-function rows, what only the `sim` table builds or
// observes, and its errors. The Lua end-to-end tests use the rest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "entry/host_api.h"  // the host functions the library calls
#include "environment.h"
#include "host_functions.h"
#include "lua_eval.h"
#include "sim/host.h"
#include "sim_table.h"

namespace reaper_sim {
namespace {

using testing::Case;
using ::testing::HasSubstr;

// Each row's definition text agrees with its C signature and names a function GetFunc knows;
// every host function the library calls has a row, but the two that pass void*.
TEST(HostFunctionRows, DescribeTheHostFunctionsTheLibraryCalls) {
    sim::Host host;
    host.set_sws_installed(true);
    provide_host_functions(host);
    std::set<std::string> rows;
    for (const HostFunctionRow& row : host_function_rows()) {
        EXPECT_TRUE(rows.insert(row.name).second) << row.name << " has two rows";
        if (row.lua_only()) {
            EXPECT_THAT(row.lua_form, HasSubstr(std::string("reaper.") + row.name + "("));
            continue;
        }
        std::string error;
        const auto def = parse_definition(row.name, row.definition, error);
        ASSERT_TRUE(def.has_value()) << row.name << ": " << error;
        std::vector<std::string> declared = {def->result.declared};
        for (const ParamDef& p : def->params) declared.push_back(p.type.declared);
        EXPECT_EQ(declared, row.signature()) << row.name;
        EXPECT_NE(host.get_func(row.name), nullptr) << row.name;
    }
#define QM_NAME(ret, name, params) #name,
    for (const char* name : {QM_HOST_FUNCTIONS(QM_NAME)}) {
        const std::string n = name;
        EXPECT_TRUE(rows.count(n) || n == "plugin_register" || n == "GetSetMediaItemTakeInfo") << n;
    }
#undef QM_NAME
}

// Globals: `track` "Bass" (selected) holding `item` at 1.5 s for 4 s, whose take plays `source`.
struct Script {
    Script() {
        testing::expect_case(
            env.state(),
            {"track = sim.add_track('Bass', true)\n"
             "item = sim.add_item(track, {position = 1.5, length = 4, take = {name = 'DI.mp3',\n"
             "  source = {type = 'MP3', sample_rate = 48000, channels = 2, bit_depth = 16}}})\n"
             "source = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(item))"});
    }
    sim::Host host;
    Environment env{host};
};

TEST(Scripts, SeeWhatTheSimTableBuildsAndObserves) {
    const Case cases[] = {
        {"local before = reaper.CF_GetMediaSourceBitDepth sim.set_sws_installed(true)\n"
         "local depth = reaper.CF_GetMediaSourceBitDepth(source) sim.hide_function('GetTrack')\n"
         "return before, depth, reaper.GetTrack, type(reaper.GetMediaItem)",
         {"nil", "16", "nil", "function"}},
        {"local take = reaper.GetActiveTake(item)\n"
         "local ok, name = reaper.GetSetMediaItemTakeInfo_String(take, 'P_NAME', '', false)\n"
         "sim.set_frame_rate(29.97, true)\n"
         "return ok, name, reaper.GetMediaSourceType(source), reaper.TimeMap_curFrameRate(0)",
         {"true", "DI.mp3", "MP3", "29.97", "true"}},
        {"sim.select_item(item, false) sim.select_track(track, false) sim.clear_call_log()\n"
         "sim.fail_parameter_writes('D_VOL') reaper.UpdateArrange() reaper.ShowConsoleMsg('')\n"
         "local ok = reaper.SetMediaItemInfo_Value(item, 'D_VOL', 2)\n"
         "return ok, reaper.CountSelectedMediaItems(0), reaper.CountSelectedTracks(0),\n"
         "  sim.call_log()[1]['function'], sim.call_log()[3].detail, "
         "sim.calls_to('UpdateArrange'),\n"
         "  sim.redraw_count(), #sim.console()",
         {"false", "0", "0", "UpdateArrange", "D_VOL", "1", "1", "0"}},
        // A destroyed source is a stale handle; InsertMedia reads only files it knows.
        {"local src = sim.add_source('FLAC') local unowned = sim.unowned_sources()\n"
         "reaper.PCM_Source_Destroy(src) sim.add_media_file('a.wav', {type = 'WAVE', length = 2})\n"
         "local _, err = pcall(reaper.GetMediaSourceNumChannels, src)\n"
         "local a, b = reaper.InsertMedia('a.wav', 0), reaper.InsertMedia('b.wav', 0)\n"
         "return unowned, err, a, b, sim.sources_created(), sim.sources_destroyed(), #sim.misuse()",
         {"1", "GetMediaSourceNumChannels argument 1: expected PCM_source*", "1", "0", "1", "1",
          "0"}},
        {"sim.add_item(nil, {})", {}, "sim.add_item argument 1: expected a live MediaTrack"},
        {"sim.delete_track(1)", {}, "sim.delete_track argument 1: expected a live MediaTrack"},
        {"sim.add_item(track, {length = 'long'})",
         {},
         "sim.add_item options: field 'length' must be a number"},
        {"sim.add_item(track, {takes = {{source = 5}}})",
         {},
         "sim.add_item options.takes[1].source must be a table"},
    };
    for (const Case& c : cases) testing::expect_case(Script().env.state(), c);

    Script script;
    testing::expect_case(script.env.state(), {"sim.set_frame_rate(25)"});
    testing::expect_case(script.env.state(), {"return sim.dump_text()", {script.host.dump()}});
    const std::string text = readable_dump(*script.host.current_project(), true);
    EXPECT_THAT(text, HasSubstr("(current): frame rate 25"));
    EXPECT_THAT(text, HasSubstr("Track 1 \"Bass\" (selected), 1 item\n"));
    EXPECT_THAT(text, HasSubstr("    1.500     4.000  1.000"));
    EXPECT_THAT(text, HasSubstr("DI.mp3             MP3 48000Hz 2ch 16bit"));
}

}  // namespace
}  // namespace reaper_sim
