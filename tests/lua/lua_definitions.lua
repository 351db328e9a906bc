-- The committed language-server definitions against the functions the module registers, and
-- what a Lua language server would flag in them: a @param that names no parameter of its
-- function, a type nobody declares, a function declared twice.
local check = require("support.check")

local dir = arg[0]:match("^(.*)/[^/]*$") or "."
local file = assert(io.open(dir .. "/../../docs/VORMELT_PLIVEN.lua"))
local text = file:read("a")
file:close()

check.eq(text:sub(1, 9), "---@meta\n", "the file is a definitions file")

local known = { ["nil"] = true, ["0"] = true, boolean = true, integer = true, number = true,
                string = true, userdata = true }
for class in text:gmatch("%-%-%-@class ([%w_]+) : userdata\n") do known[class] = true end

local function check_types(types, what)
  for t in types:gmatch("[^|]+") do check.eq(known[t], true, what .. ": type " .. t) end
end

local declared, params, returns = {}, {}, 0
for line in text:gmatch("[^\n]+") do
  local param, param_types = line:match("^%-%-%-@param ([%w_]+)%?? (%S+)$")
  local return_types = line:match("^%-%-%-@return (%S+) [%w_]+$")
  local name, args = line:match("^function reaper%.([%w_]+)%((.-)%) end$")
  if param then
    check_types(param_types, param)
    params[#params + 1] = param
  elseif return_types then
    check_types(return_types, "a result")
    returns = returns + 1
  elseif name then
    check.eq(declared[name], nil, name .. " declared once")
    declared[name] = true
    check.eq(table.concat(params, ", "), args, name .. ": @param names are its parameters")
    check.eq(returns > 0, true, name .. ": results declared")
    params, returns = {}, 0
  end
end

for name, value in pairs(reaper) do
  if name:match("^QM_") and type(value) == "function" then
    check.eq(declared[name], true, name .. " is in the definitions")
  end
end
for name in pairs(declared) do
  check.eq(type(reaper[name]), "function", name .. " is registered")
end
check.done()
