#pragma once
// "The newest request wins": each request takes a ticket; a worker of an older ticket writes nothing more.

#include <atomic>
#include <cstdint>
#include <memory>

namespace morvessa {

class RequestSerial final {
 public:
  class Ticket {
   public:
    bool is_current() const { return counter_->load(std::memory_order_acquire) == value_; }

   private:
    friend class RequestSerial;
    Ticket(std::shared_ptr<std::atomic<std::uint64_t>> counter, std::uint64_t value)
        : counter_(std::move(counter)), value_(value) {}
    std::shared_ptr<std::atomic<std::uint64_t>> counter_;
    std::uint64_t value_;
  };

  // A new request: every earlier ticket stops being current.
  Ticket begin() { return Ticket(counter_, counter_->fetch_add(1, std::memory_order_acq_rel) + 1); }

 private:
  std::shared_ptr<std::atomic<std::uint64_t>> counter_ = std::make_shared<std::atomic<std::uint64_t>>(0);
};

}  // namespace morvessa
