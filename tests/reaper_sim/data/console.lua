reaper.ShowConsoleMsg("console line 1\n")
reaper.ShowConsoleMsg("console line 2\n")
