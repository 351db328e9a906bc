-- reaper.QM_GetMediaTrackItemSelect(proj, trackID, itemID, mediaTypeID): 0 picks the track by
-- its index, 1 by its index among the selected tracks; itemID always counts every item on the
-- track. Anything else finds nothing.
local check = require("support.check")
local layout = require("support.layout")

local built_in = sim.current_project()
local project = layout.build()

local function host_track_item(proj, t, i, media_type)
  local track = media_type == 0 and reaper.GetTrack(proj, t) or reaper.GetSelectedTrack(proj, t)
  return track and reaper.GetTrackMediaItem(track, i)
end

local forms = {
  {0, "by track", layout.items_by_track()},
  {1, "by selected track", layout.items_by_selected_track()},
}

for _, p in ipairs({{project, "project handle"}, {0, "0"}, {nil, "nil"}}) do
  for _, form in ipairs(forms) do
    local media_type, label, tracks = form[1], form[2], form[3]
    for t, names in ipairs(tracks) do
      for i, expected in ipairs(names) do
        local what = string.format("%s %d item %d, project %s", label, t - 1, i - 1, p[2])
        local item = reaper.QM_GetMediaTrackItemSelect(p[1], t - 1, i - 1, media_type)
        check.eq(check.take_name(item), expected, what)
        check.eq(item, host_track_item(p[1], t - 1, i - 1, media_type), what .. ": same handle")
      end
      check.is_nil(reaper.QM_GetMediaTrackItemSelect(p[1], t - 1, #names, media_type),
                   string.format("%s %d: one past its last item", label, t - 1))
      check.is_nil(reaper.QM_GetMediaTrackItemSelect(p[1], t - 1, -1, media_type),
                   string.format("%s %d: negative item index", label, t - 1))
    end
    check.is_nil(reaper.QM_GetMediaTrackItemSelect(p[1], #tracks, 0, media_type),
                 label .. ": one past the last track")
    check.is_nil(reaper.QM_GetMediaTrackItemSelect(p[1], -1, 0, media_type),
                 label .. ": negative track index")
  end
end

-- The selected-track form counts only selected tracks: selected track 1 is T2, which has no
-- items, and selected track 2 is T3.
check.is_nil(reaper.QM_GetMediaTrackItemSelect(0, 1, 0, 1), "selected track without items")
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 2, 0, 1)), "t3i0",
         "an unselected item on a selected track")

for _, media_type in ipairs({2, -1, 7, 2147483647}) do
  check.is_nil(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, media_type),
               "mediaTypeID " .. media_type)
end

-- Track selection made by a script is seen at once.
reaper.SetOnlyTrackSelected(reaper.GetTrack(0, 4))
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 1)), "t4i0",
         "only track 4 selected")
check.is_nil(reaper.QM_GetMediaTrackItemSelect(0, 1, 0, 1), "no second selected track")

-- Another project by its handle (its items are valid only while it is current).
local harmony = reaper.QM_GetMediaTrackItemSelect(built_in, 2, 1, 0)
local breath = reaper.QM_GetMediaTrackItemSelect(built_in, 1, 2, 1)
sim.set_current_project(built_in)
check.eq(harmony, reaper.GetTrackMediaItem(reaper.GetTrack(built_in, 2), 1),
         "built-in project, track 2 item 1")
check.eq(check.take_name(harmony), "Harmony.ogg", "built-in project, track 2 item 1's name")
check.eq(check.take_name(breath), "Breath.wav", "built-in project, selected track 1 item 2")
sim.set_current_project(project)

-- Moving an item to another track changes what the track forms find.
local moved = reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 0)
check.eq(reaper.MoveMediaItemToTrack(moved, reaper.GetTrack(0, 2)), true, "move")
check.eq(reaper.QM_GetMediaTrackItemSelect(0, 2, 0, 0), moved, "moved item found on track 2")
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 0)), "t0i1",
         "track 0 after the move")

-- A deleted track: its items' handles are stale.
local gone = reaper.QM_GetMediaTrackItemSelect(0, 3, 1, 0)
sim.delete_track(reaper.GetTrack(0, 3))
check.raises("GetActiveTake argument 1: expected MediaItem*", "item of a deleted track",
             reaper.GetActiveTake, gone)
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 3, 0, 0)), "t4i0",
         "the next track moved up")

check.done()
