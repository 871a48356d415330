// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace quorvel {

// A cursor over a file's bytes that never reads past the end: every read says whether it could.
class ByteReader {
  public:
    explicit ByteReader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    std::size_t size() const { return bytes_.size(); }
    std::size_t offset() const { return pos_; }
    bool seek(std::size_t offset) {
        if (offset > bytes_.size()) return false;
        pos_ = offset;
        return true;
    }

    std::optional<std::int16_t> i16() {
        if (bytes_.size() - pos_ < 2) return std::nullopt;
        const auto v = static_cast<std::uint16_t>(byte(0) | (byte(1) << 8));
        pos_ += 2;
        return static_cast<std::int16_t>(v);
    }
    std::optional<std::int32_t> i32() {
        if (bytes_.size() - pos_ < 4) return std::nullopt;
        const std::uint32_t v =
            byte(0) | (byte(1) << 8) | (byte(2) << 16) | (static_cast<std::uint32_t>(byte(3)) << 24);
        pos_ += 4;
        return static_cast<std::int32_t>(v);
    }
    // Exactly n raw bytes.
    std::optional<std::string> raw(std::size_t n) {
        if (bytes_.size() - pos_ < n) return std::nullopt;
        std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
        pos_ += n;
        return s;
    }

  private:
    std::uint32_t byte(std::size_t k) const { return static_cast<std::uint32_t>(bytes_[pos_ + k]); }
    std::span<const std::byte> bytes_;
    std::size_t pos_ = 0;
};

}  // namespace quorvel
