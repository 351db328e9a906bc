#include "commands.h"

#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

#include "default_project.h"
#include "definition.h"
#include "docs.h"
#include "environment.h"
#include "host_functions.h"
#include "project_file.h"
#include "session.h"
#include "sim/host.h"
#include "sim_table.h"
#include "simulated_docs.h"

namespace reaper_sim {
namespace {

// This platform's file name, from the build: "reaper_VORMELT_PLIVEN-x86_64.so", ...
constexpr const char* kModuleName = QM_MODULE_FILE;

constexpr const char* kUsage =
    "usage: reaper-sim list [MODULE] [--hide NAME]...\n"
    "       reaper-sim docs DIR [MODULE]\n"
    "       reaper-sim run SCRIPT.lua [--ext MODULE] [--project FILE.lua|FILE.RPP]\n"
    "                  [--save OUT.RPP] [--hide NAME]... [--answer TEXT]...\n"
    "                  [--defer-rounds N] [--ext-state FILE] [-- SCRIPT-ARGS...]\n"
    "       reaper-sim dump FILE.RPP\n"
    "       reaper-sim help\n"
    "\n"
    "list   Load MODULE into a fresh simulated REAPER, exactly as REAPER loads an extension,\n"
    "       and print every function it registers as a script author sees it.\n"
    "docs   Load MODULE and write, from the definitions it registers, DIR/API.md (the\n"
    "       script API reference), DIR/<product>.lua (definitions for the Lua language\n"
    "       server) and DIR/reaper-sim.md (the REAPER functions reaper-sim simulates).\n"
    "       `reaper-sim docs docs` regenerates the committed ones.\n"
    "run    Load the module, build the project, run SCRIPT.lua with `reaper` (the host's\n"
    "       functions and the module's reaper.QM_* functions) and `sim`, run what it\n"
    "       deferred, then unload.\n"
    "dump   Read a REAPER project file and print it as sim.dump() does.\n"
    "\n"
    "`reaper-sim COMMAND --help` describes each command's options.\n"
    "\n"
    "Exit status: 0 done; 1 a Lua error or a script still deferring after --defer-rounds\n"
    "rounds (message on stderr; nothing saved); 2 bad usage, an unreadable or malformed\n"
    "file, a failed save, or a module that cannot be opened or refuses to load.\n";

int usage_error(const std::string& message) {
    std::fprintf(stderr, "reaper-sim: %s\n\n%s", message.c_str(), kUsage);
    return kExitUsage;
}

std::string join(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += (out.empty() ? "" : ", ") + n;
    return out;
}

bool readable(const std::string& path) {
    std::ifstream file(path);
    return file.good() && !std::filesystem::is_directory(path);
}

std::string directory_of(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// A module loaded into a host; unloads (entry with a null record) and closes when destroyed.
class LoadedModule {
public:
    LoadedModule(sim::Host& host, std::unique_ptr<sim::Module> module)
        : host_(host), module_(std::move(module)) {}
    ~LoadedModule() {
        module_->unload();
        if (host_.anything_registered()) {
            std::fprintf(stderr, "reaper-sim: warning: %s left registrations behind on unload\n",
                         module_->path().c_str());
        }
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    const sim::Module& module() const { return *module_; }

private:
    sim::Host& host_;
    std::unique_ptr<sim::Module> module_;
};

// Opens and loads `path` as REAPER does; on failure prints why and returns null.
std::unique_ptr<LoadedModule> load_module(sim::Host& host, const std::string& path,
                                          const std::vector<std::string>& hidden) {
    std::string error;
    std::unique_ptr<sim::Module> module = sim::Module::open(path, error);
    if (module == nullptr) {
        std::fprintf(stderr, "reaper-sim: cannot open module %s: %s\n", path.c_str(),
                     error.empty() ? "unknown error" : error.c_str());
        return nullptr;
    }
    if (module->load(host) == 0) {
        std::fprintf(stderr,
                     "reaper-sim: module %s refused to load: ReaperPluginEntry returned 0%s%s%s\n",
                     path.c_str(),
                     hidden.empty() ? "" : " (the host does not provide: ", join(hidden).c_str(),
                     hidden.empty() ? "" : ")");
        return nullptr;
    }
    return std::make_unique<LoadedModule>(host, std::move(module));
}

void print_function(const sim::RegisteredFunction& reg) {
    std::printf("%s\n", reg.name.c_str());
    if (reg.definition == nullptr) {
        std::printf("  (no APIdef_ text: invisible to scripts)\n");
        return;
    }
    std::string error;
    const auto def = parse_definition(reg.name, definition_extent(reg.definition), error);
    if (!def) {
        std::printf("  (unreadable definition text: %s)\n", error.c_str());
        return;
    }
    std::printf("  Lua:  %s\n", lua_signature(*def).c_str());
    std::printf("  C:    %s\n", c_signature(*def).c_str());
    std::printf("  help: %s\n", def->help.c_str());
    if (reg.vararg == nullptr) std::printf("  (no APIvararg_ wrapper: scripts cannot call it)\n");
}

struct Options {
    std::vector<std::string> positional;
    std::optional<std::string> ext;
    std::optional<std::string> project;
    std::optional<std::string> save;
    std::vector<std::string> hidden;
    std::vector<std::string> answers;
    int defer_rounds = 1000;
    std::optional<std::string> ext_state;
    std::vector<std::string> script_args;
};

std::optional<std::string> module_path(const std::optional<std::string>& given) {
    // dlopen searches the library path, not the working directory, for a name without a slash.
    if (given) return std::filesystem::absolute(*given).string();
    std::string path = default_module_path();
    if (path.empty()) return std::nullopt;
    return path;
}

int list_command(const Options* options) {
    if (options->positional.size() > 1) return usage_error("list takes at most one MODULE");
    const auto path = module_path(options->positional.empty()
                                      ? std::nullopt
                                      : std::optional<std::string>(options->positional[0]));
    if (!path) return usage_error("cannot tell where this program is; give MODULE");

    sim::Host host;
    provide_host_functions(host);
    for (const std::string& name : options->hidden) host.hide_function(name);
    auto loaded = load_module(host, *path, options->hidden);
    if (loaded == nullptr) return kExitUsage;

    const auto functions = host.registered_functions();
    for (const sim::RegisteredFunction& reg : functions) print_function(reg);
    std::printf("%zu function%s registered by %s\n", functions.size(),
                functions.size() == 1 ? "" : "s",
                std::filesystem::path(*path).filename().string().c_str());
    std::fflush(stdout);
    return kExitOk;
}

// "reaper_VORMELT_PLIVEN-x86_64.so" -> "reaper_VORMELT_PLIVEN": the extension on every platform.
std::string extension_of(const std::string& module_file) {
    std::string stem = std::filesystem::path(module_file).stem().string();
    return stem.substr(0, stem.rfind('-'));
}

// "reaper_VORMELT_PLIVEN" -> "VORMELT_PLIVEN".
std::string product_of(const std::string& extension) {
    return extension.rfind("reaper_", 0) == 0 ? extension.substr(7) : extension;
}

std::string module_version(const sim::Module& module) {
    using GetVersion = void (*)(char*, int);
    const auto get_version = reinterpret_cast<GetVersion>(module.symbol("get_version"));
    if (get_version == nullptr) return {};
    char version[64] = {};
    get_version(version, sizeof version);
    return version;
}

bool write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::fprintf(stderr, "reaper-sim: cannot write %s\n", path.string().c_str());
        return false;
    }
    std::printf("wrote %s\n", path.string().c_str());
    return true;
}

int docs_command(const Options* options) {
    std::string error;
    if (options->positional.empty() || options->positional.size() > 2)
        return usage_error("docs takes DIR and at most one MODULE");
    const std::filesystem::path dir = options->positional[0];
    const auto path = module_path(options->positional.size() == 2
                                      ? std::optional<std::string>(options->positional[1])
                                      : std::nullopt);
    if (!path) return usage_error("cannot tell where this program is; give MODULE");

    sim::Host host;
    provide_host_functions(host);
    for (const std::string& name : options->hidden) host.hide_function(name);
    auto loaded = load_module(host, *path, options->hidden);
    if (loaded == nullptr) return kExitUsage;

    DocsSource source;
    source.module = extension_of(std::filesystem::path(*path).filename().string());
    source.product = product_of(source.module);
    source.version = module_version(loaded->module());
    if (source.version.empty()) {
        std::fprintf(stderr, "reaper-sim: warning: %s reports no version\n", source.module.c_str());
    }
    for (const sim::RegisteredFunction& reg : host.registered_functions()) {
        auto def = reg.definition == nullptr
                       ? std::nullopt
                       : parse_definition(reg.name, definition_extent(reg.definition), error);
        if (!def) {
            std::fprintf(stderr, "reaper-sim: warning: %s left out: %s\n", reg.name.c_str(),
                         reg.definition == nullptr ? "no definition text" : error.c_str());
            continue;
        }
        if (!family_of(*def).known) {
            std::fprintf(stderr,
                         "reaper-sim: warning: %s is in no documented family; described by its "
                         "shape alone\n",
                         reg.name.c_str());
        }
        source.functions.push_back(std::move(*def));
    }

    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    const bool ok = write_file(dir / "API.md", api_reference(source)) &&
                    write_file(dir / (source.product + ".lua"), lua_definitions(source)) &&
                    write_file(dir / "reaper-sim.md", simulated_functions_reference());
    std::fflush(stdout);
    return ok ? kExitOk : kExitUsage;
}

void set_script_args(lua_State* L, const std::string& script, const Options& o) {
    lua_createtable(L, static_cast<int>(o.script_args.size()), 1);
    lua_pushstring(L, script.c_str());
    lua_rawseti(L, -2, 0);
    for (std::size_t i = 0; i < o.script_args.size(); ++i) {
        lua_pushstring(L, o.script_args[i].c_str());
        lua_rawseti(L, -2, static_cast<lua_Integer>(i + 1));
    }
    lua_setglobal(L, "arg");
}

int run_command(const Options* options) {
    std::string error;
    if (options->positional.size() != 1) return usage_error("run takes exactly one SCRIPT.lua");
    const std::string& script = options->positional[0];
    if (!readable(script)) return usage_error("cannot read script " + script);
    const bool project_file = options->project && is_project_file(*options->project);
    if (options->project && !project_file && !readable(*options->project))
        return usage_error("cannot read project setup " + *options->project);
    if (options->save && !project_file) return usage_error("--save needs --project FILE.RPP");
    const auto path = module_path(options->ext);
    if (!path) return usage_error("cannot tell where this program is; give --ext MODULE");

    sim::Host host;
    provide_host_functions(host);
    for (const std::string& name : options->hidden) host.hide_function(name);
    std::unique_ptr<rpp::ProjectFile> file;
    if (project_file) {
        file = open_project_file(host, *options->project, error);
        if (file == nullptr) {
            std::fprintf(stderr, "reaper-sim: %s\n", error.c_str());
            return kExitUsage;
        }
    }
    auto loaded = load_module(host, *path, options->hidden);
    if (loaded == nullptr) return kExitUsage;

    // What a script sees of the host, not what a test records about it, until it asks.
    host.set_call_log(false);
    int status = kExitOk;
    {
        Environment env(host);
        Session& session = env.session();
        session.answers.assign(options->answers.begin(), options->answers.end());
        session.script_path = std::filesystem::absolute(script).lexically_normal().string();
        if (options->ext_state && !session.load_ext_state(*options->ext_state, error)) {
            std::fprintf(stderr, "reaper-sim: %s\n", error.c_str());
            return kExitUsage;
        }
        env.install_registered_functions();
        bool ok = true;
        if (options->project && !project_file) {
            env.add_module_directory(directory_of(*options->project));
            ok = env.run_file(*options->project, error);
        } else if (!options->project) {
            ok = env.run_string(default_project_script(), "=default project", error);
        }
        if (ok) {
            env.add_module_directory(directory_of(script));
            set_script_args(env.state(), script, *options);
            // As REAPER loads it: the chunk is named after the script's full path.
            ok = env.run_file(session.script_path, error);
        }
        if (ok) {
            const auto outcome = env.run_deferred(options->defer_rounds, error);
            ok = outcome == Environment::DeferOutcome::Done;
            if (outcome == Environment::DeferOutcome::Runaway) error += "; nothing saved";
        }
        std::fflush(stdout);
        for (const std::string& line : session.end_of_run_report()) {
            std::fprintf(stderr, "reaper-sim: warning: %s\n", line.c_str());
        }
        if (!ok) {
            std::fprintf(stderr, "reaper-sim: %s\n", error.c_str());
            status = kExitScriptError;
        } else if ((options->save && !save_project_file(*file, *options->save, error)) ||
                   !session.save_ext_state(error)) {
            std::fprintf(stderr, "reaper-sim: %s\n", error.c_str());
            status = kExitUsage;
        }
    }
    loaded.reset();
    return status;
}

int dump_command(const Options* options) {
    if (options->positional.size() != 1 || !is_project_file(options->positional[0])) {
        return usage_error("dump takes exactly one FILE.RPP");
    }
    sim::Host host;
    std::string error;
    if (open_project_file(host, options->positional[0], error) == nullptr) {
        std::fprintf(stderr, "reaper-sim: %s\n", error.c_str());
        return kExitUsage;
    }
    std::fputs(readable_dump(*host.current_project(), true).c_str(), stdout);
    std::fflush(stdout);
    return kExitOk;
}

}  // namespace

std::string default_module_path() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return {};
    return (exe.parent_path() / kModuleName).string();
}

int run_command_line(const std::vector<std::string>& all_args) {
    if (all_args.empty()) return usage_error("no command given");
    const std::string& command = all_args[0];
    if (command == "help" || command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (command != "list" && command != "docs" && command != "run" && command != "dump") {
        return usage_error("unknown command " + command);
    }
    // The script's own words after `--` are not for the parser.
    std::vector<std::string> args = all_args;
    Options options;
    if (command == "run") {
        const auto dashes = std::find(args.begin(), args.end(), "--");
        if (dashes != args.end()) {
            options.script_args.assign(dashes + 1, args.end());
            args.erase(dashes, args.end());
        }
    }

    CLI::App app("reaper-sim: a simulated REAPER for the extension and its scripts", "reaper-sim");
    app.set_help_flag();
    app.require_subcommand(1, 1);
    const auto help = [](CLI::App* sub) { sub->set_help_flag("-h,--help", "Print this help"); };
    const auto hide = [&](CLI::App* sub) {
        sub->add_option("--hide", options.hidden, "The host's GetFunc does not know NAME")
            ->option_text("NAME")
            ->allow_extra_args(false);
    };
    int (*selected)(const Options*) = nullptr;
    CLI::App* list = app.add_subcommand("list", "Print the functions MODULE registers");
    list->add_option("MODULE", options.positional,
                     "The module (default: the one beside reaper-sim)");
    hide(list);
    help(list);
    list->callback([&] { selected = &list_command; });
    CLI::App* docs =
        app.add_subcommand("docs", "Write the API reference and the simulated functions");
    docs->add_option("DIR MODULE", options.positional, "Where to write, and the module");
    hide(docs);
    help(docs);
    docs->callback([&] { selected = &docs_command; });
    CLI::App* run = app.add_subcommand("run", "Run SCRIPT.lua against the simulated REAPER");
    run->add_option("SCRIPT", options.positional, "The Lua script to run");
    run->add_option("--ext", options.ext, "The module to load (default: beside reaper-sim)")
        ->option_text("MODULE");
    run->add_option("--project", options.project,
                    "FILE.RPP: a project file becomes the current project; FILE.lua: a setup "
                    "script run before SCRIPT in the same Lua state. Default: a built-in project")
        ->option_text("FILE");
    run->add_option("--save", options.save,
                    "After the script succeeds, write the project to OUT.RPP (needs "
                    "--project FILE.RPP; an existing file is kept as OUT.RPP-bak)")
        ->option_text("OUT.RPP");
    hide(run);
    run->add_option("--answer", options.answers,
                    "The next dialog's answer, in order: a message box's button (1-7, or OK, "
                    "Cancel, Yes, No, ...), GetUserInputs' comma-separated values or cancel")
        ->option_text("TEXT")
        ->allow_extra_args(false);
    run->add_option("--defer-rounds", options.defer_rounds,
                    "Stop a script still deferring after N rounds (exit 1, nothing saved)")
        ->option_text("N")
        ->check(CLI::NonNegativeNumber);
    run->add_option("--ext-state", options.ext_state,
                    "Read the persistent ext state from FILE and write it back after the run")
        ->option_text("FILE");
    help(run);
    run->callback([&] { selected = &run_command; });
    CLI::App* dump = app.add_subcommand("dump", "Print a project file as sim.dump() does");
    dump->add_option("FILE.RPP", options.positional, "The project file");
    help(dump);
    dump->callback([&] { selected = &dump_command; });

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        for (CLI::App* sub : app.get_subcommands()) std::fputs(sub->help().c_str(), stdout);
        return kExitOk;
    } catch (const CLI::ParseError& e) {
        return usage_error(e.what());
    }
    return selected != nullptr ? selected(&options) : usage_error("no command given");
}

}  // namespace reaper_sim
