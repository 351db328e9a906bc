-- Wrong arguments to the QM_ functions raise Lua errors naming the function and the argument;
-- nothing a script passes crashes the host.
local check = require("support.check")

local item = reaper.GetMediaItem(0, 0)
local track = reaper.GetTrack(0, 0)
local take = reaper.GetActiveTake(item)

local cases = {
  -- function, arguments, expected error (nil: the call succeeds)
  {"QM_GetMediaItemSelect", {0, "x", 0}, "argument 2: expected integer"},
  {"QM_GetMediaItemSelect", {0, 0}, "argument 3: expected integer"},
  {"QM_GetMediaItemSelect", {}, "argument 2: expected integer"},
  {"QM_GetMediaItemSelect", {0, 0, nil}, "argument 3: expected integer"},
  {"QM_GetMediaItemSelect", {0, 0, false}, "argument 3: expected integer"},
  {"QM_GetMediaItemSelect", {0, {}, 0}, "argument 2: expected integer"},
  {"QM_GetMediaItemSelect", {0, 2^40, 0}, "argument 2: expected integer"},
  {"QM_GetMediaItemSelect", {0, 0, 0/0}, "argument 3: expected integer"},
  {"QM_GetMediaItemSelect", {0, "0", 0}, "argument 2: expected integer"},
  {"QM_GetMediaItemSelect", {"project", 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {1, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {true, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {{}, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {item, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {track, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {take, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaItemSelect", {print, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaTrackItemSelect", {0, "a", 0, 0}, "argument 2: expected integer"},
  {"QM_GetMediaTrackItemSelect", {0, 0, "b", 0}, "argument 3: expected integer"},
  {"QM_GetMediaTrackItemSelect", {0, 0, 0, "c"}, "argument 4: expected integer"},
  {"QM_GetMediaTrackItemSelect", {0, 0, 0}, "argument 4: expected integer"},
  {"QM_GetMediaTrackItemSelect", {track, 0, 0, 0}, "argument 1: expected ReaProject*"},
  {"QM_GetMediaTrackItemSelect", {0, track, 0, 0}, "argument 2: expected integer"},
  -- Accepted: integral floats, numbers for null handles, extra arguments.
  {"QM_GetMediaItemSelect", {0, 1.0, 0.0}},
  {"QM_GetMediaItemSelect", {0.0, 0, 0}},
  {"QM_GetMediaItemSelect", {0, 0, 0, "ignored", {}}},
  {"QM_GetMediaTrackItemSelect", {nil, 0, 0, 1}},
}

for _, case in ipairs(cases) do
  local name, args, message = case[1], case[2], case[3]
  local what = name .. " case " .. _
  if message then
    check.raises(name .. " " .. message, what, reaper[name], table.unpack(args, 1, 5))
  else
    check.succeeds(what, reaper[name], table.unpack(args, 1, 5))
  end
end

-- The accepted forms find what the plain ones do.
check.eq(reaper.QM_GetMediaItemSelect(0, 1.0, 0.0), reaper.QM_GetMediaItemSelect(0, 1, 0),
         "integral floats")
check.eq(reaper.QM_GetMediaItemSelect(0.0, 0, 0), item, "0.0 is the current project")

-- A failed call leaves everything as it was: the script carries on.
check.eq(reaper.CountMediaItems(0), 10, "the project is untouched")
check.eq(check.take_name(reaper.QM_GetMediaItemSelect(0, 0, 0)), "Kick.wav", "still working")

check.done()
