#include "framework/Menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "framework/Application.h"
#include "framework/QtBridge.h"
#include "framework/Runtime.h"
#include "framework/TextField.h"

namespace fw {

void MenuItem::Append(MenuItemPtr item) { children_.push_back(std::move(item)); }

MenuItemPtr MenuItem::Item(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return children_[size_t(index)];
}

MenuItemPtr MenuItem::Child(const String& name) const {
  for (const auto& c : children_)
    if (c && c->Name == name) return c;
  return nullptr;
}

MenuItemPtr MenuItem::Lookup(const String& name) const {
  for (const auto& c : children_) {
    if (!c) continue;
    if (c->Name == name) return c;
    if (auto found = c->Lookup(name)) return found;
  }
  return nullptr;
}

namespace {

TextField* FocusedTextField() {
  auto* b = dynamic_cast<detail::BridgeBase*>(QApplication::focusWidget());
  return b ? dynamic_cast<TextField*>(b->ctl) : nullptr;
}

enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand CommandFor(const String& name) {
  static const struct {
    const char* name;
    EditCommand command;
  } table[] = {{"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},
               {"EditCopy", EditCommand::Copy},   {"EditPaste", EditCommand::Paste},
               {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll}};
  for (const auto& e : table)
    if (name == QLatin1String(e.name)) return e.command;
  return EditCommand::None;
}

}  // namespace

void MenuItem::StandardAction() {
  EditCommand command = CommandFor(Name);
  if (command == EditCommand::None || !StandardActionAvailable()) return;
  TextField* f = FocusedTextField();
  switch (command) {
    case EditCommand::Undo: f->Undo(); break;
    case EditCommand::Cut: f->Cut(); break;
    case EditCommand::Copy: f->Copy(); break;
    case EditCommand::Paste: f->Paste(); break;
    case EditCommand::Clear: f->Clear(); break;
    case EditCommand::SelectAll: f->SelectAll(); break;
    case EditCommand::None: break;
  }
}

bool MenuItem::StandardActionAvailable() const {
  EditCommand command = CommandFor(Name);
  if (command == EditCommand::None) return true;
  TextField* f = FocusedTextField();
  if (!f || !f->Enabled()) return false;
  QLineEdit* e = f->LineEdit();
  bool writable = !e->isReadOnly();
  switch (command) {
    case EditCommand::Undo: return writable && e->isUndoAvailable();
    case EditCommand::Cut: return writable && e->hasSelectedText() && e->echoMode() == QLineEdit::Normal;
    case EditCommand::Copy: return e->hasSelectedText() && e->echoMode() == QLineEdit::Normal;
    case EditCommand::Paste: return writable && !QApplication::clipboard()->text().isEmpty();
    case EditCommand::Clear: return writable && (e->hasSelectedText() || e->cursorPosition() < e->text().size());
    case EditCommand::SelectAll: return !e->text().isEmpty();
    case EditCommand::None: break;
  }
  return true;
}

void QuitMenuItem::StandardAction() {
  if (auto app = GetAppObject()) app->Quit();
  else detail::EndEventLoop(0);
}

namespace detail {

String QtShortcut(const String& shortcut) {
  QStringList parts = shortcut.split(QLatin1Char('+'));
  for (auto& p : parts)
    if (p.compare(QLatin1String("Cmd"), Qt::CaseInsensitive) == 0) p = QStringLiteral("Ctrl");
  return parts.join(QLatin1Char('+'));
}

void FillQtMenu(QMenu* menu, const MenuItemPtr& item) {
  std::vector<std::pair<QAction*, MenuItemPtr>> entries;
  for (int i = 0; i < item->Count(); ++i) {
    MenuItemPtr child = item->Item(i);
    if (!child || !child->Visible) continue;
    if (child->IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    if (child->Count() > 0) {
      FillQtMenu(menu->addMenu(child->Text), child);
      continue;
    }
    QAction* a = menu->addAction(child->Text);
    if (!child->KeyboardShortcut.isEmpty())
      a->setShortcut(QKeySequence(QtShortcut(child->KeyboardShortcut), QKeySequence::PortableText));
    QObject::connect(a, &QAction::triggered, a, [child] {
      if (!child->Event_Action()) child->StandardAction();
    });
    entries.emplace_back(a, child);
  }
  // Enabling is decided each time the menu opens. Closed, every enabled item takes its
  // shortcut, and the standard action checks again whether it can act.
  QObject::connect(menu, &QMenu::aboutToShow, menu, [entries] {
    for (const auto& [action, child] : entries)
      action->setEnabled(child->Enabled && (!child->AutoEnable || child->StandardActionAvailable()));
  });
  QObject::connect(menu, &QMenu::aboutToHide, menu, [entries] {
    for (const auto& [action, child] : entries) action->setEnabled(child->Enabled);
  });
  // A menu of the bar dismissed with Escape leaves the bar holding the keyboard, and the next
  // key would open a menu again: the keyboard goes back to the field that had it.
  if (auto* bar = qobject_cast<QMenuBar*>(menu->parentWidget())) {
    QObject::connect(menu, &QMenu::aboutToHide, bar, [bar] {
      QTimer::singleShot(0, bar, [bar] {
        if (QApplication::activePopupWidget()) return;  // another menu of the bar opened
        QWidget* window = bar->window();
        if (window->focusWidget() == bar) {
          QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
          QApplication::sendEvent(bar, &escape);
        }
        QWidget* field = LogicalFocusWidget();
        QWidget* now = window->focusWidget();
        if (field && field->window() == window && (!now || now == bar)) field->setFocus(Qt::MenuBarFocusReason);
      });
    });
  }
}

}  // namespace detail

}  // namespace fw
