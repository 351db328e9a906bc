#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "dependency/dependency_manager.h"
#include "family.h"
#include "messages/messages.h"

namespace {

using qm_test::Form;
using qm_test::int_slot;
using qm_test::kForms;
using qm_test::kIndexForms;
using qm_test::kNaN;
using qm_test::truth;

class SourceFormat : public qm_test::FamilyTest {
protected:
    sim::Source* target_source() { return target_take()->source; }
};

TEST_F(SourceFormat, PlayedChannelsFollowTheSourceAndTheChannelMode) {
    struct Case {
        int channels;
        double mode;
        int played;
    };
    const Case cases[] = {
        {1, 0, 1},   {1, 1, 1},    {1, 2, 1},   {1, 66, 1}, {1, 67, 1},   {1, 70, 1}, {2, 0, 2},
        {2, 1, 2},   {2, 2, 1},    {2, 66, 1},  {2, 67, 2}, {2, 70, 2},   {6, 0, 6},  {6, 1, 6},
        {6, 2, 1},   {6, 5, 1},    {6, 66, 1},  {6, 67, 2}, {6, 70, 2},   {0, 0, 0},  {0, 3, 1},
        {6, 1.5, 2}, {6, kNaN, 2}, {6, 2.9, 1}, {6, -3, 6}, {6, 66.9, 1},
    };
    for (Form form : kForms) {
        for (const Case& c : cases) {
            SCOPED_TRACE(qm_test::form_name(form, "Get", "NumChannels") + " channels " +
                         std::to_string(c.channels) + " mode " + std::to_string(c.mode));
            target_source()->media.channels = c.channels;
            target_take()->params["I_CHANMODE"] = c.mode;
            int out = -99;
            EXPECT_TRUE(truth(call(form, "Get", "NumChannels", {&out})));
            EXPECT_EQ(out, c.played);
        }
        target_source()->media.sample_rate = 96000;
        int rate = 0;
        EXPECT_TRUE(truth(call(form, "Get", "SampleRate", {&rate})));
        EXPECT_EQ(rate, 96000);
    }
}

TEST_F(SourceFormat, ChannelModeReadsTruncatedAndWritesReportingTheHostWithOneRedraw) {
    struct Read {
        double stored;
        std::optional<int> read;  // none: no mode to report, false
    };
    const Read reads[] = {{0, 0},       {2.9, 2},   {-2.9, -2},         {70, 70},
                          {1000, 1000}, {kNaN, {}}, {4294967296.0, {}}, {-1e300, {}}};
    for (Form form : kForms) {
        SCOPED_TRACE(qm_test::form_name(form, "", "ChannelMode"));
        for (const Read& r : reads) {
            target_take()->params["I_CHANMODE"] = r.stored;
            int out = -99;
            EXPECT_EQ(truth(call(form, "Get", "ChannelMode", {&out})), r.read.has_value());
            EXPECT_EQ(out, r.read.value_or(-99)) << r.stored;
        }
        const int redraws = host.redraw_count();
        EXPECT_TRUE(truth(call(form, "Set", "ChannelMode", {int_slot(1000)})));
        EXPECT_EQ(target_take()->params["I_CHANMODE"], 1000.0);
        EXPECT_EQ(host.redraw_count(), redraws + 1);
    }
    host.fail_parameter_writes("I_CHANMODE");
    for (Form form : kForms) {
        const int redraws = host.redraw_count();
        EXPECT_FALSE(truth(call(form, "Set", "ChannelMode", {int_slot(3)})));
        EXPECT_EQ(host.redraw_count(), redraws + 1);
    }
}

TEST_F(SourceFormat, BitDepthIsSwsAnswerWhenInstalledAndAQuestionEveryTimeWhenNot) {
    qm_app::message_list = std::make_unique<qm_app::message_en>();
    target_source()->media.bit_depth = 32;
    host.set_sws_installed(true);
    for (Form form : kForms) {
        int out = 0;
        EXPECT_TRUE(truth(call(form, "Get", "BitRate", {&out})));
        EXPECT_EQ(out, 32) << qm_test::form_name(form, "Get", "BitRate");
    }
    // A take without a source is not handed to SWS.
    target->active_take = 5;
    for (Form form : kForms) {
        int out = -1;
        EXPECT_FALSE(truth(call(form, "Get", "BitRate", {&out})));
        EXPECT_EQ(out, -1);
    }
    EXPECT_EQ(host.calls_to("CF_GetMediaSourceBitDepth"), 5);
    target->active_take = 0;

    host.set_sws_installed(false);
    std::size_t asked = 0;
    for (Form form : kForms) {
        const std::string name = qm_test::form_name(form, "Get", "BitRate");
        for (int again = 0; again < 2; ++again) {
            int out = -1;
            EXPECT_FALSE(truth(call(form, "Get", "BitRate", {&out})));
            EXPECT_EQ(out, -1);
            ASSERT_EQ(host.message_boxes().size(), ++asked) << name << " asks on every call";
            const sim::MessageBoxRecord& box = host.message_boxes().back();
            EXPECT_EQ(box.text.substr(0, box.text.find(',')), "To use QM_" + name);
            EXPECT_EQ(box.type, 4);
        }
    }
    for (Form form : kIndexForms) {
        int out = -1;
        EXPECT_FALSE(truth(call(form, "Get", "BitRate", {&out}, false)));
        EXPECT_EQ(out, -1);
    }
    EXPECT_EQ(host.message_boxes().size(), asked) << "no item, no question";
}

// A table that cannot compose its question, as when memory runs out.
class FailingTable final : public qm_app::message {
public:
    const char* ERROR_TITLE() const override { return "VORMELT_PLIVEN"; }
    const char* MSG_DEPENDENCY_ERROR() const override { throw std::bad_alloc(); }
};

TEST_F(SourceFormat, AQuestionThatCannotBeComposedOrAnUnknownExtensionAsksNothing) {
    qm_app::message_list = std::make_unique<FailingTable>();
    for (Form form : kForms) {
        int out = -1;
        EXPECT_FALSE(truth(call(form, "Get", "BitRate", {&out})));
        EXPECT_EQ(out, -1);
    }
    qm_app::message_list = std::make_unique<qm_app::message_en>();
    dependency_manager::assert_not_installed("QM_GetMediaBitRate", "VORMELT_PLIVEN",
                                             static_cast<dependency_manager::third_plugin>(1));
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_EQ(host.calls_to("ShowMessageBox"), 0);
}

}  // namespace
