-- Checks for the Lua end-to-end tests. Every failure is reported; done() raises an error (so
-- reaper-sim exits 1 and ctest fails) when any check failed or when none ran.
local check = {}
local ran, failed = 0, 0

local function fail(what, message)
  failed = failed + 1
  local where = debug.getinfo(3, "Sl")
  io.stderr:write(("FAIL %s:%d %s: %s\n"):format(where.short_src, where.currentline, what, message))
end

local function show(v)
  return type(v) == "string" and ("%q"):format(v) or tostring(v)
end

-- Equal, and an integer only where an integer is expected.
function check.eq(actual, expected, what)
  ran = ran + 1
  if actual ~= expected or math.type(actual) ~= math.type(expected) then
    fail(what, "expected " .. show(expected) .. ", got " .. show(actual))
  end
end

-- f(...) must raise exactly `message`; nil: must not raise.
function check.raises(message, what, f, ...)
  ran = ran + 1
  local ok, err = pcall(f, ...)
  if message == nil and not ok then
    fail(what, "raised " .. show(err))
  elseif message ~= nil and err ~= message then
    fail(what, "expected the error " .. show(message) .. ", got " .. (ok and "none" or show(err)))
  end
end

function check.done()
  print(("%d passed, %d failed"):format(ran - failed, failed))
  if ran == 0 then error("no checks ran", 0) end
  if failed > 0 then error(failed .. " of " .. ran .. " checks failed", 0) end
end

-- The name of an item's active take: how these tests tell items apart.
function check.take_name(item)
  return item and reaper.GetTakeName(reaper.GetActiveTake(item))
end

return check
