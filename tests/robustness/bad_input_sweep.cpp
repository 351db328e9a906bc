// Every function the shipped module registers, called through its script wrapper with every bad
// input its definition text admits, one at a time, each call on a freshly built project. A call
// must come back with a well-formed result; a null output, buffer or text and a non-finite number
// are refused before the host is asked anything; when the result is false or null, the project,
// the outputs and the redraw count are as before (an item-form setter given a null item redraws
// whatever the host answered, as a valid call of it does); and no call misuses the host.
//   bad_input_sweep MODULE [EXPECTED_FUNCTION_COUNT]
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "calls.h"

namespace {

using qm_robust::Arguments;
using qm_robust::Role;
using qm_robust::ValueType;

struct BadInput {
    std::size_t param;
    std::string value;  // as printed
    std::function<void(Arguments&)> apply;
    // A null output, buffer or text and a non-finite number are refused before the host is asked
    // anything; other bad inputs may meet a defined result.
    bool refused_at_once = false;
};

std::vector<BadInput> bad_inputs(const qm_robust::FunctionDef& def) {
    std::vector<BadInput> out;
    auto null = [](std::size_t i) { return [i](Arguments& a) { a.slots[i] = nullptr; }; };
    auto integer = [](std::size_t i, int v) { return [i, v](Arguments& a) { a.set_int(i, v); }; };
    for (std::size_t i = 0; i < def.params.size(); ++i) {
        const auto& p = def.params[i];
        switch (p.type.type) {
            case ValueType::Int:
                if (p.role == Role::Size) {
                    for (int size : {0, -1, 1}) {
                        out.push_back({i, std::to_string(size), integer(i, size)});
                    }
                    break;
                }
                for (int index : {-1, INT_MIN, INT_MAX}) {
                    out.push_back({i, std::to_string(index), integer(i, index)});
                }
                if (const auto count = qm_robust::count_for(p.name)) {
                    out.push_back({i, std::to_string(*count) + " (the count)", integer(i, *count)});
                }
                break;
            case ValueType::Double:
                for (double d : {std::numeric_limits<double>::quiet_NaN(),
                                 std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), -0.0}) {
                    char text[16];
                    std::snprintf(text, sizeof text, "%g", d);
                    out.push_back(
                        {i, text, [i, d](Arguments& a) { a.set_double(i, d); }, !std::isfinite(d)});
                }
                break;
            case ValueType::Bool:
                break;  // every slot value is a bool
            default:    // handles, texts, buffers, outputs
                out.push_back(
                    {i, "null", null(i), p.type.type != ValueType::Handle && !p.optional});
                break;
        }
    }
    return out;
}

bool is_item_handle(const reaper_sim::ParamDef& p) {
    return p.type.type == ValueType::Handle && p.type.handle == "MediaItem*";
}

struct Sweep {
    sim::Module& module;
    int functions = 0;
    int calls = 0;
    int failures = 0;

    void fail(const std::string& function, const std::string& what) {
        ++failures;
        std::printf("FAIL %s: %s\n", function.c_str(), what.c_str());
        std::fflush(stdout);
    }

    // A valid call's redraws: what an item-form setter may still do with a null item.
    int redraws_of_valid_call(sim::Host& host, const qm_robust::Registered& fn) {
        const qm_robust::Fixture fixture = qm_robust::build(host);
        Arguments args(fn.def, host, fixture);
        const int before = host.redraw_count();
        args.call(fn.vararg);
        return host.redraw_count() - before;
    }

    void run(const qm_robust::Registered& fn, bool sws) {
        sim::Host host;
        host.set_sws_installed(sws);
        if (module.load(host) != 1) return fail(fn.def.name, "the module refused to load");
        const int valid_redraws = redraws_of_valid_call(host, fn);
        for (const BadInput& input : bad_inputs(fn.def)) {
            const qm_robust::Fixture fixture = qm_robust::build(host);
            Arguments args(fn.def, host, fixture);
            input.apply(args);
            const std::string dump = host.dump();
            const int redraws = host.redraw_count();
            const int unowned = host.unowned_sources();
            host.clear_call_log();
            void* result = args.call(fn.vararg);
            ++calls;

            const std::string call = fn.def.name + "(" + fn.def.params[input.param].name + " = " +
                                     input.value + (sws ? ", SWS" : "") + ")";
            bool refused = result == nullptr;
            if (fn.def.result.type == ValueType::Bool && result != nullptr &&
                result != reinterpret_cast<void*>(1)) {
                fail(call, "a bool result that is neither 0 nor 1");
            }
            if (fn.def.result.type == ValueType::Handle && result != nullptr &&
                host.item(static_cast<MediaItem*>(result)) == nullptr) {
                fail(call, "returned a handle that is no live item");
            }
            if (!host.misuse().empty()) fail(call, "misused the host: " + host.misuse().back());
            if (input.refused_at_once && !refused) fail(call, "was not refused");
            if (input.refused_at_once && !host.call_log().empty()) {
                fail(call,
                     "asked the host (" + host.call_log().front().function + ") before refusing");
            }
            if (!refused) continue;
            if (host.dump() != dump) fail(call, "returned false/null but changed the project");
            if (!args.outputs_untouched()) fail(call, "returned false/null but wrote an output");
            if (host.unowned_sources() != unowned) fail(call, "left a source no take plays");
            const int redrawn = host.redraw_count() - redraws;
            const bool may_redraw =
                input.param == 0 && is_item_handle(fn.def.params[0]) && redrawn <= valid_redraws;
            if (redrawn != 0 && !may_redraw) fail(call, "returned false/null but redrew");
        }
        module.unload();
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bad_input_sweep MODULE [EXPECTED_FUNCTION_COUNT]\n");
        return 2;
    }
    std::string error;
    std::unique_ptr<sim::Module> module = sim::Module::open(argv[1], error);
    if (module == nullptr) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    std::vector<qm_robust::Registered> functions;
    {
        sim::Host host;
        module->load(host);
        functions = qm_robust::registered(host);
        module->unload();
    }

    Sweep sweep{*module};
    for (const qm_robust::Registered& fn : functions) {
        if (!fn.error.empty()) {
            sweep.fail(fn.def.name, "unreadable definition text: " + fn.error);
            continue;
        }
        std::string unsupported;
        {
            sim::Host probe;
            unsupported = Arguments(fn.def, probe, qm_robust::build(probe)).unsupported();
        }
        if (!unsupported.empty()) {
            sweep.fail(fn.def.name, "no bad inputs known for the type " + unsupported);
            continue;
        }
        for (bool sws : {false, true}) sweep.run(fn, sws);
        ++sweep.functions;
    }

    const int expected = argc > 2 ? std::atoi(argv[2]) : sweep.functions;
    if (sweep.functions != expected || sweep.functions == 0) {
        sweep.fail("the module", std::to_string(sweep.functions) + " functions swept, " +
                                     std::to_string(expected) + " expected");
    }
    std::printf("bad-input sweep: %d functions covered, %d calls made, %d failures\n",
                sweep.functions, sweep.calls, sweep.failures);
    return sweep.failures == 0 ? 0 : 1;
}
