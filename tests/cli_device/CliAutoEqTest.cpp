// SPDX-License-Identifier: GPL-3.0-or-later
// `autoeq --link` against a simulated device on 127.0.0.1: the fitted bands
// reach the device through the rows `set` would send, and a bad file stops
// the command before the device is reached.
#include <gtest/gtest.h>

#include <QTcpServer>

#include <sstream>
#include <string>
#include <vector>

#include "core/SimulatedDevice.h"
#include "device/RunCli.h"
#include "links/TestApp.h"
#include "protocol/Frame.h"
#include "transport/TcpDeviceServer.h"

namespace {

const std::string kRooms = std::string(SONAVEL_TEST_DATA_DIR) + "/roomeq/";

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

class CliAutoEq : public ::testing::Test {
  protected:
    CliAutoEq() : server(device) {
        TestApp();
        environment.pumpIntervalMs = 5;
        EXPECT_TRUE(server.Listen());
    }

    Result Run(std::vector<std::string> words) {
        words.insert(words.begin(), {"--link", "tcp:127.0.0.1:" + std::to_string(server.Port()),
                                     "--timeout", "20"});
        std::ostringstream out;
        std::ostringstream err;
        Result result;
        result.status = cli::RunCli(words, out, err, environment);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    int RowWrites() const {
        int rows = 0;
        for (const devsim::ReceivedFrame& frame : device.Log()) {
            rows += frame.valid && frame.bytes[5] == Command::kWrite ? 1 : 0;
        }
        return rows;
    }

    devsim::SimulatedDevice device;
    devsim::TcpDeviceServer server;
    cli::DeviceEnvironment environment;
};

// The value of "PATH": in a `show` listing.
std::string Shown(const std::string& listing, const std::string& path) {
    const size_t at = listing.find("\"" + path + "\": ");
    EXPECT_NE(at, std::string::npos) << path;
    const size_t start = at + path.size() + 4;
    return listing.substr(start, listing.find_first_of(",\n", start) - start);
}

TEST_F(CliAutoEq, TheFittedBandsReachTheDeviceAsSetSendsThem) {
    const Result fitted = Run({"autoeq", kRooms + "room-rew.txt", "--channel", "out2"});
    ASSERT_EQ(fitted.status, 0) << fitted.err;
    EXPECT_NE(fitted.out.find("\"link\": \"tcp:127.0.0.1:"), std::string::npos) << fitted.out;
    EXPECT_NE(fitted.out.find("\"path\": \"out2.band5\""), std::string::npos);
    EXPECT_GT(RowWrites(), 0);

    const Result shown = Run({"show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    // Each band the command printed is what the device now holds.
    size_t at = 0;
    int bands = 0;
    while ((at = fitted.out.find("{\"path\": \"out2.band", at)) != std::string::npos) {
        const std::string line = fitted.out.substr(at, fitted.out.find('}', at) - at);
        const std::string path = line.substr(10, line.find('"', 10) - 10);
        const size_t freq = line.find("\"freq\": ");
        if (freq != std::string::npos) {
            EXPECT_EQ(Shown(shown.out, path + ".freq"),
                      line.substr(freq + 8, line.find(',', freq) - freq - 8));
            const size_t gain = line.find("\"gain\": ");
            EXPECT_EQ(Shown(shown.out, path + ".gain"), line.substr(gain + 8));
        }
        ++bands;
        ++at;
    }
    EXPECT_EQ(bands, 5);
}

TEST_F(CliAutoEq, ABadFileOrArgumentReachesNoDevice) {
    const Result bad = Run({"autoeq", kRooms + "bad-order.txt", "--channel", "out0"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "bad-order.txt, line 4: the frequencies do not increase (30)\n");
    const Result both =
        Run({"autoeq", kRooms + "room-rew.txt", "--channel", "out0", "--out", "/tmp/never.dia"});
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(device.Log().empty());
}
}  // namespace
