// The items of one drop, read one at a time.
#pragma once

#include <vector>

#include "framework/FolderItem.h"

namespace fw {

class DragItem {
 public:
  // One entry per dragged item; an item that carries no file is a Nil entry.
  explicit DragItem(std::vector<FolderItemPtr> items) : items_(std::move(items)) {}

  bool FolderItemAvailable() const { return current_ < items_.size() && items_[current_] != nullptr; }
  FolderItemPtr FolderItem() const { return current_ < items_.size() ? items_[current_] : nullptr; }
  // Moves to the next item; false when there is none.
  bool NextItem() {
    if (current_ + 1 >= items_.size()) return false;
    ++current_;
    return true;
  }

 private:
  std::vector<FolderItemPtr> items_;
  size_t current_ = 0;
};

}  // namespace fw
