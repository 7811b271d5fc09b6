// The menu of one permission digit: row i names the rights that digit i gives.
#pragma once

#include "framework/PopupMenu.h"

class PermissionsPupMnu : public fw::PopupMenu {
 public:
  using fw::PopupMenu::PopupMenu;

  // Adds the eight rows, selects none, then raises this class's own Open.
  void Event_Open() override;

  fw::Event<void()> Open;
};
