#pragma once
// Work memory for the chunks of a parallel loop: a chunk takes a set that no running chunk holds and
// gives it back when it ends, so a call makes at most one set per thread and reuses it from chunk to
// chunk instead of making one per chunk. What a set holds never reaches a result.
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

template <class T>
class ScratchPool {
 public:
  class Lease {
   public:
    Lease(ScratchPool& pool, std::unique_ptr<T> item) : pool_(&pool), item_(std::move(item)) {}
    Lease(Lease&& other) noexcept : pool_(other.pool_), item_(std::move(other.item_)) {}
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    Lease& operator=(Lease&&) = delete;
    ~Lease() {
      if (item_) pool_->Give(std::move(item_));
    }
    T& operator*() { return *item_; }
    T* operator->() { return item_.get(); }

   private:
    ScratchPool* pool_;
    std::unique_ptr<T> item_;
  };

  Lease Take() {
    std::unique_ptr<T> item;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (!free_.empty()) {
        item = std::move(free_.back());
        free_.pop_back();
      }
    }
    if (!item) item = std::make_unique<T>();
    return Lease(*this, std::move(item));
  }

 private:
  void Give(std::unique_ptr<T> item) {
    std::lock_guard<std::mutex> lock(mutex_);
    free_.push_back(std::move(item));
  }

  std::mutex mutex_;
  std::vector<std::unique_ptr<T>> free_;
};
