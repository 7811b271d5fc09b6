// A pop-up menu of text rows, one of which may be selected.
#pragma once

#include <vector>

#include "framework/Control.h"

class QComboBox;

namespace fw {

class PopupMenu : public RectControl {
 public:
  explicit PopupMenu(ControlHost& host);

  void AddRow(const String& text);
  void AddRows(const std::vector<String>& rows);
  int ListCount() const;
  // The text of row i; empty outside the rows.
  String List(int i) const;

  // The selected row, or -1 when none is. A menu starts with no row selected, also once rows are added.
  int ListIndex() const;
  // -1 selects no row; an index outside the rows is ignored. A change raises Change.
  void SetListIndex(int index);

  // Raised on every change of the selected row, by the user or by code.
  Event<void()> Change;
  virtual void Event_Change() { Change.Raise(*this); }

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QComboBox* ComboBox() const;

 private:
  // Set while the widget moves its selection on its own (its first row being added).
  bool quiet_ = false;
};

}  // namespace fw
