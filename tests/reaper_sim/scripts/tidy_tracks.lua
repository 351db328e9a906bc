-- Walks the tracks: names unnamed ones after their number, reports folders, adds a "Print" track
-- at the end holding the Bass items, removes tracks left empty and adjusts track settings.
local r = reaper

for i = 0, r.CountTracks(0) - 1 do
  local track = r.GetTrack(0, i)
  local _, name = r.GetSetMediaTrackInfo_String(track, "P_NAME", "", false)
  if name == "" then
    local _, shown = r.GetTrackName(track)
    r.GetSetMediaTrackInfo_String(track, "P_NAME", shown .. " (named)", true)
  end
  local parent = r.GetParentTrack(track)
  local number = math.floor(r.GetMediaTrackInfo_Value(track, "IP_TRACKNUMBER"))
  local _, shown = r.GetTrackName(track)
  r.ShowConsoleMsg(string.format("%d %s%s\n", number, shown,
    parent and (" in " .. select(2, r.GetTrackName(parent))) or ""))
end

local count = r.CountTracks(0)
r.InsertTrackAtIndex(count, true)
local print_track = r.GetTrack(0, count)
r.GetSetMediaTrackInfo_String(print_track, "P_NAME", "Print", true)
r.SetMediaTrackInfo_Value(print_track, "D_VOL", 0.5)

local bass
for i = 0, r.CountTracks(0) - 1 do
  local track = r.GetTrack(0, i)
  if select(2, r.GetTrackName(track)) == "Bass" then bass = track end
end
for i = r.CountTrackMediaItems(bass) - 1, 0, -1 do
  local item = r.GetTrackMediaItem(bass, i)
  r.MoveMediaItemToTrack(item, print_track)
  r.GetSetMediaItemInfo_String(item, "P_NOTES", "from " .. r.GetTrackGUID(bass)
    .. " to " .. r.GetTrackGUID(print_track), true)
end
-- Tracks left without items go, walking backwards so the indices stay valid.
for i = r.CountTracks(0) - 1, 0, -1 do
  local track = r.GetTrack(0, i)
  if r.CountTrackMediaItems(track) == 0 then r.DeleteTrack(track) end
end
r.SetOnlyTrackSelected(print_track)
r.TrackList_AdjustWindows(false)
