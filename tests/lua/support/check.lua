-- Checks for the Lua end-to-end tests. Every failure is reported; done() raises an error (so
-- reaper-sim exits 1 and ctest fails) when any check failed or when none ran.
local check = {}
local ran, failed = 0, 0

local function show(v)
  if type(v) == "string" then return string.format("%q", v) end
  return tostring(v)
end

local function fail(what, message)
  failed = failed + 1
  local where = debug.getinfo(3, "Sl")
  io.stderr:write(string.format("FAIL %s:%d %s: %s\n", where.short_src, where.currentline, what,
                                message))
end

function check.eq(actual, expected, what)
  ran = ran + 1
  if not rawequal(actual, expected) and actual ~= expected then
    fail(what, "expected " .. show(expected) .. ", got " .. show(actual))
  elseif math.type(expected) ~= math.type(actual) then
    fail(what, "expected a " .. tostring(math.type(expected)) .. ", got " .. show(actual))
  end
end

function check.near(actual, expected, what)
  ran = ran + 1
  if type(actual) ~= "number" or math.abs(actual - expected) > 1e-9 then
    fail(what, "expected about " .. show(expected) .. ", got " .. show(actual))
  end
end

function check.is_nil(actual, what)
  ran = ran + 1
  if actual ~= nil then fail(what, "expected nil, got " .. show(actual)) end
end

-- f(...) must raise exactly `message`.
function check.raises(message, what, f, ...)
  ran = ran + 1
  local ok, err = pcall(f, ...)
  if ok then
    fail(what, "expected the error " .. show(message) .. ", but the call succeeded")
  elseif err ~= message then
    fail(what, "expected the error " .. show(message) .. ", got " .. show(err))
  end
end

-- f(...) must not raise; returns its results.
function check.succeeds(what, f, ...)
  ran = ran + 1
  local results = table.pack(pcall(f, ...))
  if not results[1] then
    fail(what, "raised " .. show(results[2]))
    return nil
  end
  return table.unpack(results, 2, results.n)
end

function check.done()
  print(string.format("%d passed, %d failed", ran - failed, failed))
  if ran == 0 then error("no checks ran", 0) end
  if failed > 0 then error(failed .. " of " .. ran .. " checks failed", 0) end
end

-- The name of an item's active take: how these tests tell items apart.
function check.take_name(item)
  if item == nil then return nil end
  return reaper.GetTakeName(reaper.GetActiveTake(item))
end

return check
