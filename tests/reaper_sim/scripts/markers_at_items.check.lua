-- The saved project of markers_at_items.lua, reloaded: markers at the selected kick (0 s), bass
-- (0.5 s) and snare (1 s), a region over 0..5.5 s, which is the time selection.
local r = reaper
local total, markers, regions = r.CountProjectMarkers(0)
assert(total == 4 and markers == 3 and regions == 1, total)
local seen = {}
for i = 0, total - 1 do
  local retval, isrgn, pos, rgnend, name, number = r.EnumProjectMarkers3(0, i)
  assert(retval == i + 1)
  seen[name] = {isrgn = isrgn, pos = pos, rgnend = rgnend, number = number}
end
assert(seen["kick room"].pos == 0 and not seen["kick room"].isrgn)
assert(seen["bass"].pos == 0.5 and seen["snare"].pos == 1)
assert(seen["Selection"].isrgn and seen["Selection"].pos == 0 and seen["Selection"].rgnend == 5.5)
assert(seen["Selection"].number == 1)
local numbers = {}
for _, name in ipairs({"kick room", "bass", "snare"}) do numbers[seen[name].number] = true end
assert(numbers[1] and numbers[2] and numbers[3])
local marker, region = r.GetLastMarkerAndCurRegion(0, 0.75)
assert(select(5, r.EnumProjectMarkers3(0, marker)) == "bass")
assert(select(5, r.EnumProjectMarkers3(0, region)) == "Selection")
local start, finish = r.GetSet_LoopTimeRange(false, false, 0, 0, false)
assert(start == 0 and finish == 5.5)
assert(r.GetCursorPosition() == 5.5)
