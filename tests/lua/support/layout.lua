-- A project made for the lookup tests: which tracks and items are selected is chosen so that
-- every index form picks something different. Each item's take is named t<track>i<item>
-- (0-based), so a test can tell which item a lookup found.
local layout = {}

local tracks = {
  {selected = true, items = {true, false, true}},
  {selected = false, items = {false, true}},
  {selected = true, items = {}},
  {selected = true, items = {false, true}},
  {selected = false, items = {false}},
}

-- Builds the project, makes it current and returns its handle.
function layout.build()
  local project = sim.add_project("lookup")
  sim.set_current_project(project)
  for t, desc in ipairs(tracks) do
    local track = sim.add_track{name = "T" .. (t - 1), selected = desc.selected}
    for i, selected in ipairs(desc.items) do
      sim.add_item(track, {position = i, length = 1, selected = selected,
                           take = {name = ("t%di%d"):format(t - 1, i - 1), source = "WAVE"}})
    end
  end
  return project
end

-- Expected take names per track: every track, or only the selected ones; every item, or only
-- the selected ones.
function layout.by_track(selected_tracks, selected_items)
  local out = {}
  for t, desc in ipairs(tracks) do
    if desc.selected or not selected_tracks then
      local names = {}
      for i, selected in ipairs(desc.items) do
        if selected or not selected_items then
          names[#names + 1] = ("t%di%d"):format(t - 1, i - 1)
        end
      end
      out[#out + 1] = names
    end
  end
  return out
end

-- The same, as one list counted track by track.
function layout.flat(selected_items)
  local out = {}
  for _, names in ipairs(layout.by_track(false, selected_items)) do
    table.move(names, 1, #names, #out + 1, out)
  end
  return out
end

return layout
