-- What the item lookups find in the current project.
--
--   reaper-sim run examples/demo.lua            (the built-in demo project)
--
-- Walks the selected items with reaper.QM_GetMediaItemSelect(proj, index, 1) and every item on
-- each selected track with reaper.QM_GetMediaTrackItemSelect(proj, trackIndex, itemIndex, 1),
-- and prints what REAPER knows about each item found. It uses only REAPER's own functions and
-- the extension's, so it runs unchanged in REAPER with the extension installed.

local CURRENT_PROJECT = 0
local SELECTED = 1 -- mediaTypeID: count selected items / selected tracks (0 counts all)

local function out(text)
  reaper.ShowConsoleMsg(text .. "\n")
end

-- REAPER numbers tracks from 1 in its track list.
local function track_number(track)
  local i = 0
  while true do
    local t = reaper.GetTrack(CURRENT_PROJECT, i)
    if t == nil then return 0 end
    if t == track then return i + 1 end
    i = i + 1
  end
end

local frame_rate = reaper.TimeMap_curFrameRate(CURRENT_PROJECT)

local function timecode(seconds)
  local frames = math.floor(seconds * frame_rate + 0.5)
  local fps = math.floor(frame_rate + 0.5)
  local s = frames // fps
  return string.format("%d:%02d:%02d:%02d", s // 3600, s // 60 % 60, s % 60, frames % fps)
end

local function describe(item)
  local take = reaper.GetActiveTake(item)
  local source = take and reaper.GetMediaItemTake_Source(take)
  return {
    item = item,
    track = track_number(reaper.GetMediaItem_Track(item)),
    take = take and reaper.GetTakeName(take) or "(no take)",
    source = source and reaper.GetMediaSourceType(source) or "-",
    position = reaper.GetMediaItemInfo_Value(item, "D_POSITION"),
    length = reaper.GetMediaItemInfo_Value(item, "D_LENGTH"),
    selected = reaper.GetMediaItemInfo_Value(item, "B_UISEL") ~= 0,
  }
end

local function print_table(title, rows)
  out(title)
  if #rows == 0 then
    out("  (nothing)")
    return
  end
  local width = #"take"
  for _, r in ipairs(rows) do width = math.max(width, #r.take) end
  local header = "  %5s  %5s  %-" .. width .. "s  %-7s  %11s  %8s  %8s  %s"
  local line = "  %5d  %5d  %-" .. width .. "s  %-7s  %11s  %8.3f  %8.3f  %s"
  out(header:format("track", "index", "take", "source", "timecode", "position", "length",
                    "selected"))
  for _, r in ipairs(rows) do
    out(line:format(r.track, r.index, r.take, r.source, timecode(r.position), r.position,
                    r.length, r.selected and "yes" or "no"))
  end
end

-- Asks `find(index)` for items from index 0 until it answers nil, describing each one found.
local function walk(find, rows)
  local index = 0
  while true do
    local item = find(index)
    if item == nil then return rows end
    local row = describe(item)
    row.index = index
    rows[#rows + 1] = row
    index = index + 1
  end
end

-- 1. The selected items, by their index among the selected items.
local selected_items = walk(function(i)
  return reaper.QM_GetMediaItemSelect(CURRENT_PROJECT, i, SELECTED)
end, {})
print_table(string.format("Selected items (%d):", #selected_items), selected_items)
if #selected_items ~= reaper.CountSelectedMediaItems(CURRENT_PROJECT) then
  error("QM_GetMediaItemSelect found " .. #selected_items .. " selected items, REAPER counts " ..
        reaper.CountSelectedMediaItems(CURRENT_PROJECT))
end

-- 2. Every item on each selected track, selected or not.
out("")
local on_selected_tracks = {}
for track_index = 0, reaper.CountSelectedTracks(CURRENT_PROJECT) - 1 do
  walk(function(i)
    return reaper.QM_GetMediaTrackItemSelect(CURRENT_PROJECT, track_index, i, SELECTED)
  end, on_selected_tracks)
end
print_table(string.format("Items on the %d selected tracks (%d):",
                          reaper.CountSelectedTracks(CURRENT_PROJECT), #on_selected_tracks),
            on_selected_tracks)

-- 3. The length of every item found (once, though both walks may find it), by source type.
out("")
local by_type, total, seen = {}, 0, {}
for _, rows in ipairs({selected_items, on_selected_tracks}) do
  for _, r in ipairs(rows) do
    if not seen[r.item] then
      seen[r.item] = true
      by_type[r.source] = (by_type[r.source] or 0) + r.length
      total = total + r.length
    end
  end
end
local types = {}
for t in pairs(by_type) do types[#types + 1] = t end
table.sort(types)
out(string.format("Length of the items found, by source type (%g fps):", frame_rate))
for _, t in ipairs(types) do
  out(string.format("  %-7s %8.3f s  %s", t, by_type[t], timecode(by_type[t])))
end
out(string.format("  %-7s %8.3f s  %s", "total", total, timecode(total)))
