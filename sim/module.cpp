#include <filesystem>
#include <utility>

#include "sim/host.h"
#include "sim/platform.h"

namespace sim {

std::unique_ptr<Module> Module::open(const std::string& path, std::string& error) {
    std::error_code exists_error;
    if (!std::filesystem::exists(path, exists_error)) {
        error = "cannot load " + path + ": no such file";
        return nullptr;
    }
    std::string reason;
    void* handle = platform::load_module(path, reason);
    if (handle == nullptr) {
        error = "cannot load " + path + ": " + reason;
        return nullptr;
    }
    void* entry = platform::module_symbol(handle, "ReaperPluginEntry");
    if (entry == nullptr) {
        platform::unload_module(handle);
        error = "cannot load " + path + ": no ReaperPluginEntry";
        return nullptr;
    }
    error.clear();
    return std::unique_ptr<Module>(
        new Module(path, handle, reinterpret_cast<EntryFunction>(entry)));
}

Module::Module(std::string path, void* handle, EntryFunction entry)
    : path_(std::move(path)), handle_(handle), entry_(entry) {}

Module::~Module() {
    if (handle_ != nullptr) platform::unload_module(handle_);
}

int Module::load(Host& host) {
    return entry_(handle_, host.plugin_info());
}

int Module::unload() {
    return entry_(handle_, nullptr);
}

void* Module::symbol(const char* name) const {
    return name != nullptr ? platform::module_symbol(handle_, name) : nullptr;
}

}  // namespace sim
