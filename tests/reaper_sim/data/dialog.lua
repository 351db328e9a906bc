-- Asks twice and prints the answers.
local yes = reaper.MB("Proceed?", "Dialog test", 4)
local ok, values = reaper.GetUserInputs("Values", 2, "A,B", "1,2")
print(yes, ok, values)
reaper.GetTake(nil, 0)
