-- Every function in the reaper table, called with arguments of every wrong kind: each call
-- either raises a Lua error naming the function or returns; none may bring the runner down.
-- Afterwards the host still answers.
local check = require("support.check")

local item = reaper.GetMediaItem(0, 0)
local take = reaper.GetActiveTake(item)
local stale = reaper.AddMediaItemToTrack(reaper.GetTrack(0, 4))
reaper.DeleteTrackMediaItem(reaper.GetTrack(0, 4), stale)
local other_project = sim.add_project("elsewhere")
local foreign = sim.add_item(sim.add_track{project = other_project}, {take = {source = "MP3"}})
local values = {
  0, 1, -1, 7, 2^31, -2^63, 1.5, 0/0, math.huge, "", "D_VOL", "P_NAME", "B_UISEL",
  string.rep("z", 5000), true, false, {}, print, item, take, reaper.GetTrack(0, 1),
  reaper.GetMediaItemTake_Source(take), stale, other_project, foreign, coroutine.create(print),
}

local names = {}
for name, f in pairs(reaper) do
  -- Console output would only be noise here.
  if type(f) == "function" and name ~= "ShowConsoleMsg" then names[#names + 1] = name end
end
table.sort(names)

math.randomseed(20240607)
local calls, errors = 0, 0
for _, name in ipairs(names) do
  for _ = 1, 200 do
    local args, n = {}, math.random(0, 6)
    -- One past the end of `values` picks nil.
    for i = 1, n do args[i] = values[math.random(1, #values + 1)] end
    local ok, err = pcall(reaper[name], table.unpack(args, 1, n))
    calls = calls + 1
    if not ok then
      errors = errors + 1
      if type(err) ~= "string" or not (err:find("^" .. name .. " ") or
          err:find("^bad argument #%d+ to '" .. name .. "' ")) then
        check.eq(err, name .. " ...", "error of " .. name .. " names the function")
      end
    end
  end
end
check.eq(calls, #names * 200, "every call came back")
check.eq(errors > 0 and errors < calls, true, "some calls were refused, some went through")
check.eq(#names >= 40, true, "all host and module functions were tried")

-- Random calls may delete, move or insert items, so only the host's answers are checked.
local count = reaper.CountMediaItems(0)
check.eq(count == 0 or reaper.GetMediaItem(0, count - 1) ~= nil, true, "the last item is reachable")
check.eq(type(sim.dump_text()), "string", "the project still dumps")
check.done()
