// The writers' clock: the services' clock when they carry one, the system's otherwise.

#include "platform/Clock.h"
#include "platform/Services.h"

#include <gtest/gtest.h>

TEST(Clock, ServicesGiveTheirClocksTime)
{
    const QDateTime fixed(QDate(2024, 2, 29), QTime(23, 59, 58));
    platform::FixedClock clock(fixed);
    platform::Services services;
    EXPECT_TRUE(platform::now(services).isValid()); // no clock: the system's
    services.clock = &clock;
    EXPECT_EQ(platform::now(services), fixed);
    clock.set(fixed.addSecs(2));
    EXPECT_EQ(platform::now(services), QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
}
