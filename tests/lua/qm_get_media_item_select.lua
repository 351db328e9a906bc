-- reaper.QM_GetMediaItemSelect(proj, itemID, mediaTypeID) as a script sees it: 0 counts every
-- item of the project, 1 only the selected ones; anything else finds nothing. Wrong arguments
-- raise errors naming the function and the argument.
local check = require("support.check")
local layout = require("support.layout")
local F = "QM_GetMediaItemSelect"

-- The built-in project, by its handle while another project is current.
local built_in = sim.current_project()
local kick = reaper.GetMediaItem(0, 0)
local project = layout.build()
local other = reaper.QM_GetMediaItemSelect(built_in, 0, 0)
check.eq(other, kick, "built-in project, first item")
check.eq(reaper.QM_GetMediaItemSelect(built_in, 1, 1), reaper.GetSelectedMediaItem(built_in, 1),
         "built-in project, second selected item")
check.raises("GetActiveTake argument 1: expected MediaItem*", "not in the current project",
             reaper.GetActiveTake, other)

local forms = {{0, "all items", layout.flat(false), reaper.GetMediaItem},
               {1, "selected items", layout.flat(true), reaper.GetSelectedMediaItem}}
for _, p in ipairs({{project, "handle"}, {0, "0"}, {nil, "nil"}, {0.0, "0.0"}}) do
  for _, form in ipairs(forms) do
    local media_type, label, names, host_lookup = table.unpack(form)
    label = label .. ", project " .. p[2]
    for i, expected in ipairs(names) do
      local item = reaper.QM_GetMediaItemSelect(p[1], i - 1, media_type)
      check.eq(check.take_name(item), expected, label .. " #" .. (i - 1))
      check.eq(item, host_lookup(p[1], i - 1), label .. " #" .. (i - 1) .. ": the host's handle")
    end
    for _, index in ipairs({#names, -1, 2147483647, -2147483648}) do
      check.eq(reaper.QM_GetMediaItemSelect(p[1], index, media_type), nil, label .. " #" .. index)
    end
  end
end
for _, media_type in ipairs({2, 3, -1, 100, 2147483647, -2147483648}) do
  check.eq(reaper.QM_GetMediaItemSelect(0, 0, media_type), nil, "mediaTypeID " .. media_type)
end
-- Integral floats are integers; extra arguments are ignored.
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 1.0, 1.0)), "t0i2", "integral floats")
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0, "x", {})), "t0i0", "extra arguments")

-- Selection made by a script is seen at once.
reaper.SetMediaItemSelected(reaper.QM_GetMediaItemSelect(0, 1, 0), true)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 1, 1)), "t0i1", "newly selected item")
reaper.SetMediaItemSelected(reaper.QM_GetMediaItemSelect(0, 0, 1), false)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 1)), "t0i1", "after unselecting")

local track, take = reaper.GetTrack(0, 0), reaper.GetActiveTake(reaper.GetMediaItem(0, 0))
local errors = {
  {{0, "x", 0}, 2, "integer"}, {{0, "0", 0}, 2, "integer"}, {{0, {}, 0}, 2, "integer"},
  {{0, 2^40, 0}, 2, "integer"}, {{}, 2, "integer"}, {{0, 0}, 3, "integer"},
  {{0, 0, false}, 3, "integer"}, {{0, 0, 0/0}, 3, "integer"},
  {{"project", 0, 0}, 1, "ReaProject*"}, {{1, 0, 0}, 1, "ReaProject*"},
  {{true, 0, 0}, 1, "ReaProject*"}, {{print, 0, 0}, 1, "ReaProject*"},
  {{track, 0, 0}, 1, "ReaProject*"}, {{take, 0, 0}, 1, "ReaProject*"},
}
for i, e in ipairs(errors) do
  check.raises(("%s argument %d: expected %s"):format(F, e[2], e[3]), "wrong arguments " .. i,
               reaper[F], table.unpack(e[1], 1, 3))
end

-- A deleted item: the next one moves up, and the old handle is stale everywhere.
local victim = reaper.QM_GetMediaItemSelect(0, 0, 0)
check.eq(reaper.DeleteTrackMediaItem(reaper.GetMediaItem_Track(victim), victim), true, "delete")
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0)), "t0i1", "after deleting")
check.raises("GetMediaItemInfo_Value argument 1: expected MediaItem*", "stale item",
             reaper.GetMediaItemInfo_Value, victim, "D_POSITION")
check.raises(F .. " argument 1: expected ReaProject*", "stale as project", reaper[F], victim, 0, 0)

-- A closed project's handle is stale too.
sim.close_project(project)
check.raises(F .. " argument 1: expected ReaProject*", "closed project", reaper[F], project, 0, 0)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0)), "Kick.wav", "built-in again")

check.done()
