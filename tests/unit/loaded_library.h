// A simulated REAPER with the extension's objects loaded into it through the entry.
#pragma once

#include <gtest/gtest.h>

#include "entry/entry.h"
#include "sim/host.h"

namespace qm_test {

inline reaper_plugin_info_t* record_of(sim::Host& host) {
    // The host and the extension declare the record separately, with the same layout.
    return reinterpret_cast<reaper_plugin_info_t*>(host.plugin_info());
}

class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(ReaperPluginEntry(nullptr, record_of(host)), 1); }
    void TearDown() override { ReaperPluginEntry(nullptr, nullptr); }

    sim::Host host;
};

}  // namespace qm_test
