#include "app/MainMenuBar.h"

namespace {

std::shared_ptr<MainMenuBar> slot;

// The shortcut step is skipped for the separators.
struct Row {
  const char* name;
  const char* text;
  const char* shortcut;  // nullptr: not set
};

template <class Item = fw::MenuItem>
fw::MenuItemPtr MakeItem(const Row& r) {
  auto item = std::make_shared<Item>();
  item->Name = QString::fromUtf8(r.name);
  item->AutoEnable = true;
  item->Text = QString::fromUtf8(r.text);
  item->Visible = true;
  if (r.shortcut) item->KeyboardShortcut = QString::fromUtf8(r.shortcut);
  return item;
}

void AppendToMenu(fw::MenuBar& bar, const char* menuName, fw::MenuItemPtr item) {
  fw::Deref(bar.Child(QString::fromUtf8(menuName))).Append(std::move(item));
}

}  // namespace

MainMenuBar::MainMenuBar() {
  // This class's own steps: no subclass exists while the base is built.
  MainMenuBar::Untitled0();
  MainMenuBar::Untitled1();
}

void MainMenuBar::Untitled0() {
  Append(MakeItem({"FileMenu", "&File", ""}));
  AppendToMenu(*this, "FileMenu", MakeItem<fw::QuitMenuItem>({"FileQuit", "&Quit", "Cmd+Q"}));
}

void MainMenuBar::Untitled1() {
  Append(MakeItem({"EditMenu", "&Edit", ""}));
  static const Row rows[] = {
      {"EditUndo", "&Undo", "Cmd+Z"},   {"EditSeparator1", "-", nullptr},          {"EditCut", "Cu&t", "Cmd+X"},
      {"EditCopy", "&Copy", "Cmd+C"},   {"EditPaste", "&Paste", "Cmd+V"},          {"EditClear", "&Delete", ""},
      {"EditSeparator2", "-", nullptr}, {"EditSelectAll", "Select &All", "Cmd+A"},
  };
  for (const Row& r : rows) AppendToMenu(*this, "EditMenu", MakeItem(r));
}

std::shared_ptr<MainMenuBar> MainMenuBar::Instance() {
  if (!slot) slot = std::make_shared<MainMenuBar>();
  return slot;
}

void MainMenuBar::ReleaseInstance() { slot.reset(); }
