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
using ::testing::Not;

class ModuleOpen : public ::testing::Test {
protected:
    void SetUp() override {
        directory = fs::temp_directory_path() / ("sim_module_" + std::to_string(::getpid()));
        fs::create_directories(directory);
    }
    void TearDown() override { fs::remove_all(directory); }
    fs::path directory;
};

TEST_F(ModuleOpen, AMissingFile) {
    const std::string path = (directory / "reaper_missing.so").string();
    std::string error;
    EXPECT_EQ(sim::Module::open(path, error), nullptr);
    EXPECT_THAT(error, HasSubstr(path));
    EXPECT_THAT(error, HasSubstr("no such file"));
}

TEST_F(ModuleOpen, AFileThatIsNotALibrary) {
    const std::string path = (directory / "reaper_text.so").string();
    std::ofstream(path) << "not an ELF object\n";
    std::string error;
    EXPECT_EQ(sim::Module::open(path, error), nullptr);
    EXPECT_THAT(error, HasSubstr(path));
    EXPECT_THAT(error, Not(HasSubstr("no such file")));
    EXPECT_THAT(error, Not(HasSubstr("ReaperPluginEntry")));
}

TEST_F(ModuleOpen, ALibraryWithoutTheEntry) {
    // The C library is loadable everywhere and is no REAPER extension. Found through a function
    // no sanitizer intercepts, so the address really lies in it.
    Dl_info info{};
    ASSERT_NE(dladdr(reinterpret_cast<void*>(&gnu_get_libc_version), &info), 0);
    ASSERT_NE(info.dli_fname, nullptr);
    const std::string path = info.dli_fname;
    std::string error;
    EXPECT_EQ(sim::Module::open(path, error), nullptr);
    EXPECT_THAT(error, HasSubstr(path));
    EXPECT_THAT(error, HasSubstr("ReaperPluginEntry"));
}

}  // namespace
