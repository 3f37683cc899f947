#pragma once
#include <cstdint>

// The warning before the timed shutdown, on a steady clock's milliseconds (one that a change of the
// time of day never moves): it counts 60 seconds down to the request. A postponement puts the request
// 10 minutes after the press and hides the warning until its last 60 seconds; a stop ends it without a
// request.
class ShutdownCountdown {
 public:
  static constexpr std::int64_t kWarningMilliseconds = 60000;
  static constexpr std::int64_t kPostponeMilliseconds = 600000;

  // What a tick of the second's timer calls for.
  enum class Step { Nothing, ShowWarning, Count, Request };

  void Start(std::int64_t now);
  void Postpone(std::int64_t now);
  void Stop() { phase_ = Phase::Off; }
  bool Running() const { return phase_ != Phase::Off; }
  Step Tick(std::int64_t now);
  // Whole seconds to the request, rounded up, from 60 down to 0.
  int SecondsLeft(std::int64_t now) const;

 private:
  enum class Phase { Off, Warning, Postponed };
  Phase phase_ = Phase::Off;
  std::int64_t requestAt_ = 0;
};
