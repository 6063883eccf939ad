// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of one outgoing frame. Polls, reads, name and row writes are a few
// tens of bytes and live inside the message that holds them, so such a
// message costs one allocation, not two; only the large writes (a whole
// output record or program) keep their bytes on the heap.
//
// The constraint: a frame is written once, when it is made, and only read
// after that, so there is no way to change or grow it.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <utility>
#include <vector>

class FrameBytes {
  public:
    // The longest request that is not a large write is a name write: a
    // 16-byte payload in a 30-byte frame.
    static constexpr size_t kInlineCapacity = 32;

    using value_type = uint8_t;
    using const_iterator = const uint8_t*;
    using iterator = const_iterator;

    FrameBytes() = default;
    explicit FrameBytes(std::span<const uint8_t> bytes) : FrameBytes(Storage(bytes.size())) {
        std::copy(bytes.begin(), bytes.end(), Writable());
    }

    // `size` bytes written once, in place, by `fill(std::span<uint8_t>)`.
    template <class Fill>
    static FrameBytes Filled(size_t size, Fill&& fill) {
        FrameBytes bytes{Storage(size)};
        std::forward<Fill>(fill)(std::span<uint8_t>(bytes.Writable(), size));
        return bytes;
    }

    FrameBytes(const FrameBytes& other) : FrameBytes(other.Span()) {}
    FrameBytes(FrameBytes&& other) noexcept { TakeFrom(other); }
    FrameBytes& operator=(const FrameBytes& other) {
        if (this != &other) {
            *this = FrameBytes(other);
        }
        return *this;
    }
    FrameBytes& operator=(FrameBytes&& other) noexcept {
        if (this != &other) {
            TakeFrom(other);
        }
        return *this;
    }
    ~FrameBytes() = default;

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const uint8_t* data() const { return IsInline() ? inline_.data() : heap_.get(); }
    uint8_t operator[](size_t index) const { return data()[index]; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size_; }

    // Being a contiguous range, a frame also converts to a span implicitly.
    std::span<const uint8_t> Span() const { return {data(), size_}; }
    std::vector<uint8_t> ToVector() const { return {begin(), end()}; }

    friend bool operator==(const FrameBytes& left, const FrameBytes& right) {
        return std::ranges::equal(left.Span(), right.Span());
    }
    friend bool operator==(const FrameBytes& left, std::span<const uint8_t> right) {
        return std::ranges::equal(left.Span(), right);
    }

  private:
    struct Storage {
        explicit Storage(size_t bytes) : size(bytes) {}
        size_t size;
    };

    explicit FrameBytes(Storage storage) : size_(storage.size) {
        if (!IsInline()) {
            heap_ = std::make_unique_for_overwrite<uint8_t[]>(size_);
        }
    }

    bool IsInline() const { return size_ <= kInlineCapacity; }
    uint8_t* Writable() { return IsInline() ? inline_.data() : heap_.get(); }

    // A heap frame hands over its block; an inline one is copied. Either way
    // the source is left empty.
    void TakeFrom(FrameBytes& other) {
        size_ = other.size_;
        heap_ = std::move(other.heap_);
        if (IsInline()) {
            std::memcpy(inline_.data(), other.inline_.data(), size_);
        }
        other.size_ = 0;
    }

    size_t size_ = 0;
    std::unique_ptr<uint8_t[]> heap_;
    std::array<uint8_t, kInlineCapacity> inline_;
};
