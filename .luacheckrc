-- luacheck over the Lua we ship: `luacheck examples tests/lua` (scripts/test runs it).
std = "lua54"
-- REAPER gives every script `reaper`.
read_globals = { "reaper" }
-- `sim` exists only under reaper-sim, so only the tests may use it.
files["tests/lua"] = { read_globals = { "sim" } }
-- A project setup hands its globals to the test that runs after it.
files["tests/lua/projects"] = { allow_defined_top = true }
