#include "framework/Listbox.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
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

class QtList : public QTreeWidget {
 public:
  Listbox* owner = nullptr;

  std::vector<FolderItemPtr> DroppedFiles(const QMimeData* mime) const {
    std::vector<FolderItemPtr> files;
    if (!mime || !mime->hasUrls()) return files;
    for (const QUrl& u : mime->urls()) {
      if (!u.isLocalFile()) continue;
      // The path's own bytes, from the address's percent-encoding: a name that is not UTF-8 does
      // not survive being decoded to text on the way.
      QByteArray path = u.host().isEmpty() ? QByteArray::fromPercentEncoding(u.path(QUrl::FullyEncoded).toLatin1())
                                           : QFile::encodeName(u.toLocalFile());
      auto f = FolderItem::FromNativePath(path);
      if (owner->Accepts(*f)) files.push_back(f);
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
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (!DroppedFiles(e->mimeData()).empty()) e->acceptProposedAction();
    else e->ignore();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (!DroppedFiles(e->mimeData()).empty()) e->acceptProposedAction();
    else e->ignore();
  }
  void dropEvent(QDropEvent* e) override {
    auto files = DroppedFiles(e->mimeData());
    if (files.empty()) {
      e->ignore();
      return;
    }
    e->acceptProposedAction();
    owner->DropFiles(files);
  }
};

class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(Listbox* owner, int* rowHeight) : owner_(owner), rowHeight_(rowHeight) {}
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

Listbox::Listbox(ControlHost& host) : RectControl(host, new detail::Bridged<QtList>()) {
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
  t->setItemDelegate(new RowDelegate(this, &rowHeight_));
  t->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(t, &QTreeWidget::itemSelectionChanged, [this] { QtSelectionChanged(); });
}

QTreeWidget* Listbox::Tree() const { return static_cast<QTreeWidget*>(Widget()); }

void Listbox::AddRow(const String& text) {
  auto* item = new QTreeWidgetItem(QStringList{text});
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
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

void Listbox::CountKey(const String& text, int delta) {
  if (!rowKey_) return;
  String k = rowKey_(text);
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
  listIndex_ = row;
  Event_Change();
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
    return Tree()->setHorizontalScrollBarPolicy(AsBool(v, name) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff),
           true;
  if (name == "Border") return Tree()->setFrameShape(AsBool(v, name) ? QFrame::StyledPanel : QFrame::NoFrame), true;
  if (name == "ColumnCount") return AsInt(v, name) == 1 ? true : throw RuntimeException("one column only");
  if (name == "ColumnWidths" || name == "DataSource" || name == "DataField") return AsString(v, name), true;
  static const std::string_view ints[] = {"HeadingIndex", "GridLinesHorizontal", "GridLinesVertical", "_ScrollWidth",
                                          "_ScrollOffset", "SelectionType"};
  for (auto n : ints)
    if (name == n) return AsInt(v, name), true;
  static const std::string_view bools[] = {"Hierarchical",       "EnableDrag",        "EnableDragReorder",
                                           "RequiresSelection",  "ColumnsResizable", "AutoHideScrollbars"};
  for (auto n : bools)
    if (name == n) return AsBool(v, name), true;
  return RectControl::ApplyProperty(name, v);
}

}  // namespace fw
