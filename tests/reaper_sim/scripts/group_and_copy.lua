-- Groups the items of the selected tracks, then copies them to the edit cursor moved past the
-- project's end, on the same tracks, with REAPER's actions.
local r = reaper
r.Undo_BeginBlock()
r.Main_OnCommand(40289, 0) -- Item: Unselect all items
for t = 0, r.CountSelectedTracks(0) - 1 do
  local track = r.GetSelectedTrack(0, t)
  for i = 0, r.CountTrackMediaItems(track) - 1 do
    r.SetMediaItemSelected(r.GetTrackMediaItem(track, i), true)
  end
end
r.Main_OnCommand(40032, 0) -- Item grouping: Group items
r.Main_OnCommand(40698, 0) -- Edit: Copy items
r.Main_OnCommand(40914, 0) -- Track: Set first selected track as last touched track
r.SetEditCurPos2(0, r.GetProjectLength(0) + 1, false, false)
r.Main_OnCommand(42398, 0) -- Item: Paste items/tracks
r.Undo_EndBlock("Group and copy items", -1)
