-- A project made for the lookup tests: which tracks and items are selected is chosen so that
-- every index form picks something different. Each item's take is named t<track>i<item>
-- (0-based), so a test can tell which item a lookup found.
local layout = {}

layout.tracks = {
  {selected = true, items = {true, false, true}},
  {selected = false, items = {false, true}},
  {selected = true, items = {}},
  {selected = true, items = {false, true}},
  {selected = false, items = {false}},
}

local function name(t, i)
  return string.format("t%di%d", t - 1, i - 1)
end

-- Builds the project, makes it current and returns its handle.
function layout.build()
  local project = sim.add_project("lookup")
  sim.set_current_project(project)
  for t, desc in ipairs(layout.tracks) do
    local track = sim.add_track{name = "T" .. (t - 1), selected = desc.selected}
    for i, selected in ipairs(desc.items) do
      sim.add_item(track, {position = i, length = 1, selected = selected,
                           take = {name = name(t, i), source = "WAVE"}})
    end
  end
  return project
end

-- Expected take names, in the order each index form counts them.
function layout.all_items()
  local names = {}
  for t, desc in ipairs(layout.tracks) do
    for i in ipairs(desc.items) do names[#names + 1] = name(t, i) end
  end
  return names
end

function layout.selected_items()
  local names = {}
  for t, desc in ipairs(layout.tracks) do
    for i, selected in ipairs(desc.items) do
      if selected then names[#names + 1] = name(t, i) end
    end
  end
  return names
end

-- Per track (0-based position in the list), every item's name.
function layout.items_by_track()
  local tracks = {}
  for t, desc in ipairs(layout.tracks) do
    local names = {}
    for i in ipairs(desc.items) do names[#names + 1] = name(t, i) end
    tracks[#tracks + 1] = names
  end
  return tracks
end

-- Per selected track, every item's name (selected or not).
function layout.items_by_selected_track()
  local tracks = {}
  for t, desc in ipairs(layout.tracks) do
    if desc.selected then
      local names = {}
      for i in ipairs(desc.items) do names[#names + 1] = name(t, i) end
      tracks[#tracks + 1] = names
    end
  end
  return tracks
end

return layout
