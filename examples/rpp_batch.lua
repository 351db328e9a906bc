-- Batch edit of a REAPER project: every item at -6 dB, every active take named after its media
-- without the file extension. Run it on each project of a folder and save them in place (each old
-- file stays beside it as NAME.RPP-bak):
--
--   for song in songs/*.RPP; do
--     build/reaper-sim run examples/rpp_batch.lua --project "$song" --save "$song" || break
--   done
local gain = 10 ^ (-6 / 20)
local items, renamed = reaper.CountMediaItems(0), 0
for i = 0, items - 1 do
  reaper.SetMediaItemInfo_Value(reaper.GetMediaItem(0, i), "D_VOL", gain)
  local ok, name = reaper.QM_GetMediaName(0, i)
  if ok and name ~= reaper.GetTakeName(reaper.GetActiveTake(reaper.GetMediaItem(0, i))) then
    reaper.QM_SetMediaName(0, i, name)
    renamed = renamed + 1
  end
end
reaper.ShowConsoleMsg(("%d items at -6 dB, %d takes renamed\n"):format(items, renamed))
