// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "device/DeviceArguments.h"
#include "device/DeviceSummaryJson.h"
#include "device/LinkAddress.h"
#include "model/PresetStore.h"
#include "model/SystemData.h"

namespace {

using cli::LinkAddress;

struct AddressCase {
    const char* text;
    bool valid;
    LinkKind kind;
    const char* host;
    int port;
    const char* path;
};

class LinkAddressParsing : public ::testing::TestWithParam<AddressCase> {};

TEST_P(LinkAddressParsing, AcceptsOnlyTheThreeFormsWithAUsablePort) {
    const AddressCase& c = GetParam();
    const auto parsed = cli::ParseLinkAddress(c.text);
    ASSERT_EQ(std::holds_alternative<LinkAddress>(parsed), c.valid) << c.text;
    if (!c.valid) {
        EXPECT_NE(std::get<std::string>(parsed).find(c.text), std::string::npos)
            << "the message names what was given";
        return;
    }
    const LinkAddress& address = std::get<LinkAddress>(parsed);
    EXPECT_EQ(address.kind, c.kind);
    EXPECT_EQ(address.host, c.host);
    EXPECT_EQ(address.port, c.port);
    EXPECT_EQ(address.serialPath, c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkAddressParsing,
    ::testing::Values(
        AddressCase{"tcp:127.0.0.1:8080", true, LinkKind::Network, "127.0.0.1", 8080, ""},
        AddressCase{"tcp:localhost:1", true, LinkKind::Network, "localhost", 1, ""},
        AddressCase{"tcp:::1:65535", true, LinkKind::Network, "::1", 65535, ""},
        AddressCase{"serial:/dev/ttyUSB0", true, LinkKind::Serial, "", 0, "/dev/ttyUSB0"},
        AddressCase{"serial:ttyUSB1", true, LinkKind::Serial, "", 0, "ttyUSB1"},
        AddressCase{"usb", true, LinkKind::Usb, "", 0, ""},
        AddressCase{"tcp:127.0.0.1", false, LinkKind::None, "", 0, ""},
        AddressCase{"tcp::8080", false, LinkKind::None, "", 0, ""},
        AddressCase{"tcp:127.0.0.1:0", false, LinkKind::None, "", 0, ""},
        AddressCase{"tcp:127.0.0.1:65536", false, LinkKind::None, "", 0, ""},
        AddressCase{"tcp:127.0.0.1:80x", false, LinkKind::None, "", 0, ""},
        AddressCase{"tcp:127.0.0.1:-5", false, LinkKind::None, "", 0, ""},
        AddressCase{"serial:", false, LinkKind::None, "", 0, ""},
        AddressCase{"usb:", false, LinkKind::None, "", 0, ""},
        AddressCase{"192.168.1.100", false, LinkKind::None, "", 0, ""}));

TEST(DeviceArguments, OptionsMayStandAnywhereAroundTheCommand) {
    const auto parsed = cli::ParseDeviceArguments(
        {"recall", "--timeout", "5", "7", "-v", "--link", "usb", "--out", "x.dia"});
    ASSERT_TRUE(std::holds_alternative<cli::DeviceArguments>(parsed));
    const auto& arguments = std::get<cli::DeviceArguments>(parsed);
    EXPECT_EQ(arguments.command, "recall");
    EXPECT_EQ(arguments.operands, std::vector<std::string>{"7"});
    EXPECT_EQ(arguments.timeoutSeconds, 5);
    EXPECT_TRUE(arguments.verbose);
    ASSERT_TRUE(arguments.link);
    EXPECT_EQ(arguments.link->kind, LinkKind::Usb);
    EXPECT_EQ(arguments.outPath, "x.dia");
}

TEST(DeviceArguments, MissingValuesAndBadTimeOutsAreErrors) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{"read", "--link"},
                                                  {"read", "--timeout", "0"},
                                                  {"read", "--timeout", "ten"},
                                                  {"--link", "usb"},
                                                  {"read", "--link", "tcp:x"}}) {
        EXPECT_TRUE(std::holds_alternative<std::string>(cli::ParseDeviceArguments(words)))
            << words.back();
    }
}

TEST(DeviceArguments, FileCommandsAreNotTakenForDeviceCommands) {
    EXPECT_FALSE(cli::IsDeviceCommandLine({"image", "read"}));
    EXPECT_FALSE(cli::IsDeviceCommandLine({"new", "x.dia"}));
    EXPECT_FALSE(cli::IsDeviceCommandLine({}));
    EXPECT_TRUE(cli::IsDeviceCommandLine({"read"}));
    EXPECT_TRUE(cli::IsDeviceCommandLine({"--out", "x.dia", "recall", "3"}));
    EXPECT_TRUE(cli::IsDeviceCommandLine({"ports"}));
    EXPECT_TRUE(cli::IsDeviceCommandLine({"image", "x.dia", "--link", "usb"}));
}

TEST(DeviceSummaryJson, NamesThatAreNotUtf8StayValidJsonByteForByte) {
    EXPECT_EQ(cli::JsonString("Club \"A\"\\"), R"("Club \"A\"\\")");
    EXPECT_EQ(cli::JsonString("\x01tab\t"), R"("\u0001tab\u0009")");
    EXPECT_EQ(cli::JsonString("热舞"), "\"热舞\"") << "UTF-8 passes through";
    // "热舞" in GBK.
    EXPECT_EQ(cli::JsonString("\xC8\xC8\xCE\xE8"), R"("\u00c8\u00c8\u00ce\u00e8")");
}

TEST(DeviceSummaryJson, ListsTwentyOneNamesAndSeventeenSystemBytes) {
    PresetStore presets;
    presets.SetName(0, "Current");
    presets.SetName(20, "Last");
    SystemData system;
    system.SetByte(16, 2);
    const std::string json = cli::DeviceSummaryJson(presets, system);
    EXPECT_EQ(
        json,
        R"({"names":["Current","","","","","","","","","","","","","","","","","","","","Last"],)"
        R"("system":[0,0,0,0,0,0,0,50,0,0,50,0,0,50,0,0,2]})");
}

}  // namespace
