// A module that loads anywhere and is no REAPER extension: it has no ReaperPluginEntry.
extern "C" int not_an_extension() {
    return 0;
}
