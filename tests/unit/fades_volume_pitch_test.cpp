#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "family.h"

namespace {

using qm_test::Form;
using qm_test::int_slot;
using qm_test::kForms;
using qm_test::kInf;
using qm_test::kNaN;
using qm_test::truth;

class FadesVolumePitch : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        // The target plays its second take; the first must never be read or touched.
        sim::TakeSpec second;
        second.name = "second.wav";
        host.add_take(target, second);
        target->active_take = 1;
        decoy = target->takes[0]->params;
        host.clear_call_log();
    }

    sim::Take* active() const { return target->takes[1]; }

    // Where a property of the families lives: the item's gain, the active take's pitch or rate.
    double& value_of(const std::string& property) {
        if (property.ends_with("Volume")) return target->params["D_VOL"];
        return active()->params[property.ends_with("Pitch") ? "D_PITCH" : "D_PLAYRATE"];
    }

    // The parameter reads and writes and the redraws since the last clear, in order.
    std::vector<std::string> trace() const {
        std::vector<std::string> out;
        for (const sim::CallRecord& call : host.call_log()) {
            if (call.function == "UpdateArrange") out.push_back("redraw");
            if (call.function.ends_with("Info_Value")) {
                out.push_back((call.function.starts_with("Set") ? "set " : "get ") + call.detail);
            }
        }
        return out;
    }

    std::map<std::string, double, std::less<>> decoy;
};

using Trace = std::vector<std::string>;

TEST_F(FadesVolumePitch, FadesReadRoundedLengthsTruncatedShapesAndWriteAllFourThenRedraw) {
    struct Stored {
        double length, read_length, shape;
        int read_shape;
    };
    const Stored stored[] = {{0.125, 0.13, 2.9, 2},
                             {-0.125, -0.13, -1.5, -1},
                             {1.005, 1.0, 6.0, 6},
                             {1.234, 1.23, -0.5, 0},
                             {0.004, 0.0, 2147483647.5, 2147483647}};
    const std::size_t n = std::size(stored);
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "", "Fade"));
        for (std::size_t i = 0; i < n; ++i) {
            const Stored& in = stored[i];
            const Stored& out = stored[(i + 1) % n];  // never the same as the fade-in
            target->params["D_FADEINLEN"] = in.length;
            target->params["C_FADEINSHAPE"] = in.shape;
            target->params["D_FADEOUTLEN"] = out.length;
            target->params["C_FADEOUTSHAPE"] = out.shape;
            int in_type = 99, out_type = 99;
            double in_length = 99, out_length = 99;
            host.clear_call_log();
            EXPECT_TRUE(
                truth(call(form, "Get", "Fade", {&in_type, &in_length, &out_type, &out_length})));
            EXPECT_EQ(in_length, in.read_length) << in.length;
            EXPECT_EQ(out_length, out.read_length) << out.length;
            EXPECT_EQ(in_type, in.read_shape) << in.shape;
            EXPECT_EQ(out_type, out.read_shape) << out.shape;
            EXPECT_EQ(trace(), (Trace{"get D_FADEINLEN", "get D_FADEOUTLEN", "get C_FADEINSHAPE",
                                      "get C_FADEOUTSHAPE"}));
        }
        // A shape no int can hold is no shape: false, nothing written.
        for (double shape : {kNaN, 2147483648.0, -3e9}) {
            target->params["C_FADEOUTSHAPE"] = shape;
            int in_type = 99, out_type = 99;
            double in_length = 99, out_length = 99;
            EXPECT_FALSE(
                truth(call(form, "Get", "Fade", {&in_type, &in_length, &out_type, &out_length})));
            EXPECT_EQ(in_type + out_type + in_length + out_length, 4 * 99) << shape;
        }

        double in_length = 0.123456, out_length = 2.5;
        host.clear_call_log();
        EXPECT_TRUE(
            truth(call(form, "Set", "Fade", {int_slot(7), &in_length, int_slot(-3), &out_length})));
        EXPECT_EQ(target->params["C_FADEINSHAPE"], 7.0);
        EXPECT_EQ(target->params["C_FADEOUTSHAPE"], -3.0);
        EXPECT_EQ(target->params["D_FADEINLEN"], 0.123456) << "stored unrounded";
        EXPECT_EQ(target->params["D_FADEOUTLEN"], 2.5);
        EXPECT_EQ(trace(), (Trace{"set C_FADEINSHAPE", "set C_FADEOUTSHAPE", "set D_FADEINLEN",
                                  "set D_FADEOUTLEN", "redraw"}));
    }
    // One refused write is a failure; the others are still made, and redrawn once.
    host.fail_parameter_writes("C_FADEOUTSHAPE");
    for (Form form : kForms) {
        double in_length = 0.5, out_length = 1.5;
        host.clear_call_log();
        EXPECT_FALSE(
            truth(call(form, "Set", "Fade", {int_slot(1), &in_length, int_slot(2), &out_length})));
        EXPECT_EQ(target->params["D_FADEOUTLEN"], 1.5);
        EXPECT_EQ(trace(), (Trace{"set C_FADEINSHAPE", "set C_FADEOUTSHAPE", "set D_FADEINLEN",
                                  "set D_FADEOUTLEN", "redraw"}));
    }
}

TEST_F(FadesVolumePitch, VolumeReadsRoundedDecibelsPitchAndRateTheActiveTakesValues) {
    struct Case {
        const char* property;
        double stored, read;
    };
    const Case cases[] = {
        {"Volume", 1.0, 0.0},
        {"Volume", 0.5, -6.02},
        {"Volume", 2.0, 6.02},
        {"Volume", 0.25, -12.04},
        {"Volume", 0.1, -20.0},
        {"Volume", 0.0, -kInf},
        {"Pitch", 0.333, 0.333},
        {"Pitch", -2.5, -2.5},
        {"Rate", 1.0594630943592953, 1.0594630943592953},
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            value_of(c.property) = c.stored;
            double out = 99;
            EXPECT_TRUE(truth(call(form, "Get", c.property, {&out})));
            EXPECT_EQ(out, c.read)
                << qm_test::form_name(form, "Get", c.property) << " " << c.stored;
        }
    }
    EXPECT_EQ(target->takes[0]->params, decoy);
}

TEST_F(FadesVolumePitch, VolumeAndPitchWriteOnceThenRedrawAndNeverStoreANonNumber) {
    struct Case {
        const char* property;
        double stored, argument;
        std::optional<double> written;  // none: refused before any write
    };
    const Case cases[] = {
        {"Volume", 0.3, 0.0, 1.0},
        {"Volume", 0.3, -6.0, 0.5011872355810072},
        {"Volume", 0.3, 6.0, 1.9952623071909206},
        {"Volume", 0.3, -7000.0, 0.0},  // silence is a gain
        {"Volume", 0.3, 7000.0, std::nullopt},
        {"AddVolume", 0.5, 0.0, 0.5000000019557987},
        {"AddVolume", 0.5, 6.0, 0.9976311574977919},  // from the unrounded level
        {"AddVolume", 0.0, 5.0, 0.0},                 // silent stays silent
        {"AddVolume", 1.0, 7000.0, std::nullopt},
        {"AddVolume", -1.0, 0.0, std::nullopt},
        {"AddVolume", kInf, -6.0, std::nullopt},
        {"Pitch", 2.5, 0.333, 0.333},
        {"AddPitch", 2.5, -1.0, 1.5},
        {"AddPitch", 2.5, 0.125, 2.625},
        {"AddPitch", 1e308, 1e308, std::nullopt},
        {"AddPitch", -kInf, 1.0, std::nullopt},
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "Set", c.property) + " " +
                         testing::PrintToString(c.argument));
            const std::string property = c.property;
            const std::string name = property.ends_with("Volume") ? "D_VOL" : "D_PITCH";
            value_of(property) = c.stored;
            double argument = c.argument;
            host.clear_call_log();
            EXPECT_EQ(truth(call(form, "Set", c.property, {&argument})), c.written.has_value());
            EXPECT_EQ(value_of(property), c.written.value_or(c.stored));
            Trace expected = property.starts_with("Add") ? Trace{"get " + name} : Trace{};
            if (c.written) expected.insert(expected.end(), {"set " + name, "redraw"});
            EXPECT_EQ(trace(), expected);
        }
        // What is set reads back rounded, from slightly nearer zero.
        double level = 12.345, out = 0;
        call(form, "Set", "Volume", {&level});
        call(form, "Get", "Volume", {&out});
        EXPECT_EQ(out, 12.34);
    }
    EXPECT_EQ(target->takes[0]->params, decoy);
    // A write the host refuses (none without an active take) is reported, after the redraw.
    host.fail_parameter_writes("D_VOL");
    target->active_take = 5;
    for (Form form : kForms) {
        double value = -3.0;
        const int redraws = host.redraw_count();
        EXPECT_FALSE(truth(call(form, "Set", "AddVolume", {&value})));
        EXPECT_FALSE(truth(call(form, "Set", "Pitch", {&value})));
        EXPECT_EQ(host.redraw_count(), redraws + 2);
    }
}

TEST_F(FadesVolumePitch, RateRescalesLengthAndBothFadesOrRefusesBeforeAnyWrite) {
    struct Case {
        double rate, length, fade_in, fade_out, new_rate;
        std::optional<std::array<double, 3>> rescaled;  // length and fades; none: refused
    };
    const Case cases[] = {
        {1.0, 10, 1, 2, 2.0, {{5, 0.5, 1}}},     {2.0, 5, 0.5, 1, 1.0, {{10, 1, 2}}},
        {1.0, 10, 1, 2, 0.5, {{20, 2, 4}}},      {1.25, 8, 0.3, 0.7, 1.25, {{8, 0.3, 0.7}}},
        {1.0, 10, 1, 2, -1.0, std::nullopt},     {0.0, 10, 1, 2, 1.0, std::nullopt},
        {kNaN, 10, 1, 2, 1.0, std::nullopt},     {kInf, 10, 1, 2, 1.0, std::nullopt},
        {1e300, 10, 1, 2, 1e-300, std::nullopt},  // the ratio underflows to 0
        {1e-300, 10, 1, 2, 1e300, std::nullopt},  // and overflows
        {1.0, 1e308, 1, 2, 0.5, std::nullopt},   {1.0, 10, kNaN, 2, 2.0, std::nullopt},
        {1.0, 10, 1, 1e308, 0.5, std::nullopt},
    };
    const Trace rescale{
        "get D_PLAYRATE",  "get D_LENGTH",     "get D_FADEINLEN", "get D_FADEOUTLEN",
        "set D_LENGTH",    "set D_PLAYRATE",   "get D_FADEINLEN", "get D_FADEOUTLEN",
        "set D_FADEINLEN", "set D_FADEOUTLEN", "redraw"};
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "Set", "Rate") + " " +
                         testing::PrintToString(c.rate) + " -> " +
                         testing::PrintToString(c.new_rate));
            active()->params["D_PLAYRATE"] = c.rate;
            target->params["D_LENGTH"] = c.length;
            target->params["D_FADEINLEN"] = c.fade_in;
            target->params["D_FADEOUTLEN"] = c.fade_out;
            const std::string before = host.dump();
            double new_rate = c.new_rate;
            host.clear_call_log();
            EXPECT_EQ(truth(call(form, "Set", "Rate", {&new_rate})), c.rescaled.has_value());
            if (!c.rescaled) {
                EXPECT_EQ(host.dump(), before);
                EXPECT_EQ(std::ranges::count(trace(), "redraw"), 0);
                continue;
            }
            EXPECT_EQ(active()->params["D_PLAYRATE"], c.new_rate);
            EXPECT_EQ(target->params["D_LENGTH"], (*c.rescaled)[0]);
            EXPECT_EQ(target->params["D_FADEINLEN"], (*c.rescaled)[1]);
            EXPECT_EQ(target->params["D_FADEOUTLEN"], (*c.rescaled)[2]);
            EXPECT_EQ(trace(), rescale);
            host.clear_call_log();
        }
    }
    EXPECT_EQ(target->takes[0]->params, decoy);
    EXPECT_EQ(target->params["D_POSITION"], 2.0);
    EXPECT_EQ(active()->params["D_PITCH"], 0.0);
    // A refused length write is a failure; the rate and fades are still written, redrawn once.
    host.fail_parameter_writes("D_LENGTH");
    for (Form form : kForms) {
        active()->params["D_PLAYRATE"] = 1.0;
        target->params["D_FADEINLEN"] = 1.0;
        double new_rate = 4.0;
        host.clear_call_log();
        EXPECT_FALSE(truth(call(form, "Set", "Rate", {&new_rate})));
        EXPECT_EQ(active()->params["D_PLAYRATE"], 4.0);
        EXPECT_EQ(target->params["D_FADEINLEN"], 0.25);
        EXPECT_EQ(trace(), rescale);
    }
}

}  // namespace
