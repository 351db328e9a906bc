// State chunks as a script sees them, on a track "Bass" holding one item at 1.5 s whose two
// takes play MP3 files.
#include <gtest/gtest.h>

#include "environment.h"
#include "lua_eval.h"
#include "sim/host.h"

namespace reaper_sim {
namespace {

using testing::Case;

struct Session {
    Session() {
        sim::ItemSpec item;
        item.position = 1.5;
        item.length = 4.0;
        item.takes.resize(2);
        item.takes[0].name = "DI.mp3";
        item.takes[0].source = sim::SourceSpec{"MP3", "DI.mp3"};
        item.takes[1].name = "Amp.mp3";
        item.takes[1].source = sim::SourceSpec{"MP3", "Amp.mp3"};
        item.active_take = 1;
        host.add_item(host.add_track(nullptr, "Bass"), item);
        testing::expect_case(env.state(), {"item = reaper.GetMediaItem(0, 0)\n"
                                           "track = reaper.GetTrack(0, 0)\n"
                                           "take = reaper.GetActiveTake(item)"});
    }
    sim::Host host;
    Environment env{host};
};

TEST(Chunks, AnswerAsReaperDoes) {
    const Case cases[] = {
        // One <ITEM block, lines unindented, ending ">\n"; later takes start with TAKE.
        {"local ok, chunk = reaper.GetItemStateChunk(item, '', false)\n"
         "return ok, chunk:sub(1, 6), chunk:sub(-2), chunk:match('\\nPOSITION ([^\\n]*)\\n'),\n"
         "  chunk:match('\\nTAKE[^\\n]-\\nNAME ([^\\n]*)'), chunk:find('\\n ') == nil,\n"
         "  chunk:match('\\nIGUID ({%x+%-%x+%-%x+%-%x+%-%x+})\\n') ~= nil",
         {"true", "<ITEM\n", ">\n", "1.5", "Amp.mp3", "true", "true"}},
        // A changed chunk goes back in place: same handle and track, takes made anew.
        {"local _, chunk = reaper.GetItemStateChunk(item, '', false)\n"
         "chunk = chunk:gsub('\\nPOSITION [^\\n]*', '\\nPOSITION 3'):gsub('\\nMUTE %d', '\\nMUTE "
         "1')\n"
         "local ok = reaper.SetItemStateChunk(item, chunk, false)\n"
         "return ok, reaper.GetMediaItemInfo_Value(item, 'D_POSITION'),\n"
         "  reaper.GetMediaItemInfo_Value(item, 'B_MUTE'), reaper.CountTakes(item),\n"
         "  reaper.GetTakeName(reaper.GetActiveTake(item)), reaper.GetMediaItem_Track(item) == "
         "track,\n"
         "  reaper.ValidatePtr2(0, take, 'MediaItem_Take*')",
         {"true", "3.0", "1.0", "2", "Amp.mp3", "true", "false"}},
        // Leading whitespace is accepted; what is not an item block changes nothing.
        {"local _, chunk = reaper.GetItemStateChunk(item, '', false)\n"
         "local indented = chunk:gsub('\\n', '\\n  '):gsub('  $', '')\n"
         "local a = reaper.SetItemStateChunk(item, '  ' .. indented, false)\n"
         "local b = reaper.SetItemStateChunk(item, '<TRACK\\n>\\n', false)\n"
         "local c = reaper.SetItemStateChunk(item, '', false)\n"
         "local d = reaper.SetItemStateChunk(item, chunk:sub(1, -3), false)\n"
         "local _, after = reaper.GetItemStateChunk(item, '', false)\n"
         "return a, b, c, d, after == chunk",
         {"true", "false", "false", "false", "true"}},
        {"reaper.GetItemStateChunk(nil, '', false)",
         {},
         "bad argument #1 to 'GetItemStateChunk' (MediaItem expected)"},
        {"reaper.GetTrackStateChunk(nil, '', false)",
         {},
         "bad argument #1 to 'GetTrackStateChunk' (MediaTrack expected)"},
    };
    for (const Case& c : cases) {
        Session s;
        testing::expect_case(s.env.state(), c);
    }
}

}  // namespace
}  // namespace reaper_sim
