// SPDX-License-Identifier: GPL-3.0-or-later
// The byte stream of program files: little-endian numbers and length-prefixed
// strings, with no header, version or counts. One `Serialize(CArchive&)` per
// class walks its fields in file order for both directions, so the order is
// written down exactly once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// Thrown when a load runs past the end of the bytes or meets a string whose
// length prefix is larger than what is left.
class ArchiveError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class CArchive {
  public:
    // An archive that stores into an internal buffer.
    static CArchive ForStoring();
    // An archive that loads from bytes the caller keeps alive.
    static CArchive ForLoading(std::span<const uint8_t> bytes);
    // A load whose objects only prove that the bytes read; they are thrown
    // away, so they skip computing what follows from their fields (responses,
    // curves, geometry).
    static CArchive ForTrialLoading(std::span<const uint8_t> bytes);
    // Stores the program's content for telling whether the user changed it:
    // state that only follows the device (how far a crossover has walked) is
    // written as its target, so it never counts as a change.
    static CArchive ForComparing();

    bool IsStoring() const { return storing_; }
    bool IsLoading() const { return !storing_; }
    bool IsTrial() const { return trial_; }
    bool IsComparing() const { return comparing_; }

    // Each call writes the value when storing and replaces it when loading.
    void Byte(uint8_t& value);
    void Int32(int32_t& value);
    void Double(double& value);
    void String(std::string& text);

    const std::vector<uint8_t>& StoredBytes() const { return stored_; }
    // Bytes not yet consumed by a load.
    size_t RemainingBytes() const { return loadBytes_.size() - position_; }

  private:
    explicit CArchive(bool storing) : storing_(storing) {}
    std::span<const uint8_t> Take(size_t count);
    void Put(const void* data, size_t count);

    bool storing_;
    bool trial_ = false;
    bool comparing_ = false;
    std::vector<uint8_t> stored_;
    std::span<const uint8_t> loadBytes_;
    size_t position_ = 0;
};
