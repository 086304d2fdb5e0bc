// A listing that holds the entries it found when it started, like the buffer
// behind a find handle, so changes to the tree meanwhile cannot disturb it.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace tarnsel::sim {

// `Listing` is the platform's listing interface, `Item` the entry it delivers.
template <typename Listing, typename Item>
class SnapshotListing final : public Listing {
 public:
  explicit SnapshotListing(std::vector<Item> items) : items_(std::move(items)) {}

  const Item& entry() const override { return items_[position_]; }

  bool next() override {
    if (position_ + 1 >= items_.size()) return false;
    ++position_;
    return true;
  }

 private:
  std::vector<Item> items_;
  std::size_t position_ = 0;
};

}  // namespace tarnsel::sim
