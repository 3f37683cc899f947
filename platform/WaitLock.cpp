#include "platform/WaitLock.h"

#ifdef _WIN32
#include <windows.h>

struct WaitLock::State {
  SRWLOCK lock = SRWLOCK_INIT;
  CONDITION_VARIABLE condition = CONDITION_VARIABLE_INIT;
};

void WaitLock::lock() { AcquireSRWLockExclusive(&state_->lock); }
void WaitLock::unlock() { ReleaseSRWLockExclusive(&state_->lock); }
void WaitLock::Wait() { SleepConditionVariableSRW(&state_->condition, &state_->lock, INFINITE, 0); }
void WaitLock::NotifyAll() { WakeAllConditionVariable(&state_->condition); }

#else
#include <condition_variable>
#include <mutex>

struct WaitLock::State {
  std::mutex mutex;
  std::condition_variable condition;
};

void WaitLock::lock() { state_->mutex.lock(); }
void WaitLock::unlock() { state_->mutex.unlock(); }

void WaitLock::Wait() {
  std::unique_lock<std::mutex> held(state_->mutex, std::adopt_lock);
  state_->condition.wait(held);
  held.release();  // the caller keeps holding it
}

void WaitLock::NotifyAll() { state_->condition.notify_all(); }
#endif

WaitLock::WaitLock() : state_(std::make_unique<State>()) {}
WaitLock::~WaitLock() = default;
