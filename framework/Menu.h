// Menu items, the menu bar and the Quit item. An item tree is data; a window shows it as a Qt
// menu bar built from the tree when the bar is set.
#pragma once

#include <memory>
#include <vector>

#include "framework/Core.h"

class QMenu;
class QWidget;

namespace fw {

class MenuItem;
using MenuItemPtr = std::shared_ptr<MenuItem>;

class MenuItem : public Object {
 public:
  MenuItem() = default;
  explicit MenuItem(const String& text) : Text(text) {}

  // Found by Child and Lookup; the standard Edit commands are known by their names (EditUndo,
  // EditCut, EditCopy, EditPaste, EditClear, EditSelectAll).
  String Name;
  // Shown as given: "&" marks the mnemonic; the text "-" makes a separator line.
  String Text;
  // As "Cmd+Q": Cmd is the Control key here. Empty: no shortcut.
  String KeyboardShortcut;
  // With AutoEnable the framework enables the item when its standard action can act.
  bool AutoEnable = true;
  bool Enabled = true;
  bool Visible = true;

  void Append(MenuItemPtr item);
  int Count() const { return int(children_.size()); }
  // The item at that index, or Nil.
  MenuItemPtr Item(int index) const;
  // The direct child of that name, or Nil.
  MenuItemPtr Child(const String& name) const;
  // The first item of that name anywhere below this one, depth first, or Nil.
  MenuItemPtr Lookup(const String& name) const;

  bool IsSeparator() const { return Text == QLatin1String("-"); }

  // Raised when the user chooses the item; True: handled, the standard action does not run.
  Event<bool()> Action;
  virtual bool Event_Action() { return Action.Raise(*this); }
  // What the framework does with a chosen item nothing handled: the Edit commands act on the
  // focused text field; other items do nothing.
  virtual void StandardAction();
  // Whether the standard action can act now (for AutoEnable).
  virtual bool StandardActionAvailable() const;

 private:
  std::vector<MenuItemPtr> children_;
};

class MenuBar : public MenuItem {};

// Quits the application when chosen, unless its Action handler says it handled the choice.
class QuitMenuItem : public MenuItem {
 public:
  using MenuItem::MenuItem;
  void StandardAction() override;
  bool StandardActionAvailable() const override { return true; }
};

namespace detail {
// Fills a Qt menu with the visible children of item; choosing an entry runs the item's action.
void FillQtMenu(QMenu* menu, const MenuItemPtr& item);
// The key sequence text Qt reads for a shortcut written as "Cmd+Q".
String QtShortcut(const String& shortcut);
}  // namespace detail

}  // namespace fw
