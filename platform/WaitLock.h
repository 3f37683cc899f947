#pragma once
#include <memory>

// A lock with one condition to wait on, for threads that hand work to each other; usable with
// std::lock_guard and std::unique_lock. On Windows it is the system's slim lock and condition variable:
// under Wine the C++ library's mutex and condition variable wait on kernel objects, a round trip to
// the Wine server for each wait and wake, and the search's hand-over of folders between threads cost
// more than its second core gave.
class WaitLock {
 public:
  WaitLock();
  ~WaitLock();
  WaitLock(const WaitLock&) = delete;
  WaitLock& operator=(const WaitLock&) = delete;

  void lock();
  void unlock();
  // Called with the lock held: releases it while waiting for a notification, and holds it again.
  void Wait();
  template <typename Predicate>
  void Wait(Predicate done) {
    while (!done()) Wait();
  }
  void NotifyAll();

 private:
  struct State;
  std::unique_ptr<State> state_;
};
