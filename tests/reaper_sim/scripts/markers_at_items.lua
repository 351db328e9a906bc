-- Drops a marker at the start of every selected item, named after its active take without the
-- file extension (never two at one position), and a region over the whole selection, which
-- becomes the time selection, as shared marker scripts do.
local r = reaper

local count = r.CountSelectedMediaItems(0)
if count == 0 then return end

local taken = {}
local i = 0
repeat
  local retval, isrgn, pos = r.EnumProjectMarkers3(0, i)
  if retval > 0 and not isrgn then taken[pos] = true end
  i = i + 1
until retval == 0

local first, last = math.huge, 0
for i = 0, count - 1 do
  local item = r.GetSelectedMediaItem(0, i)
  local pos = r.GetMediaItemInfo_Value(item, "D_POSITION")
  local len = r.GetMediaItemInfo_Value(item, "D_LENGTH")
  first, last = math.min(first, pos), math.max(last, pos + len)
  local take = r.GetActiveTake(item)
  local name = take and r.GetTakeName(take):gsub("%.[^.]*$", "") or ""
  if not taken[pos] then
    r.AddProjectMarker(0, false, pos, 0, name, -1)
    taken[pos] = true
  end
end
local region = r.AddProjectMarker(0, true, first, last, "Selection", -1)
r.GetSet_LoopTimeRange(true, false, first, last, false)
r.SetEditCurPos(last, true, false)

local total, markers, regions = r.CountProjectMarkers(0)
r.ShowConsoleMsg(("%d markers, %d region (number %d)\n"):format(markers, regions, region))
r.UpdateArrange()
