-- The saved project of tidy_tracks.lua, reloaded.
local r = reaper
assert(r.CountTracks(0) == 4, r.CountTracks(0))
local names = {}
for i = 0, r.CountTracks(0) - 1 do names[#names + 1] = select(2, r.GetTrackName(r.GetTrack(0, i))) end
assert(table.concat(names, ",") == "Drums,Snare,Track 3 (named),Print", table.concat(names, ","))
local print_track = r.GetTrack(0, 3)
assert(r.CountTrackMediaItems(print_track) == 1)
local item = r.GetTrackMediaItem(print_track, 0)
assert(r.GetMediaItemInfo_Value(item, "D_POSITION") == 0.5)
assert(r.GetTakeName(r.GetActiveTake(item)) == "bass.flac")
assert(r.CountSelectedTracks(0) == 1 and r.GetSelectedTrack(0, 0) == print_track)
-- A loaded track has its file's GUID, a new one the GUID the script saw.
assert(r.GetTrackGUID(r.GetTrack(0, 0)) == "{11111111-0000-4000-8000-000000000001}")
local _, notes = r.GetSetMediaItemInfo_String(item, "P_NOTES", "", false)
assert(notes == "from {11111111-0000-4000-8000-000000000004} to " .. r.GetTrackGUID(print_track),
  notes)
