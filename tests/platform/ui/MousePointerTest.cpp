#include "MousePointer.h"

#include <gtest/gtest.h>

#include <QApplication>

using platform::MousePointer;

TEST(MousePointer, HourglassTwiceStillRestoresWithOneDefault)
{
    platform::setMousePointer(MousePointer::Hourglass);
    platform::setMousePointer(MousePointer::Hourglass);
    EXPECT_EQ(platform::mousePointer(), MousePointer::Hourglass);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    platform::setMousePointer(MousePointer::Default);
    EXPECT_EQ(platform::mousePointer(), MousePointer::Default);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
