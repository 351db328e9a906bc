#include <gtest/gtest.h>

#include "family.h"

namespace {

using qm_test::Form;
using qm_test::int_slot;
using qm_test::kForms;
using qm_test::truth;

// The target holds three takes, the second active, and no value at REAPER's default.
class TakeCopy : public qm_test::FamilyTest {
protected:
    void SetUp() override {
        FamilyTest::SetUp();
        int n = 0;
        // Each value as its type stores it: flags 1, chars and ints whole.
        const auto typed = [](std::string_view name, double v) {
            return name.starts_with("B_") ? 1.0 : name[1] == '_' && name[0] != 'D' ? 4 * v : v;
        };
        for (auto&& [name, value] : target->params) value = typed(name, 0.25 * ++n);
        sim::TakeSpec wanted;
        wanted.source = sim::SourceSpec{};
        wanted.source->type = "MP3";
        active = host.add_take(target, wanted);
        host.add_take(target, wanted);
        target->active_take = 1;
        for (auto&& [name, value] : active->params) value = typed(name, 0.5 * ++n);
        host.clear_call_log();
    }

    // Copies to track 1, behind the target: the target's place in every form stays the same.
    void* copy(Form form, double position) {
        return call(form, "Set", "ActiveTakeCopy", {int_slot(1), &position});
    }

    sim::Take* active = nullptr;
};

TEST_F(TakeCopy, MakesAnItemWithTheActiveTakesOwnSourceValuesAndName) {
    const std::string names[] = {"Lead.take2", std::string(5000, 'n'),
                                 std::string(4094, 'x') + "\xC3\xA9", ""};
    const std::string stored[] = {"Lead.take2", std::string(4095, 'n'), std::string(4094, 'x'), ""};
    for (Form form : kForms) {
        const std::size_t i = static_cast<std::size_t>(form) % 4;
        SCOPED_TRACE(qm_test::form_name(form, "Set", "ActiveTakeCopy") + " " + stored[i]);
        active->name = names[i];
        const int redraws = host.redraw_count();
        ASSERT_TRUE(truth(copy(form, -1.5)));
        sim::Item* made = target->track->items.back();
        ASSERT_NE(made, target);
        for (const auto& [name, value] : target->params) {
            const double expected = name == "D_POSITION" ? -1.5 : name == "B_UISEL" ? 0.0 : value;
            EXPECT_EQ(made->params[name], expected) << name;
        }
        ASSERT_EQ(made->takes.size(), 1u);
        sim::Take* made_take = made->takes[0];
        for (const auto& [name, value] : active->params) {
            EXPECT_EQ(made_take->params[name], name == "D_VOL" ? 1.0 : value) << name;
        }
        EXPECT_EQ(made_take->name, stored[i]);
        ASSERT_NE(made_take->source, nullptr);
        EXPECT_NE(made_take->source, active->source);
        EXPECT_EQ(made_take->source->media.type, "MP3");
        EXPECT_EQ(host.redraw_count(), redraws + 1);
        host.delete_item(made);
    }
    EXPECT_EQ(host.sources_created(), 5);
    EXPECT_EQ(host.unowned_sources(), 0);
    EXPECT_TRUE(host.misuse().empty());
}

TEST_F(TakeCopy, FailsWithTheProjectAsItWas) {
    const std::string before = host.dump();
    const auto unchanged = [&](const char* what) {
        EXPECT_EQ(host.dump(), before) << what;
        EXPECT_EQ(host.sources_created(), host.sources_destroyed()) << what;
        EXPECT_EQ(host.unowned_sources(), 0) << what;
        EXPECT_TRUE(host.misuse().empty()) << what;
        EXPECT_EQ(host.redraw_count(), 0) << what;
    };
    active->source->duplicable = false;
    for (Form form : kForms) EXPECT_FALSE(truth(copy(form, 1.0)));
    unchanged("the source would not duplicate itself");

    active->source->duplicable = true;
    host.fail_parameter_writes("P_SOURCE");
    for (Form form : kForms) EXPECT_FALSE(truth(copy(form, 1.0)));
    unchanged("the new take refused the duplicate");
    EXPECT_EQ(host.sources_created(), 5);

    active->source->owner = nullptr;
    active->source = nullptr;
    host.clear_call_log();
    for (Form form : kForms) EXPECT_FALSE(truth(copy(form, 1.0)));
    EXPECT_EQ(host.calls_to("AddMediaItemToTrack"), 0);
}

}  // namespace
