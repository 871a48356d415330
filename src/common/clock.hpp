// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/day_number.hpp"

namespace quorvel {

// What the program believes is today. Tests and the command-line tool replace it.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual DayNumber today() const = 0;
};

class SystemClock final : public Clock {
  public:
    DayNumber today() const override;
};

class FixedClock final : public Clock {
  public:
    explicit FixedClock(DayNumber day) : day_(day) {}
    DayNumber today() const override { return day_; }
    void set(DayNumber day) { day_ = day; }

  private:
    DayNumber day_;
};

}  // namespace quorvel
