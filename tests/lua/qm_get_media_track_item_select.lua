-- reaper.QM_GetMediaTrackItemSelect(proj, trackID, itemID, mediaTypeID): 0 picks the track by
-- its index, 1 by its index among the selected tracks; itemID always counts every item on the
-- track. Anything else finds nothing. Wrong arguments raise errors naming the argument.
local check = require("support.check")
local layout = require("support.layout")
local F = "QM_GetMediaTrackItemSelect"

-- The built-in project, by its handle while another is current (its items are valid only
-- while it is current).
local built_in = sim.current_project()
local project = layout.build()
local harmony = reaper.QM_GetMediaTrackItemSelect(built_in, 2, 1, 0)
local breath = reaper.QM_GetMediaTrackItemSelect(built_in, 1, 2, 1)
sim.set_current_project(built_in)
check.eq(harmony, reaper.GetTrackMediaItem(reaper.GetTrack(0, 2), 1), "built-in track 2 item 1")
check.eq(check.take_name(harmony), "Harmony.ogg", "built-in track 2 item 1's name")
check.eq(check.take_name(breath), "Breath.wav", "built-in selected track 1 item 2")
sim.set_current_project(project)

local function host_lookup(proj, t, i, media_type)
  local track = media_type == 0 and reaper.GetTrack(proj, t) or reaper.GetSelectedTrack(proj, t)
  return track and reaper.GetTrackMediaItem(track, i)
end

local forms = {{0, "track", layout.by_track(false, false)},
               {1, "selected track", layout.by_track(true, false)}}
for _, p in ipairs({{project, "handle"}, {0, "0"}, {nil, "nil"}}) do
  for _, form in ipairs(forms) do
    local media_type, label, tracks = table.unpack(form)
    label = label .. ", project " .. p[2]
    for t, names in ipairs(tracks) do
      for i, expected in ipairs(names) do
        local what = ("%s %d item %d"):format(label, t - 1, i - 1)
        local item = reaper.QM_GetMediaTrackItemSelect(p[1], t - 1, i - 1, media_type)
        check.eq(check.take_name(item), expected, what)
        check.eq(item, host_lookup(p[1], t - 1, i - 1, media_type), what .. ": the host's handle")
      end
      for _, i in ipairs({#names, -1, 2147483647}) do
        check.eq(reaper.QM_GetMediaTrackItemSelect(p[1], t - 1, i, media_type), nil,
                 ("%s %d item %d"):format(label, t - 1, i))
      end
    end
    for _, t in ipairs({#tracks, -1, -2147483648}) do
      check.eq(reaper.QM_GetMediaTrackItemSelect(p[1], t, 0, media_type), nil, label .. " " .. t)
    end
  end
end
-- Selected track 1 is T2, which has no items; selected track 2 is T3.
check.eq(reaper.QM_GetMediaTrackItemSelect(0, 1, 0, 1), nil, "selected track without items")
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 2, 0, 1)), "t3i0",
         "an unselected item on a selected track")
for _, media_type in ipairs({2, -1, 7, 2147483647}) do
  check.eq(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, media_type), nil, "type " .. media_type)
end

local track = reaper.GetTrack(0, 0)
local errors = {
  {{0, "a", 0, 0}, 2, "integer"}, {{0, 0, "b", 0}, 3, "integer"}, {{0, 0, 0, "c"}, 4, "integer"},
  {{0, 0, 0}, 4, "integer"}, {{0, track, 0, 0}, 2, "integer"},
  {{track, 0, 0, 0}, 1, "ReaProject*"},
}
for i, e in ipairs(errors) do
  check.raises(("%s argument %d: expected %s"):format(F, e[2], e[3]), "wrong arguments " .. i,
               reaper[F], table.unpack(e[1], 1, 4))
end

-- Track selection made by a script is seen at once.
reaper.SetOnlyTrackSelected(reaper.GetTrack(0, 4))
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 1)), "t4i0", "only T4 selected")
check.eq(reaper.QM_GetMediaTrackItemSelect(0, 1, 0, 1), nil, "no second selected track")

-- Moving an item to another track changes what the track forms find.
local moved = reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 0)
check.eq(reaper.MoveMediaItemToTrack(moved, reaper.GetTrack(0, 2)), true, "move")
check.eq(reaper.QM_GetMediaTrackItemSelect(0, 2, 0, 0), moved, "moved item found on track 2")
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 0, 0, 0)), "t0i1", "T0 after it")

-- A deleted track: its items' handles are stale, the next track moves up.
local gone = reaper.QM_GetMediaTrackItemSelect(0, 3, 1, 0)
sim.delete_track(reaper.GetTrack(0, 3))
check.raises("GetActiveTake argument 1: expected MediaItem*", "item of a deleted track",
             reaper.GetActiveTake, gone)
check.eq(check.take_name(reaper.QM_GetMediaTrackItemSelect(0, 3, 0, 0)), "t4i0", "T4 moved up")

check.done()
