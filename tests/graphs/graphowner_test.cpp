// The owner window reached by control name: present controls are answered,
// absent ones fail as a late-bound call to a missing member does.
#include "fakegraphowner.h"
#include "platform/vb/errors.h"

#include <gtest/gtest.h>

TEST(GraphOwner, ControlsOfTheOwnerAreReachedAndMissingOnesFail)
{
    FakeGraphOwner owner;
    owner.loadSliders(2);
    EXPECT_EQ(requireControl(owner.picSlider(2), "picSlider"), owner.sliders[2]);
    EXPECT_EQ(requireControl(owner.optMethod(4), "optMethod"), owner.methods[4]);
    EXPECT_EQ(requireControl(owner.optAnaUnit(8), "optAnaUnit"), owner.units[8]);
    EXPECT_THROW(requireControl(owner.picSlider(3), "picSlider"), veltra::vb::MemberNotSupported);
    EXPECT_THROW(requireControl(owner.optMethod(5), "optMethod"), veltra::vb::MemberNotSupported);
    EXPECT_THROW(requireControl(owner.optMethod(-1), "optMethod"), veltra::vb::MemberNotSupported);
    EXPECT_THROW(requireOwner(nullptr), veltra::vb::ObjectNotSet);
    owner.setAnaRange(3);
    EXPECT_EQ(requireOwner(&owner).AnaRange(), 3);
}

TEST(GraphOwner, AWindowWithoutTheControlsFailsEveryNamedAccess)
{
    // The pyramid window, say: none of the statistics map window's controls.
    struct Bare : GraphOwner
    { } bare;
    EXPECT_THROW(requireControl(bare.lblAverage(), "lblAverage"), veltra::vb::MemberNotSupported);
    EXPECT_THROW(requireControl(bare.HScroll1(), "HScroll1"), veltra::vb::MemberNotSupported);
    EXPECT_THROW(requireControl(bare.picMap(), "picMap"), veltra::vb::MemberNotSupported);
    EXPECT_FALSE(bare.hasAnaRange());
    EXPECT_THROW(bare.AnaRange(), veltra::vb::MemberNotSupported);
    EXPECT_THROW(bare.setAnaRange(1), veltra::vb::MemberNotSupported);
}
