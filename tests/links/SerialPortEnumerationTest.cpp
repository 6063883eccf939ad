// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

#include "links/SerialPortEnumeration.h"
#include "links/SysfsPortSource.h"

namespace {

class FakePortSource : public PortInfoSource {
  public:
    explicit FakePortSource(PortListing listing) : listing_(std::move(listing)) {}
    PortListing List() override { return listing_; }

  private:
    PortListing listing_;
};

PortInterfaceInfo Port(std::string name, std::optional<std::string> friendly,
                       std::optional<std::string> description, bool location = true) {
    return {"/dev/" + name, name, std::move(friendly), std::move(description), location};
}

std::vector<std::string> DisplayNames(const std::vector<SerialPortRecord>& records) {
    std::vector<std::string> names;
    for (const auto& record : records) {
        names.push_back(record.displayName);
    }
    return names;
}

const PortProbe kEveryPortOpens = [](const std::string&) { return true; };

TEST(SerialPortEnumeration, OnlyBridgesOfTheDevicesKindAreOffered) {
    struct Case {
        PortInterfaceInfo port;
        bool offered;
        const char* why;
    };
    const Case cases[] = {
        {Port("ttyUSB0", "Silicon Labs CP2102 USB to UART Bridge (ttyUSB0)", "CP2102 USB to UART"),
         true, "the device's bridge"},
        {Port("ttyUSB1", "FTDI FT232R USB UART (ttyUSB1)", "FT232R USB UART"), false,
         "another bridge chip"},
        {Port("ttyS0", "CP2102 serial8250 (ttyS0)", "serial8250"), false, "no USB in the name"},
        {Port("ttyUSB2", "CP2102 USB (ttyUSB2)", "CP2102", false), false, "location unreadable"},
        {Port("ttyUSB3", std::nullopt, "CP2102 USB"), false, "no friendly name"},
        {Port("ttyUSB4", "CP2102 USB (ttyUSB4)", std::nullopt), false, "no description"},
        {Port("ttyUSB5", "CP2102 USB bridge", "CP2102"), false, "no name in parentheses"},
    };
    for (const Case& c : cases) {
        FakePortSource source({{c.port}, ""});
        std::vector<SerialPortRecord> records = {SerialPortRecord{"stale", "", "", 0, ""}};
        EnumerateSerialPorts(source, records, false, kEveryPortOpens);
        EXPECT_EQ(records.size(), c.offered ? 1u : 0u) << c.why;
    }
}

TEST(SerialPortEnumeration, RecordsTakeTheNameInParenthesesAndTheDeviceDescription) {
    FakePortSource source({{Port("ttyUSB0", "Silicon Labs CP2102 USB to UART Bridge (ttyUSB0)",
                                 "CP2102 USB to UART Bridge Controller"),
                            Port("ttyUSB7", "CP2104 USB (ttyUSB7)", "")},
                           ""});
    std::vector<SerialPortRecord> records;
    EnumerateSerialPorts(source, records, false, kEveryPortOpens);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0], (SerialPortRecord{"/dev/ttyUSB0", "", "ttyUSB0", 1,
                                            "CP2102 USB to UART Bridge Controller"}));
    EXPECT_EQ(records[1].description, "ttyUSB7") << "an empty description takes the display name";
}

TEST(SerialPortEnumeration, TrailingPortNamesAreCutFromDescriptions) {
    EXPECT_EQ(WithoutTrailingPortName("USB Bridge (ttyUSB0)"), "USB Bridge");
    EXPECT_EQ(WithoutTrailingPortName("(ttyUSB0)"), "(ttyUSB0)");
    EXPECT_EQ(WithoutTrailingPortName(" (ttyUSB0)"), " (ttyUSB0)") << "nothing would be left";
    EXPECT_EQ(WithoutTrailingPortName("USB Bridge (ttyUSB0) rev"), "USB Bridge (ttyUSB0) rev");
    EXPECT_EQ(ParenthesisedName("A (ttyUSB0) (x)"), "ttyUSB0");
    EXPECT_EQ(ParenthesisedName("A (ttyUSB0"), "");
}

TEST(SerialPortEnumeration, ProbingDropsPortsThatCannotBeOpenedAndErrorsKeepEarlierPorts) {
    FakePortSource source({{Port("ttyUSB0", "CP2102 USB (ttyUSB0)", "a"),
                            Port("ttyUSB1", "CP2102 USB (ttyUSB1)", "b")},
                           "Could not read /sys/class/tty (err=5)"});
    std::vector<SerialPortRecord> records;
    const PortProbe onlyFirst = [](const std::string& path) { return path == "/dev/ttyUSB0"; };
    EXPECT_EQ(EnumerateSerialPorts(source, records, true, onlyFirst),
              "Could not read /sys/class/tty (err=5)");
    EXPECT_EQ(DisplayNames(records), std::vector<std::string>{"ttyUSB0"});
    EnumerateSerialPorts(source, records, false, onlyFirst);
    EXPECT_EQ(records.size(), 2u) << "without probing nothing is opened";
}

TEST(ConnectPortList, EveryPortIsListedWithTheBridgesFirstAndMarked) {
    FakePortSource source({{Port("ttyS0", "serial8250 (ttyS0)", "serial8250", false),
                            Port("ttyUSB1", "FTDI FT232R USB UART (ttyUSB1)", "FT232R USB UART"),
                            Port("ttyUSB0", "Silicon Labs CP2102 USB to UART Bridge (ttyUSB0)",
                                 "CP2102 USB to UART Bridge (ttyUSB0)"),
                            Port("ttyACM0", std::nullopt, std::nullopt)},
                           ""});
    const std::vector<SerialPortRecord> ports = ListEveryPort(source);
    EXPECT_EQ(DisplayNames(ports),
              (std::vector<std::string>{"ttyUSB0", "ttyS0", "ttyUSB1", "ttyACM0"}));
    ASSERT_EQ(ports.size(), 4u);
    EXPECT_EQ(ports[0].usbBridge, 1);
    EXPECT_EQ(ports[0].description, "CP2102 USB to UART Bridge");
    EXPECT_EQ(ports[1].usbBridge, 0) << "the bridge rule marks; it does not hide";
    EXPECT_EQ(ports[2].usbBridge, 0) << "another bridge chip";
    EXPECT_EQ(ports[3].devicePath, "/dev/ttyACM0") << "a port without names keeps its own name";
}

TEST(ConnectPortList, ChoosesTheStoredPortAnUnlistedPathTheFirstBridgeOrNothing) {
    const std::vector<SerialPortRecord> ports = {{"/dev/ttyS0", "ttyS0", "ttyS0", 0, "x"},
                                                 {"/dev/ttyUSB0", "ttyUSB0", "ttyUSB0", 1, "a"},
                                                 {"/dev/ttyUSB1", "ttyUSB1", "ttyUSB1", 1, "b"}};
    struct Case {
        std::vector<SerialPortRecord> ports;
        std::string stored;
        int selected;
        std::string otherPath;
        std::string serialPortName;
        const char* why;
    };
    const Case cases[] = {
        {ports, "ttyUSB1", 2, "", "ttyUSB1", "the stored port"},
        {ports, "/dev/ttyS0", 0, "", "ttyS0", "the stored port by its path"},
        {ports, "", 1, "", "ttyUSB0", "the first bridge"},
        {ports, "/dev/pts/7", ConnectPortChoice::kOtherPort, "/dev/pts/7", "/dev/pts/7",
         "a stored pseudo-terminal under Other..."},
        {{ports[0]}, "", 0, "", "ttyS0", "no bridge: the first port"},
        {{}, "", ConnectPortChoice::kOtherPort, "", "", "no port at all: nothing, never NULL"},
    };
    for (const Case& c : cases) {
        const ConnectPortChoice choice = ChooseConnectPorts(c.ports, c.stored);
        EXPECT_EQ(choice.selected, c.selected) << c.why;
        EXPECT_EQ(choice.otherPath, c.otherPath) << c.why;
        EXPECT_EQ(choice.serialPortName, c.serialPortName) << c.why;
        EXPECT_EQ(choice.ports.size(), c.ports.size()) << c.why;
    }
}

TEST(SysfsPortSource, BuildsFriendlyNamesFromTheUsbParent) {
    namespace fs = std::filesystem;
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const fs::path sys = root.path().toStdString();
    const fs::path usb = sys / "devices/pci0000:00/usb1/1-1";
    const fs::path usbInterface = usb / "1-1:1.0/ttyUSB0";
    fs::create_directories(usbInterface);
    fs::create_directories(sys / "devices/platform/serial8250/tty/ttyS0");
    fs::create_directories(sys / "bus/platform/drivers/serial8250");
    std::ofstream(usb / "idVendor") << "10c4\n";
    std::ofstream(usb / "manufacturer") << "Silicon Labs\n";
    std::ofstream(usb / "product") << "CP2102 USB to UART Bridge Controller\n";
    fs::create_directories(sys / "class/tty/ttyUSB0");
    fs::create_directories(sys / "class/tty/ttyS0");
    fs::create_directories(sys / "class/tty/pts0");  // no device: not listed
    fs::create_directory_symlink(usbInterface, sys / "class/tty/ttyUSB0/device");
    fs::create_directory_symlink(sys / "devices/platform/serial8250",
                                 sys / "class/tty/ttyS0/device");
    fs::create_directory_symlink(sys / "bus/platform/drivers/serial8250",
                                 sys / "devices/platform/serial8250/driver");

    SysfsPortSource source(sys.string(), "/dev");
    const PortListing listing = source.List();
    EXPECT_EQ(listing.error, "");
    ASSERT_EQ(listing.ports.size(), 2u);
    EXPECT_EQ(listing.ports[0].portName, "ttyS0");
    EXPECT_FALSE(listing.ports[0].hasLocation);
    EXPECT_EQ(listing.ports[0].friendlyName, "serial8250 (ttyS0)");
    EXPECT_EQ(listing.ports[1].devicePath, "/dev/ttyUSB0");
    EXPECT_TRUE(listing.ports[1].hasLocation);
    EXPECT_EQ(listing.ports[1].friendlyName,
              "Silicon Labs CP2102 USB to UART Bridge Controller (ttyUSB0)");
    EXPECT_EQ(listing.ports[1].description, "CP2102 USB to UART Bridge Controller");

    std::vector<SerialPortRecord> records;
    EnumerateSerialPorts(source, records, false);
    EXPECT_EQ(DisplayNames(records), std::vector<std::string>{"ttyUSB0"});

    SysfsPortSource missing((sys / "nowhere").string());
    EXPECT_NE(missing.List().error, "");
}

}  // namespace
