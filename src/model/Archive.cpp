// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Archive.h"

#include <bit>
#include <cstring>

CArchive CArchive::ForStoring() {
    return CArchive(true);
}

CArchive CArchive::ForComparing() {
    CArchive archive(true);
    archive.comparing_ = true;
    return archive;
}

CArchive CArchive::ForLoading(std::span<const uint8_t> bytes) {
    CArchive archive(false);
    archive.loadBytes_ = bytes;
    return archive;
}

CArchive CArchive::ForTrialLoading(std::span<const uint8_t> bytes) {
    CArchive archive = ForLoading(bytes);
    archive.trial_ = true;
    return archive;
}

std::span<const uint8_t> CArchive::Take(size_t count) {
    if (count > RemainingBytes()) {
        throw ArchiveError("the file ends before the program is complete");
    }
    auto taken = loadBytes_.subspan(position_, count);
    position_ += count;
    return taken;
}

void CArchive::Put(const void* data, size_t count) {
    auto bytes = static_cast<const uint8_t*>(data);
    stored_.insert(stored_.end(), bytes, bytes + count);
}

namespace {
template <typename T>
void PutLittleEndian(std::vector<uint8_t>& out, T value) {
    for (size_t i = 0; i < sizeof(T); ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

template <typename T>
T GetLittleEndian(std::span<const uint8_t> bytes) {
    T value = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
        value |= static_cast<T>(static_cast<T>(bytes[i]) << (8 * i));
    }
    return value;
}
}  // namespace

void CArchive::Byte(uint8_t& value) {
    if (storing_) {
        stored_.push_back(value);
    } else {
        value = Take(1)[0];
    }
}

void CArchive::Int32(int32_t& value) {
    if (storing_) {
        PutLittleEndian(stored_, static_cast<uint32_t>(value));
    } else {
        value = static_cast<int32_t>(GetLittleEndian<uint32_t>(Take(4)));
    }
}

void CArchive::Double(double& value) {
    if (storing_) {
        PutLittleEndian(stored_, std::bit_cast<uint64_t>(value));
    } else {
        value = std::bit_cast<double>(GetLittleEndian<uint64_t>(Take(8)));
    }
}

void CArchive::String(std::string& text) {
    if (storing_) {
        const size_t length = text.size();
        if (length < 0xFF) {
            stored_.push_back(static_cast<uint8_t>(length));
        } else if (length < 0xFFFE) {
            stored_.push_back(0xFF);
            PutLittleEndian(stored_, static_cast<uint16_t>(length));
        } else {
            stored_.push_back(0xFF);
            PutLittleEndian(stored_, static_cast<uint16_t>(0xFFFF));
            PutLittleEndian(stored_, static_cast<uint32_t>(length));
        }
        Put(text.data(), length);
        return;
    }
    size_t length = Take(1)[0];
    if (length == 0xFF) {
        length = GetLittleEndian<uint16_t>(Take(2));
        if (length == 0xFFFF) {
            length = GetLittleEndian<uint32_t>(Take(4));
        }
    }
    // Take() refuses a length larger than the bytes left, so a corrupt prefix
    // can never ask for a huge allocation.
    auto bytes = Take(length);
    text.assign(bytes.begin(), bytes.end());
}
