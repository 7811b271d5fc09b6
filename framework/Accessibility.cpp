#include "framework/Accessibility.h"

#include <QWidget>

namespace fw {

void SetAccessibleName(RectControl& control, const String& name) {
  if (QWidget* w = control.Widget()) w->setAccessibleName(name);
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
