// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/SysfsPortSource.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::string ReadLine(const fs::path& file) {
    std::ifstream stream(file);
    std::string line;
    std::getline(stream, line);
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.pop_back();
    }
    return line;
}

// The USB device (the directory with idVendor) above a tty's device, if any.
std::optional<fs::path> UsbParent(const fs::path& device) {
    std::error_code error;
    fs::path current = fs::canonical(device, error);
    if (error) {
        return std::nullopt;
    }
    for (; current.has_relative_path(); current = current.parent_path()) {
        if (fs::exists(current / "idVendor", error)) {
            return current;
        }
    }
    return std::nullopt;
}

std::string Joined(const std::string& first, const std::string& second) {
    if (first.empty()) {
        return second;
    }
    return second.empty() ? first : first + " " + second;
}

}  // namespace

SysfsPortSource::SysfsPortSource(std::string sysRoot, std::string devRoot)
    : sysRoot_(std::move(sysRoot)), devRoot_(std::move(devRoot)) {}

PortListing SysfsPortSource::List() {
    PortListing listing;
    const fs::path ttys = fs::path(sysRoot_) / "class" / "tty";
    std::error_code error;
    fs::directory_iterator entries(ttys, error);
    if (error) {
        listing.error =
            "Could not read " + ttys.string() + " (err=" + std::to_string(error.value()) + ")";
        return listing;
    }
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : entries) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const fs::path device = ttys / name / "device";
        if (!fs::exists(device, error)) {
            continue;
        }
        PortInterfaceInfo info;
        info.portName = name;
        info.devicePath = (fs::path(devRoot_) / name).string();
        if (const std::optional<fs::path> usb = UsbParent(device)) {
            const std::string product = ReadLine(*usb / "product");
            const std::string manufacturer = ReadLine(*usb / "manufacturer");
            info.hasLocation = true;
            info.description = product.empty() ? "USB Serial Port" : product;
            info.friendlyName = Joined(manufacturer, *info.description) + " (" + name + ")";
        } else {
            const fs::path driver = fs::read_symlink(device / "driver", error);
            const std::string kind = error ? "Communications Port" : driver.filename().string();
            info.description = kind;
            info.friendlyName = kind + " (" + name + ")";
        }
        listing.ports.push_back(std::move(info));
    }
    return listing;
}
