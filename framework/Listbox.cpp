#include "framework/Listbox.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QUrl>
#include <map>
#include <optional>

#include "framework/FileType.h"
#include "framework/Menu.h"
#include "framework/Picture.h"
#include "framework/QtBridge.h"

namespace fw {

namespace {

// A drag of a row names the list it comes from and the row, in a type no other program takes.
const char* const kRowDragType = "application/x-brenvaltique-listbox-row";

class QtList : public QTreeWidget {
 public:
  Listbox* owner = nullptr;

  // The dropped files the list takes; with firstOnly, at most the first of them.
  std::vector<FolderItemPtr> DroppedFiles(const QMimeData* mime, bool firstOnly = false) const {
    std::vector<FolderItemPtr> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& u : mime->urls()) {
      if (!u.isLocalFile() || !(u.host().isEmpty() || u.host() == QLatin1String("localhost"))) continue;
      // The path's own bytes: a name that is not UTF-8 still names the file it names on disk.
      auto f = FolderItem::FromNativePath(QByteArray::fromPercentEncoding(u.path(QUrl::FullyEncoded).toLatin1()));
      if (!owner->Accepts(*f)) continue;
      files.push_back(f);
      if (firstOnly) break;
    }
    return files;
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton && !itemAt(e->position().toPoint())) {
      owner->QtClickedBelowRows();
      return;
    }
    QTreeWidget::mousePressEvent(e);
  }
  void contextMenuEvent(QContextMenuEvent* e) override { owner->OpenContextualMenu(e->pos().x(), e->pos().y()); }

  // Our own drag, not the view's: the view's would remove the rows after a move accepted elsewhere.
  void startDrag(Qt::DropActions) override {
    int row = indexOfTopLevelItem(currentItem());
    if (!owner->EnableDragReorder() || row < 0) return;
    auto* drag = new QDrag(this);
    drag->setMimeData(owner->RowDragData(row));
    drag->exec(Qt::MoveAction);
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    // Looked at once per drag: the moves that follow carry the same files. One file the list
    // takes is enough to offer the drop; the drop itself looks at them all.
    filesOffered_ = !DroppedFiles(e->mimeData(), true).empty();
    DragOver(e);
  }
  void dragMoveEvent(QDragMoveEvent* e) override { DragOver(e); }
  void dragLeaveEvent(QDragLeaveEvent*) override { ShowIndicator(-1); }
  void dropEvent(QDropEvent* e) override {
    ShowIndicator(-1);
    if (auto row = owner->DraggedRow(e->mimeData())) {
      if (!owner->EnableDragReorder()) return e->ignore();
      int before = InsertionRow(e->position().toPoint());
      owner->MoveRow(*row, before > *row ? before - 1 : before);
      e->setDropAction(Qt::MoveAction);
      e->accept();
      return;
    }
    auto files = DroppedFiles(e->mimeData());
    auto action = FileDropAction(e);
    if (files.empty() || !action) {
      e->ignore();
      return;
    }
    e->setDropAction(*action);
    e->accept();
    owner->DropFiles(files);
  }
  void paintEvent(QPaintEvent* e) override {
    QTreeWidget::paintEvent(e);
    if (indicatorY_ < 0) return;
    QPainter p(viewport());
    p.fillRect(0, indicatorY_ - 1, viewport()->width(), 2, palette().color(QPalette::Highlight));
  }

 private:
  int indicatorY_ = -1;
  bool filesOffered_ = false;

  void DragOver(QDragMoveEvent* e) {
    if (owner->DraggedRow(e->mimeData())) {
      if (!owner->EnableDragReorder()) return e->ignore();
      e->setDropAction(Qt::MoveAction);
      e->accept();
      ShowIndicator(IndicatorY(InsertionRow(e->position().toPoint())));
      return;
    }
    auto action = FileDropAction(e);
    if (action && filesOffered_) {
      e->setDropAction(*action);
      e->accept();
    } else {
      e->ignore();
    }
  }
  // The list only refers to dropped files. A drop taken as a move would tell the file manager
  // that the files now live here, and it may then delete the originals.
  static std::optional<Qt::DropAction> FileDropAction(const QDropEvent* e) {
    if (e->possibleActions() & Qt::CopyAction) return Qt::CopyAction;
    if (e->possibleActions() & Qt::LinkAction) return Qt::LinkAction;
    return std::nullopt;
  }
  // The row before which a drop at that point goes; the row count below the last row.
  int InsertionRow(QPoint pos) const {
    QTreeWidgetItem* item = itemAt(pos);
    if (!item) return pos.y() < 0 ? 0 : topLevelItemCount();
    int row = indexOfTopLevelItem(item);
    return pos.y() < visualItemRect(item).center().y() ? row : row + 1;
  }
  int IndicatorY(int before) const {
    if (topLevelItemCount() == 0) return 0;
    if (before < topLevelItemCount()) return visualItemRect(topLevelItem(before)).top();
    return visualItemRect(topLevelItem(topLevelItemCount() - 1)).bottom() + 1;
  }
  void ShowIndicator(int y) {
    if (y == indicatorY_) return;
    indicatorY_ = y;
    viewport()->update();
  }
};

// A row keeps its text in the item itself. QTreeWidgetItem keeps a text in two lists of its own,
// two allocations more a row, which a list of 100,000 files feels in its memory.
class RowItem : public QTreeWidgetItem {
 public:
  explicit RowItem(const String& text) : QTreeWidgetItem(UserType), text_(text) {}
  QVariant data(int column, int role) const override {
    if (column == 0 && (role == Qt::DisplayRole || role == Qt::EditRole)) return text_;
    return QTreeWidgetItem::data(column, role);
  }
  void setData(int column, int role, const QVariant& value) override {
    if (column != 0 || (role != Qt::DisplayRole && role != Qt::EditRole))
      return QTreeWidgetItem::setData(column, role, value);
    String text = value.toString();
    if (text == text_) return;
    text_ = std::move(text);
    emitDataChanged();
  }

 private:
  String text_;
};

class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(Listbox* owner, int* rowHeight, QObject* parent)
      : QStyledItemDelegate(parent), owner_(owner), rowHeight_(rowHeight) {}
  void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
    p->save();
    p->translate(opt.rect.topLeft());
    p->setClipRect(0, 0, opt.rect.width(), opt.rect.height());
    Graphics g(p, opt.rect.width(), opt.rect.height());
    owner_->Event_CellBackgroundPaint(g, index.row(), index.column());
    p->restore();
    QStyledItemDelegate::paint(p, opt, index);
  }
  QSize sizeHint(const QStyleOptionViewItem& opt, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(opt, index);
    s.setHeight(*rowHeight_);
    return s;
  }

 private:
  Listbox* owner_;
  int* rowHeight_;
};

}  // namespace

namespace {
quint64 nextDragId = 1;
}  // namespace

Listbox::Listbox(ControlHost& host) : RectControl(host, new detail::Bridged<QtList>()), dragId_(nextDragId++) {
  auto* t = static_cast<QtList*>(Widget());
  t->owner = this;
  t->setColumnCount(1);
  t->setRootIsDecorated(false);
  t->setUniformRowHeights(true);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  t->setAcceptDrops(true);
  t->viewport()->setAcceptDrops(true);
  t->setDragDropMode(QAbstractItemView::DropOnly);
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  t->header()->setSectionsMovable(false);
  t->header()->setStretchLastSection(true);
  // The view does not own its delegate; the tree, as its parent, does.
  t->setItemDelegate(new RowDelegate(this, &rowHeight_, t));
  t->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(t, &QTreeWidget::itemSelectionChanged, [this] { QtSelectionChanged(); });
}

QTreeWidget* Listbox::Tree() const { return static_cast<QTreeWidget*>(Widget()); }

void Listbox::AddRow(const String& text) {
  auto* item = new RowItem(text);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
  Tree()->addTopLevelItem(item);
  CountKey(text, 1);
  tags_.emplace_back();
  lastIndex_ = int(tags_.size()) - 1;
}

int Listbox::ListCount() const { return int(tags_.size()); }

String Listbox::Cell(int row, int column) const {
  if (row < 0 || row >= ListCount()) return {};
  return Tree()->topLevelItem(row)->text(column);
}

void Listbox::SetCell(int row, int column, const String& text) {
  if (row < 0 || row >= ListCount()) return;
  QTreeWidgetItem* item = Tree()->topLevelItem(row);
  if (column == 0) CountKey(item->text(0), -1), CountKey(text, 1);
  item->setText(column, text);
}

void Listbox::SetRowKey(std::function<String(const String&)> key) {
  rowKey_ = std::move(key);
  keyCounts_.clear();
  for (int i = 0; i < ListCount(); ++i) CountKey(List(i), 1);
}

// Counted by the key's hash, not the key: a list of many files keeps no second copy of each
// name. Two keys of one hash share a count, which only costs a search of the rows.
size_t Listbox::KeyHash(const String& key) { return qHash(key, 0); }

void Listbox::CountKey(const String& text, int delta) {
  if (!rowKey_) return;
  size_t k = KeyHash(rowKey_(text));
  int n = keyCounts_.value(k) + delta;
  if (n > 0) keyCounts_.insert(k, n);
  else keyCounts_.remove(k);
}

std::any Listbox::RowTag(int row) const {
  if (row < 0 || row >= ListCount()) return {};
  return tags_[size_t(row)];
}

void Listbox::SetRowTag(int row, std::any tag) {
  if (row < 0 || row >= ListCount()) return;
  tags_[size_t(row)] = std::move(tag);
}

void Listbox::RemoveRow(int row) {
  if (row < 0 || row >= ListCount()) return;
  // A removed selected row leaves no selection: Qt would otherwise pick a neighbour.
  if (row == listIndex_) SetListIndex(-1);
  CountKey(List(row), -1);
  {
    QSignalBlocker block(Tree());
    delete Tree()->takeTopLevelItem(row);
  }
  tags_.erase(tags_.begin() + row);
  if (listIndex_ > row) --listIndex_;
  if (lastIndex_ >= ListCount()) lastIndex_ = ListCount() - 1;
}

void Listbox::DeleteAllRows() {
  if (listIndex_ != -1) SetListIndex(-1);
  {
    QSignalBlocker block(Tree());
    Tree()->clear();
  }
  keyCounts_.clear();
  tags_.clear();
  lastIndex_ = -1;
}

void Listbox::SetListIndex(int row) {
  if (row < -1 || row >= ListCount() || row == listIndex_) return;
  ShowSelection(row);
  listIndex_ = row;
  Event_Change();
}

void Listbox::ShowSelection(int row) {
  settingSelection_ = true;
  {
    QSignalBlocker block(Tree());
    Tree()->clearSelection();
    if (row >= 0) {
      Tree()->setCurrentItem(Tree()->topLevelItem(row));
      Tree()->topLevelItem(row)->setSelected(true);
    } else {
      Tree()->setCurrentItem(nullptr);
    }
  }
  settingSelection_ = false;
}

void Listbox::QtSelectionChanged() {
  if (settingSelection_) return;
  auto items = Tree()->selectedItems();
  int row = items.isEmpty() ? -1 : Tree()->indexOfTopLevelItem(items.first());
  if (row == listIndex_) return;
  listIndex_ = row;
  Event_Change();
}

void Listbox::QtClickedBelowRows() { SetListIndex(-1); }

void Listbox::SetEnableDragReorder(bool on) {
  enableDragReorder_ = on;
  Tree()->setDragEnabled(on);
}

void Listbox::MoveRow(int row, int newRow) {
  int n = ListCount();
  if (row < 0 || row >= n || newRow < 0 || newRow >= n || row == newRow) return;
  if (listIndex_ == row) listIndex_ = newRow;
  else if (row < listIndex_ && listIndex_ <= newRow) --listIndex_;
  else if (newRow <= listIndex_ && listIndex_ < row) ++listIndex_;
  std::any tag = std::move(tags_[size_t(row)]);
  tags_.erase(tags_.begin() + row);
  tags_.insert(tags_.begin() + newRow, std::move(tag));
  settingSelection_ = true;
  {
    QSignalBlocker block(Tree());
    Tree()->insertTopLevelItem(newRow, Tree()->takeTopLevelItem(row));
  }
  ShowSelection(listIndex_);
}

QMimeData* Listbox::RowDragData(int row) const {
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kRowDragType), QByteArray::number(dragId_) + ' ' + QByteArray::number(row));
  return data;
}

std::optional<int> Listbox::DraggedRow(const QMimeData* data) const {
  if (!data || !data->hasFormat(QString::fromLatin1(kRowDragType))) return std::nullopt;
  QList<QByteArray> parts = data->data(QString::fromLatin1(kRowDragType)).split(' ');
  bool idOk = false, rowOk = false;
  if (parts.size() != 2 || parts[0].toULongLong(&idOk) != dragId_ || !idOk) return std::nullopt;
  int row = parts[1].toInt(&rowOk);
  if (!rowOk || row < 0 || row >= ListCount()) return std::nullopt;
  return row;
}

void Listbox::AcceptFileDrop(const String& filter) { fileFilter_ = filter; }

bool Listbox::Accepts(const FolderItem& file) const {
  return !fileFilter_.isEmpty() && !file.Directory() && FileTypeRegistry::Accepts(fileFilter_, file.Name());
}

bool Listbox::DropFiles(const std::vector<FolderItemPtr>& files) {
  if (files.empty()) return false;
  DragItem item(files);
  Event_DropObject(item, 0);
  return true;
}

String Listbox::Heading() const { return Tree()->headerItem()->text(0); }
void Listbox::SetHeading(const String& h) { Tree()->setHeaderLabels({h}); }

namespace {
std::optional<String> nextMenuAnswer;
std::optional<QStringList> lastMenu;
}  // namespace

namespace seams {
void AnswerNextContextualMenu(const String& text) { nextMenuAnswer = text; }
std::optional<QStringList> LastContextualMenu() { return lastMenu; }
void ResetContextualMenu() { nextMenuAnswer.reset(), lastMenu.reset(); }
}  // namespace seams

void Listbox::OpenContextualMenu(int x, int y) {
  MenuItem base;
  if (!Event_ConstructContextualMenu(base, x, y) || base.Count() == 0) return;
  QStringList texts;
  for (int i = 0; i < base.Count(); ++i) texts << base.Item(i)->Text;
  lastMenu = texts;

  MenuItemPtr chosen;
  if (nextMenuAnswer) {
    String answer = *nextMenuAnswer;
    nextMenuAnswer.reset();
    for (int i = 0; i < base.Count() && !chosen; ++i)
      if (!base.Item(i)->IsSeparator() && base.Item(i)->Text == answer) chosen = base.Item(i);
  } else {
    QMenu menu(Tree());
    std::map<QAction*, MenuItemPtr> actions;
    for (int i = 0; i < base.Count(); ++i) {
      MenuItemPtr item = base.Item(i);
      if (item->IsSeparator()) menu.addSeparator();
      else actions[menu.addAction(item->Text)] = item;
    }
    QAction* a = menu.exec(Tree()->viewport()->mapToGlobal(QPoint(x, y)));
    if (a) chosen = actions[a];
  }
  // A dismissed menu chose nothing, and nothing is raised.
  if (chosen) Event_ContextualMenuAction(chosen.get());
}

bool Listbox::ApplyProperty(std::string_view name, const Value& v) {
  if (name == "InitialValue") return SetHeading(AsString(v, name).section(QLatin1Char('\t'), 0, 0)), true;
  if (name == "HasHeading") return Tree()->setHeaderHidden(!AsBool(v, name)), true;
  if (name == "DefaultRowHeight") {
    int h = AsInt(v, name);
    if (h > 0) rowHeight_ = h;
    return true;
  }
  if (name == "ScrollBarVertical")
    return Tree()->setVerticalScrollBarPolicy(AsBool(v, name) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff), true;
  if (name == "ScrollbarHorizontal")
    return Tree()->setHorizontalScrollBarPolicy(AsBool(v, name) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff), true;
  if (name == "Border") return Tree()->setFrameShape(AsBool(v, name) ? QFrame::StyledPanel : QFrame::NoFrame), true;
  if (name == "ColumnCount") return AsInt(v, name) == 1 ? true : throw RuntimeException("one column only");
  if (name == "ColumnWidths" || name == "DataSource" || name == "DataField") return AsString(v, name), true;
  static const std::string_view ints[] = {"HeadingIndex", "GridLinesHorizontal", "GridLinesVertical",
                                          "_ScrollWidth", "_ScrollOffset",       "SelectionType"};
  for (auto n : ints)
    if (name == n) return AsInt(v, name), true;
  if (name == "EnableDragReorder") return SetEnableDragReorder(AsBool(v, name)), true;
  static const std::string_view bools[] = {"Hierarchical", "EnableDrag", "RequiresSelection", "ColumnsResizable",
                                           "AutoHideScrollbars"};
  for (auto n : bools)
    if (name == n) return AsBool(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
