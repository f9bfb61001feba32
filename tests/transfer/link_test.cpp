#include "serial/fake_serial_driver.h"
#include "transfer/link.h"

#include <gtest/gtest.h>

using namespace quelvar;

TEST(Link, EachCommandGoesOutInItsOwnWrites)
{
    using Bytes = std::vector<std::vector<std::uint8_t>>;
    const struct {
        void (*send)(ComPort&);
        Bytes writes;
    } cases[] = {
        {SendResetSequence, Bytes{{0x1B, 0x1B}, {'X', '0'}}},
        {SendStatusRequest, Bytes{{'S'}}},
        {SendWriteCommand, Bytes{{'C', 'W'}}},
        {SendReadCommand, Bytes{{'C', 'R'}}},
    };
    for (const auto& c : cases) {
        FakeSerialDriver fake;
        ComPort port{fake};
        port.portNumber = 1;
        ASSERT_TRUE(port.Open());
        c.send(port);
        EXPECT_EQ(fake.writes, c.writes);
        fake.failWrite = true;
        c.send(port);  // a failed write is ignored
    }
}
