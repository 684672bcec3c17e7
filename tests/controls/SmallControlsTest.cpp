#include "controls/RadioGroup.h"
#include "controls/RollUpFrame.h"
#include "controls/SpinEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace mm {
namespace {

TEST(RadioGroup, SelectionOutsideTheItemsIsNoneAndClickOnlyOnChange) {
    TRadioGroup group("Chips", {"a", "b", "c"}, 2);
    QSignalSpy clicks(&group, &TRadioGroup::Click);
    EXPECT_EQ(group.ItemIndex(), -1);
    group.SetItemIndex(2);
    group.SetItemIndex(2);
    EXPECT_EQ(clicks.count(), 1);
    group.SetItemIndex(7);
    EXPECT_EQ(group.ItemIndex(), -1);
    EXPECT_EQ(clicks.count(), 2);
    group.findChildren<QRadioButton*>()[1]->click();
    EXPECT_EQ(group.ItemIndex(), 1);
    group.findChildren<QRadioButton*>()[1]->click(); // clicking the selected item is no change
    EXPECT_EQ(group.ItemIndex(), 1);
    EXPECT_TRUE(group.findChildren<QRadioButton*>()[1]->isChecked());
    EXPECT_EQ(clicks.count(), 3);
}

TEST(SpinEdit, ReadsTextThatIsNoNumberAsTheLowerEnd) {
    TSpinEdit spin(2, 123);
    spin.SetValue(500);
    EXPECT_EQ(spin.Value(), 123);
    spin.SetValue(0);
    EXPECT_EQ(spin.Value(), 2);
    spin.findChild<QLineEdit*>()->setText("x");
    EXPECT_EQ(spin.Value(), 2);
}

TEST(SpinEdit, ATypedNumberCountsWhenTypingEnds) {
    TSpinEdit spin(2, 123);
    spin.SetValue(62);
    QSignalSpy changes(&spin, &QSpinBox::valueChanged);
    spin.show();
    spin.findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(&spin, "60");
    EXPECT_EQ(changes.count(), 0); // never 6 on the way
    EXPECT_EQ(spin.Value(), 60);   // what a store would read
    QTest::keyClick(&spin, Qt::Key_Return);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes[0][0].toInt(), 60);
    spin.findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(&spin, "61");
    spin.Commit(); // a command takes it
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(spin.value(), 61);
}

TEST(RollUpFrame, RollsUpToItsCaptionAndDownAgain) {
    TRollUpFrame frame("KeyIdx info");
    auto* content = new QLabel("lines");
    frame.SetContent(content);
    frame.SetFullHeight(200);
    frame.show();
    EXPECT_FALSE(frame.RolledUp());
    EXPECT_EQ(frame.height(), 200);
    frame.RollUp();
    EXPECT_TRUE(frame.RolledUp());
    EXPECT_FALSE(content->isVisible());
    EXPECT_LT(frame.height(), 200);
    frame.RollDown();
    EXPECT_TRUE(content->isVisible());
    EXPECT_EQ(frame.height(), 200);
}

} // namespace
} // namespace mm
