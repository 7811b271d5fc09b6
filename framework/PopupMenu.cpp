#include "framework/PopupMenu.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QWheelEvent>

#include "framework/QtBridge.h"

namespace fw {

namespace {
// A closed menu is changed only by a click that opens it or by the keyboard when it has the
// focus: the wheel passing over it scrolls on, as over any other part of the window.
class MenuBox : public detail::Bridged<QComboBox> {
 protected:
  void wheelEvent(QWheelEvent* e) override { e->ignore(); }
};
}  // namespace

PopupMenu::PopupMenu(ControlHost& host) : RectControl(host, new MenuBox()) {
  QComboBox* box = ComboBox();
  box->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(box, &QComboBox::currentIndexChanged, box, [this](int) {
    if (!quiet_) Event_Change();
  });
}

QComboBox* PopupMenu::ComboBox() const { return static_cast<QComboBox*>(Widget()); }

void PopupMenu::AddRow(const String& text) {
  QComboBox* box = ComboBox();
  int before = box->currentIndex();
  // The widget selects the first row added to an empty menu; the menu keeps what it had.
  quiet_ = true;
  box->addItem(text);
  if (box->currentIndex() != before) box->setCurrentIndex(before);
  quiet_ = false;
}

void PopupMenu::AddRows(const std::vector<String>& rows) {
  for (const auto& r : rows) AddRow(r);
}

int PopupMenu::ListCount() const { return ComboBox()->count(); }

String PopupMenu::List(int i) const { return ComboBox()->itemText(i); }

int PopupMenu::ListIndex() const { return ComboBox()->currentIndex(); }

void PopupMenu::SetListIndex(int index) {
  if (index < -1 || index >= ListCount()) return;
  ComboBox()->setCurrentIndex(index);
}

bool PopupMenu::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "InitialValue") {
    // Rows of the design, one a line.
    const String rows = AsString(v, name);
    if (!rows.isEmpty())
      for (const auto& r : rows.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) AddRow(r);
    return true;
  }
  if (name == "ListIndex") return SetListIndex(AsInt(v, name)), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
