// A one-column list with a heading. Rows carry a text and a tag; at most one row is selected.
#pragma once

#include <QHash>
#include <QStringList>
#include <any>
#include <functional>
#include <optional>
#include <vector>

#include "framework/Control.h"
#include "framework/DragItem.h"

class QMimeData;
class QTreeWidget;

namespace fw {

class Graphics;
class MenuItem;

class Listbox : public RectControl {
 public:
  explicit Listbox(ControlHost& host);

  void AddRow(const String& text);
  int ListCount() const;
  // The row most recently added, -1 before the first.
  int LastIndex() const { return lastIndex_; }
  String List(int row) const { return Cell(row, 0); }
  String Cell(int row, int column) const;
  void SetCell(int row, int column, const String& text);
  std::any RowTag(int row) const;
  void SetRowTag(int row, std::any tag);
  void RemoveRow(int row);
  void DeleteAllRows();

  // The selected row, -1 when none (also after a click below the last row).
  int ListIndex() const { return listIndex_; }
  // Selects a row from code; raises Change like a click when the selection changes.
  void SetListIndex(int row);

  // Accepts dropped files whose extension belongs to a registered file type named in the filter.
  void AcceptFileDrop(const String& filter);
  String AcceptedFileTypes() const { return fileFilter_; }
  // Hands files to the drop handler as a drop does once the type filter has kept them (Nil entries
  // stand for items that carry no file); false, and nothing raised, when there are none.
  bool DropFiles(const std::vector<FolderItemPtr>& files);

  // Rows dragged within the list move there; they never leave it.
  bool EnableDragReorder() const { return enableDragReorder_; }
  void SetEnableDragReorder(bool on);
  // Moves a row with its tag so that it ends at newRow; the selection stays on the row it was on.
  // The selected file does not change, so Change is not raised.
  void MoveRow(int row, int newRow);
  // What a drag of a row carries: private to this list, so nothing outside it takes the drop.
  QMimeData* RowDragData(int row) const;
  // The row a drag's data stands for, when it comes from this list.
  std::optional<int> DraggedRow(const QMimeData* data) const;

  // Keeps a count of the rows' keys (a function of a row's text), so that a search for a key no
  // row has is answered at once. The rows are still searched in order to find the first match.
  void SetRowKey(std::function<String(const String&)> key);
  // False: no row has the key. True: a row has it, or (rarely) a key of the same hash.
  bool HasRowWithKey(const String& key) const { return keyCounts_.contains(KeyHash(key)); }

  String Heading() const;
  void SetHeading(const String& h);

  Event<void()> Change;
  Event<void(DragItem&, int)> DropObject;
  Event<bool(Graphics&, int, int)> CellBackgroundPaint;
  Event<bool(MenuItem&, int, int)> ConstructContextualMenu;
  Event<bool(MenuItem*)> ContextualMenuAction;

  virtual void Event_Change() { Change.Raise(*this); }
  virtual void Event_DropObject(DragItem& item, int action) { DropObject.Raise(*this, item, action); }
  virtual bool Event_CellBackgroundPaint(Graphics& g, int row, int column) {
    return CellBackgroundPaint.Raise(*this, g, row, column);
  }
  virtual bool Event_ConstructContextualMenu(MenuItem& base, int x, int y) {
    return ConstructContextualMenu.Raise(*this, base, x, y);
  }
  virtual bool Event_ContextualMenuAction(MenuItem* item) { return ContextualMenuAction.Raise(*this, item); }

  // Offers the contextual menu at a point of the list, as a right-click does. The chooser picks an
  // item by its text (empty: the menu is dismissed); without a chooser the menu is shown to the user.
  void OpenContextualMenu(int x, int y);

  bool ApplyProperty(std::string_view name, const Value& v) override;
  QTreeWidget* Tree() const;

  // Whether a dropped file is of a type the filter names.
  bool Accepts(const FolderItem& file) const;

  // The Qt side reports here.
  void QtSelectionChanged();
  void QtClickedBelowRows();

 private:
  std::vector<std::any> tags_;
  int lastIndex_ = -1;
  int listIndex_ = -1;
  int rowHeight_ = 20;
  bool settingSelection_ = false;
  // Shows row as the one selected (-1: none) without raising anything.
  void ShowSelection(int row);
  bool enableDragReorder_ = false;
  quint64 dragId_;
  String fileFilter_;
  std::function<String(const String&)> rowKey_;
  QHash<size_t, int> keyCounts_;
  static size_t KeyHash(const String& key);
  void CountKey(const String& text, int delta);
};

namespace seams {
// The next contextual menu is answered by choosing the item with this text (no such item, or an
// empty text: the menu is dismissed) instead of being shown.
void AnswerNextContextualMenu(const String& text);
// The texts of the last contextual menu offered; none when no menu was offered since the reset.
std::optional<QStringList> LastContextualMenu();
void ResetContextualMenu();
}  // namespace seams

}  // namespace fw
