#include "tools/shutdown/ShutdownCountdown.h"

#include <algorithm>

void ShutdownCountdown::Start(std::int64_t now) {
  phase_ = Phase::Warning;
  requestAt_ = now + kWarningMilliseconds;
}

void ShutdownCountdown::Postpone(std::int64_t now) {
  phase_ = Phase::Postponed;
  requestAt_ = now + kPostponeMilliseconds;
}

ShutdownCountdown::Step ShutdownCountdown::Tick(std::int64_t now) {
  switch (phase_) {
    case Phase::Off:
      return Step::Nothing;
    case Phase::Postponed:
      if (requestAt_ - now > kWarningMilliseconds) return Step::Nothing;
      phase_ = Phase::Warning;
      return Step::ShowWarning;
    case Phase::Warning:
      if (now < requestAt_) return Step::Count;
      phase_ = Phase::Off;
      return Step::Request;
  }
  return Step::Nothing;
}

int ShutdownCountdown::SecondsLeft(std::int64_t now) const {
  const std::int64_t left = std::clamp<std::int64_t>(requestAt_ - now, 0, kWarningMilliseconds);
  return static_cast<int>((left + 999) / 1000);
}
