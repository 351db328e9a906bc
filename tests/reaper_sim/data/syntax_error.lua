local x = = 1
