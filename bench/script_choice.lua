-- A script author's choice, timed through reaper-sim: one QM_ call per item against the same
-- value composed in Lua from REAPER's raw calls, over 10,000 items on one track.
--   build/reaper-sim run bench/script_choice.lua
-- Until QM_GetMediaVolume is registered, the start time stands in for it (the same shape of work:
-- find the item, read one parameter), so the harness itself can be checked.
local N = 10000
local REPEATS = 5

local project = sim.add_project("bench")
sim.set_current_project(project)
local track = sim.add_track("Many")
for i = 0, N - 1 do
  sim.add_item(track, {position = i, length = 1, vol = 0.25 + (i % 7) * 0.25})
end
-- A plain run records no host calls (the call log is opt-in), so this is how any script runs.

-- qm_utility::round to two places: halves away from zero, through the largest double below 1/2.
local function round2(value)
  local x = value * 100
  if x >= 0 then return math.floor(x + 0.49999999999999994) / 100 end
  return -math.floor(-x + 0.49999999999999994) / 100
end

local subject, qm, composed
if reaper.QM_GetMediaVolume then
  subject = "QM_GetMediaVolume against GetMediaItem + GetMediaItemInfo_Value(D_VOL) + log10 + round"
  qm = function()
    local sum, get = 0, reaper.QM_GetMediaVolume
    for i = 0, N - 1 do
      local _, db = get(0, i)
      sum = sum + db
    end
    return sum
  end
  composed = function()
    local sum, item_at, value, log = 0, reaper.GetMediaItem, reaper.GetMediaItemInfo_Value, math.log
    for i = 0, N - 1 do
      sum = sum + round2(20 * log(value(item_at(0, i), "D_VOL"), 10))
    end
    return sum
  end
else
  subject = "QM_GetMediaStartTimeSeconds against GetMediaItem + GetMediaItemInfo_Value(D_POSITION)"
  qm = function()
    local sum, get = 0, reaper.QM_GetMediaStartTimeSeconds
    for i = 0, N - 1 do
      local _, seconds = get(0, i)
      sum = sum + seconds
    end
    return sum
  end
  composed = function()
    local sum, item_at, value = 0, reaper.GetMediaItem, reaper.GetMediaItemInfo_Value
    for i = 0, N - 1 do sum = sum + value(item_at(0, i), "D_POSITION") end
    return sum
  end
end

local function best_of(run)
  local best, result = math.huge, nil
  for _ = 1, REPEATS do
    local start = os.clock()
    result = run()
    best = math.min(best, os.clock() - start)
  end
  return best, result
end

local qm_time, qm_sum = best_of(qm)
local composed_time, composed_sum = best_of(composed)
if math.abs(qm_sum - composed_sum) > 1e-6 * math.abs(composed_sum) then
  error(string.format("the two ways disagree: %.17g against %.17g", qm_sum, composed_sum))
end

-- One host function from Lua, alone: what reaper-sim adds to every call.
local item = reaper.GetMediaItem(0, N - 1)
local host_call_time = best_of(function()
  local value = reaper.GetMediaItemInfo_Value
  for _ = 1, N do value(item, "D_VOL") end
end)

print(subject)
print(string.format("  QM_ call          %8.3f us per item", qm_time / N * 1e6))
print(string.format("  Lua composition   %8.3f us per item", composed_time / N * 1e6))
print(string.format("  ratio             %8.2fx (target >= 2x)", composed_time / qm_time))
print(string.format("  host call from Lua (GetMediaItemInfo_Value) %.3f us", host_call_time / N * 1e6))
