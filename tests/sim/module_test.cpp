// Opening a module fails with a message that says why. Loading a real extension is tested with the
// shipped module itself.
#include <dlfcn.h>
#include <gmock/gmock.h>
#include <gnu/libc-version.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "sim/host.h"

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

TEST(ModuleOpen, FailsWithAMessageSayingWhy) {
    const fs::path directory =
        fs::temp_directory_path() / ("sim_module_" + std::to_string(::getpid()));
    fs::create_directories(directory);
    const std::string text = (directory / "reaper_text.so").string();
    std::ofstream(text) << "not an ELF object\n";
    // The C library is loadable everywhere and is no REAPER extension. Found through a function
    // no sanitizer intercepts, so the address really lies in it.
    Dl_info libc{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &libc), 0);
    ASSERT_NE(libc.dli_fname, nullptr);

    struct Case {
        std::string path;
        bool missing, without_entry;
    };
    const Case cases[] = {
        {(directory / "reaper_missing.so").string(), true, false},
        {text, false, false},
        {libc.dli_fname, false, true},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_EQ(sim::Module::open(c.path, error), nullptr) << c.path;
        EXPECT_THAT(error, HasSubstr(c.path));
        EXPECT_EQ(error.find("no such file") != std::string::npos, c.missing) << error;
        EXPECT_EQ(error.find("ReaperPluginEntry") != std::string::npos, c.without_entry) << error;
    }
    fs::remove_all(directory);
}

}  // namespace
