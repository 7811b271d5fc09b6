#include "framework/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QWidget>

namespace fw {

namespace {

// On Linux Qt names a menu button by the row it shows, so three permission menus would all be
// announced as their rows. A menu given a name of its own keeps it; its row is its value.
class NamedMenuAccessible : public QAccessibleWidget {
 public:
  explicit NamedMenuAccessible(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return Box()->accessibleName();
    if (t == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList(QAccessibleActionInterface::showMenuAction()) + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& name) override {
    if (name == QAccessibleActionInterface::showMenuAction()) Box()->showPopup();
    else QAccessibleWidget::doAction(name);
  }
};

const char* const kNamedMenu = "fwNamedMenu";

QAccessibleInterface* NamedMenuFactory(const QString&, QObject* object) {
  auto* box = qobject_cast<QComboBox*>(object);
  if (!box || !box->property(kNamedMenu).toBool()) return nullptr;
  return new NamedMenuAccessible(box);
}

}  // namespace

void SetAccessibleName(RectControl& control, const String& name) {
  QWidget* w = control.Widget();
  if (!w) return;
  if (auto* box = qobject_cast<QComboBox*>(w)) {
    static const bool installed = (QAccessible::installFactory(&NamedMenuFactory), true);
    (void)installed;
    box->setProperty(kNamedMenu, true);
  }
  w->setAccessibleName(name);
}

String AccessibleName(const RectControl& control) {
  QWidget* w = control.Widget();
  return w ? w->accessibleName() : String();
}

void PutInTabOrderBefore(RectControl& control, RectControl& next) {
  QWidget* w = control.Widget();
  QWidget* n = next.Widget();
  if (!w || !n || w == n) return;
  // Qt links only widgets that take the focus: the one Tab now reaches just before next.
  QWidget* before = n->previousInFocusChain();
  while (before != n && !(before->focusPolicy() & Qt::TabFocus)) before = before->previousInFocusChain();
  if (before == w || before == n) return;
  QWidget::setTabOrder(before, w);
  QWidget::setTabOrder(w, n);
}

}  // namespace fw
