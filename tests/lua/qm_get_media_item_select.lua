-- reaper.QM_GetMediaItemSelect(proj, itemID, mediaTypeID) as a script sees it: 0 counts every
-- item of the project, 1 only the selected ones; anything else finds nothing.
local check = require("support.check")
local layout = require("support.layout")

local built_in = sim.current_project()
local project = layout.build()

local project_forms = {{project, "project handle"}, {0, "0"}, {nil, "nil"}}
local index_forms = {
  {0, "all items", layout.all_items(), reaper.GetMediaItem},
  {1, "selected items", layout.selected_items(), reaper.GetSelectedMediaItem},
}

for _, p in ipairs(project_forms) do
  for _, form in ipairs(index_forms) do
    local media_type, label, names, host_lookup = form[1], form[2], form[3], form[4]
    for i, expected in ipairs(names) do
      local what = string.format("%s #%d, project %s", label, i - 1, p[2])
      local item = reaper.QM_GetMediaItemSelect(p[1], i - 1, media_type)
      check.eq(check.take_name(item), expected, what)
      check.eq(item, host_lookup(p[1], i - 1), what .. ": same handle as the host's lookup")
    end
    check.is_nil(reaper.QM_GetMediaItemSelect(p[1], #names, media_type),
                 label .. ": one past the last, project " .. p[2])
    check.is_nil(reaper.QM_GetMediaItemSelect(p[1], -1, media_type),
                 label .. ": negative index, project " .. p[2])
    check.is_nil(reaper.QM_GetMediaItemSelect(p[1], 2147483647, media_type),
                 label .. ": largest index, project " .. p[2])
  end
end

for _, media_type in ipairs({2, 3, -1, 100, 2147483647, -2147483648}) do
  check.is_nil(reaper.QM_GetMediaItemSelect(0, 0, media_type), "mediaTypeID " .. media_type)
end

-- A project other than the current one, by its handle. Its items are not valid in the current
-- project, so their names are read with that project made current for a moment.
local function name_in(proj, item)
  local current = sim.current_project()
  sim.set_current_project(proj)
  local name = check.take_name(item)
  sim.set_current_project(current)
  return name
end
local other = reaper.QM_GetMediaItemSelect(built_in, 0, 0)
check.eq(other, reaper.GetMediaItem(built_in, 0), "built-in project, first item")
check.eq(name_in(built_in, other), "Kick.wav", "built-in project, first item's name")
check.eq(name_in(built_in, reaper.QM_GetMediaItemSelect(built_in, 1, 1)), "Loop.flac",
         "built-in project, second selected item")
check.raises("GetActiveTake argument 1: expected MediaItem*", "item of a project not current",
             reaper.GetActiveTake, other)

-- Selection made by a script is seen at once.
reaper.SetMediaItemSelected(reaper.QM_GetMediaItemSelect(0, 1, 0), true)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 1, 1)), "t0i1", "newly selected item")
reaper.SetMediaItemSelected(reaper.QM_GetMediaItemSelect(0, 0, 1), false)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 1)), "t0i1", "after unselecting")

-- A deleted item: the next one moves up, and the old handle is stale everywhere.
local victim = reaper.QM_GetMediaItemSelect(0, 0, 0)
check.eq(reaper.DeleteTrackMediaItem(reaper.GetMediaItem_Track(victim), victim), true, "delete")
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0)), "t0i1", "after deleting")
check.raises("GetMediaItemInfo_Value argument 1: expected MediaItem*", "stale item",
             reaper.GetMediaItemInfo_Value, victim, "D_POSITION")
check.raises("QM_GetMediaItemSelect argument 1: expected ReaProject*", "stale item as project",
             reaper.QM_GetMediaItemSelect, victim, 0, 0)

-- A closed project's handle is stale too.
sim.close_project(project)
check.raises("QM_GetMediaItemSelect argument 1: expected ReaProject*", "closed project",
             reaper.QM_GetMediaItemSelect, project, 0, 0)
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0)), "Kick.wav",
         "the built-in project is current again")

check.done()
