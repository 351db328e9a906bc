-- The host's own functions, marshalled from REAPER's definition texts, answer as REAPER does on
-- the built-in project; scripts check QM_ results with them.
local check = require("support.check")

local kick = reaper.GetMediaItem(0, 0)
local kick_take = reaper.GetActiveTake(kick)
local loop = reaper.GetMediaItem(0, 2)

check.eq(reaper.CountMediaItems(0), 10, "items")
check.eq(reaper.CountSelectedMediaItems(0), 4, "selected items")
check.eq(reaper.CountSelectedTracks(0), 2, "selected tracks")
check.eq(reaper.CountTrackMediaItems(reaper.GetTrack(0, 2)), 3, "items on Vocals")
check.is_nil(reaper.GetTrack(0, 5), "no sixth track")

-- Doubles come back as Lua floats, ints as integers.
check.eq(reaper.GetMediaItemInfo_Value(loop, "D_POSITION"), 4.0, "Loop position")
check.eq(reaper.GetMediaItemInfo_Value(loop, "D_LENGTH"), 8.0, "Loop length")
check.eq(reaper.GetMediaItemInfo_Value(loop, "D_VOL"), 0.5, "Loop volume")
check.eq(reaper.GetMediaItemInfo_Value(loop, "B_UISEL"), 1.0, "Loop selected")
check.eq(reaper.GetMediaItemTakeInfo_Value(reaper.GetActiveTake(loop), "D_PLAYRATE"), 1.25,
         "Loop rate")
check.near(reaper.GetMediaItemInfo_Value(kick, "D_FADEINLEN"), 0.01, "Kick fade in")
check.eq(reaper.GetMediaTrackInfo_Value(reaper.GetTrack(0, 0), "I_SELECTED"), 1.0, "Drums sel")

local ok, name = reaper.GetSetMediaItemTakeInfo_String(kick_take, "P_NAME", "", false)
check.eq(ok, true, "get P_NAME")
check.eq(name, "Kick.wav", "P_NAME")
check.eq(reaper.GetTakeName(kick_take), "Kick.wav", "GetTakeName")

local source = reaper.GetMediaItemTake_Source(kick_take)
check.eq(reaper.GetMediaSourceType(source), "WAVE", "source type")
check.eq(reaper.GetMediaSourceSampleRate(source), 48000, "sample rate")
check.eq(reaper.GetMediaSourceNumChannels(source), 1, "channels")

local types = {}
for i = 0, reaper.CountMediaItems(0) - 1 do
  local src = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(reaper.GetMediaItem(0, i)))
  types[reaper.GetMediaSourceType(src)] = true
end
for _, t in ipairs({"WAVE", "MP3", "MIDI", "VIDEO", "FLAC", "VORBIS"}) do
  check.eq(types[t], true, "built-in project has a " .. t .. " source")
end

local rate, drop = reaper.TimeMap_curFrameRate(0)
check.eq(rate, 30.0, "frame rate")
check.eq(drop, false, "drop frame")
check.eq(reaper.GetCursorPositionEx(0), 4.0, "edit cursor")
check.eq(reaper.GetPlayState(), 0, "stopped")

-- SWS: absent until installed.
check.is_nil(reaper.CF_GetMediaSourceBitDepth, "no SWS")
sim.set_sws_installed(true)
check.eq(reaper.CF_GetMediaSourceBitDepth(source), 24, "bit depth through SWS")

-- Editing through the host is visible to the next lookup.
check.eq(reaper.SetMediaItemInfo_Value(kick, "D_VOL", 0.25), true, "set volume")
check.eq(reaper.GetMediaItemInfo_Value(kick, "D_VOL"), 0.25, "volume written")
sim.fail_parameter_writes("D_VOL")
check.eq(reaper.SetMediaItemInfo_Value(kick, "D_VOL", 1), false, "failing write")
check.eq(reaper.GetMediaItemInfo_Value(kick, "D_VOL"), 0.25, "volume unchanged")

local before = sim.redraw_count()
reaper.UpdateArrange()
check.eq(sim.redraw_count(), before + 1, "redraw counted")

reaper.SetOnlyTrackSelected(reaper.GetTrack(0, 1))
check.eq(reaper.InsertMedia("Shaker.wav", 0) ~= 0, true, "insert a known file")
local bass = reaper.GetTrack(0, 1)
check.eq(reaper.CountTrackMediaItems(bass), 3, "one more item on the selected track")
local inserted
for i = 0, reaper.CountTrackMediaItems(bass) - 1 do
  local it = reaper.GetTrackMediaItem(bass, i)
  local src = reaper.GetMediaItemTake_Source(reaper.GetActiveTake(it))
  if reaper.GetMediaSourceType(src) == "WAVE" then inserted = it end
end
check.eq(inserted ~= nil and reaper.GetMediaItemInfo_Value(inserted, "D_POSITION"), 4.0,
         "inserted at the edit cursor")
check.eq(reaper.InsertMedia("does-not-exist.wav", 0), 0, "an unreadable file")

sim.push_message_box_answer(6)
check.eq(reaper.ShowMessageBox("Continue?", "Demo", 4), 6, "Yes")
check.eq(reaper.ShowMessageBox("Again?", "Demo", 4), 7, "No when nothing is queued")
check.eq(#sim.message_boxes(), 2, "two boxes shown")
check.eq(sim.message_boxes()[1].text, "Continue?", "first box")

check.done()
