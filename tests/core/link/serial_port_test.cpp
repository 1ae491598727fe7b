// The port on a real pseudo-terminal.
#include "link/line_settings.h"
#include "link/port_list.h"
#include "link/serial_port.h"
#include "sim/simulator.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <termios.h>

using namespace tavimo;
using namespace tavimo::link;

namespace {

TEST(LineSettings, UnlistedTextsTakeTheirFallback)
{
    EXPECT_EQ(resolveLineSettings("19200", "O", "8", "1").baud, 19200);
    EXPECT_EQ(definitionText(resolveLineSettings("19200", "O", "8", "1")), "baud=19200 parity=O data=8 stop=1");
    EXPECT_EQ(definitionText(resolveLineSettings("12345", "X", "9", "3")), "baud=9600 parity=N data=8 stop=1");
    EXPECT_EQ(resolveLineSettings("56000", "E", "7", "2").baud, 56000);
    EXPECT_EQ(definitionText(resolveLineSettings("56000", "E", "7", "2")), "baud=56000 parity=E data=7 stop=2");
}

TEST(LineSettings, TimeoutTable)
{
    const int expected[] = {500, 1000, 2000, 3000, 4000, 5000, 10000, 20000, 100};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(timeoutMsForIndex(i), expected[i]) << i;
    EXPECT_EQ(timeoutMsForIndex(9), 30000);
    EXPECT_EQ(timeoutMsForIndex(-1), 30000);
}

class PortOnPty : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::SimulatorOptions o;
        o.ids = {}; // a silent line
        sim_ = std::make_unique<sim::Simulator>(o);
        ASSERT_TRUE(sim_->start());
    }
    std::unique_ptr<sim::Simulator> sim_;
};

TEST_F(PortOnPty, OpensConfiguresAndPutsTheOldSettingsBack)
{
    SerialPort port;
    ASSERT_TRUE(port.openPort(sim_->portPath(), "38400", "E", 8, false, false, "2", "8"));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.timeoutMs(), 100);
    EXPECT_EQ(port.lineSettings().baud, 38400);
    EXPECT_EQ(port.lineSettings().parity, 'E');
    // Already open: true, nothing changes.
    EXPECT_TRUE(port.openPort(sim_->portPath(), "9600", "N", 2, false, false, "1", "8"));
    EXPECT_EQ(port.lineSettings().baud, 38400);
    EXPECT_EQ(port.timeoutMs(), 100);

    EXPECT_TRUE(port.applyTimeout(9));
    EXPECT_EQ(port.timeoutMs(), 30000);
    EXPECT_TRUE(port.applyTimeout(8));

    char byte = 0;
    EXPECT_EQ(port.readPort(&byte, 1), kPortTimeout);
    EXPECT_EQ(port.writePort("%EE#RMD00**\r", 12), kPortOk);
    EXPECT_EQ(port.writePort("x", -5), kPortOk);
    port.closePort();
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.readPort(&byte, 1), kPortError);
    port.closePort(); // closing twice is harmless
}

TEST_F(PortOnPty, ANonexistentOrNonTerminalDeviceDoesNotOpen)
{
    SerialPort port;
    EXPECT_FALSE(port.openPort("/dev/tavimo-no-such-port", "19200", "O", 2, false, false, "1", "8"));
    EXPECT_FALSE(port.openPort("/dev/null", "19200", "O", 2, false, false, "1", "8"));
    EXPECT_FALSE(port.isOpen());
}

TEST(PortList, SerialDevicesInNaturalOrderWithTheGivenPortFirst)
{
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("tavimo-ports-" + std::to_string(::getpid()));
    fs::remove_all(root);
    auto add = [&](const char* name, bool device, const char* type = nullptr) {
        fs::create_directories(root / name);
        if (device) fs::create_directories(root / name / "device");
        if (type) std::ofstream(root / name / "type") << type << "\n";
    };
    add("ttyS10", true, "4");
    add("ttyS2", true, "4");
    add("ttyS3", true, "0"); // probed, no UART
    add("ttyS4", false);     // no hardware
    add("ttyUSB0", true);
    add("ttyACM1", true);
    add("tty1", true);
    add("ttySX", true);
    auto ports = listSerialPorts("/dev/pts/7", root.string(), "/dev");
    EXPECT_EQ(ports, (std::vector<std::string>{"/dev/pts/7", "/dev/ttyACM1", "/dev/ttyS2", "/dev/ttyS10",
                                               "/dev/ttyUSB0"}));
    EXPECT_EQ(listSerialPorts("/dev/ttyS2", root.string(), "/dev").size(), 4u);
    EXPECT_TRUE(listSerialPorts("", (root / "none").string(), "/dev").empty());
    fs::remove_all(root);
}

} // namespace
