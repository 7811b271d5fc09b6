#include "realx/RealXFixture.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <QMainWindow>
#include <QMenuBar>
#include <QTreeWidget>
#include <QWindow>

#include "framework/Application.h"
#include "framework/FolderItem.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "framework/System.h"
#include "startup/Startup.h"

namespace realx {

time_t LocalEpoch(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  t.tm_isdst = -1;
  return std::mktime(&t);
}

fw::TextField& FieldOf(MainWindow& w, Field f) {
  switch (f) {
    case Field::Name: return w.FileNameTxtFld();
    case Field::Extension: return w.FilExtTxtFld();
    case Field::ModifDate: return w.ModifDateTxtFld();
    case Field::ModifTime: return w.ModifTimeTxtFld();
  }
  return w.FileNameTxtFld();
}

namespace {

// The program's own start-up, as its main runs it, short of the event loop that the tests turn.
void StartProgramOnce() {
  static const bool started = [] {
    fw::RuntimeSetExceptionHelper(&startup::CallFunctionWithExceptionHandling);
    startup::EarlyStartup();
    fw::RunFrameworkInitialization(&startup::LateStartup);
    return true;
  }();
  (void)started;
}

QString Num(int n) { return QString::number(n); }

}  // namespace

void RealXTest::SetUp() {
  StartProgramOnce();
  // A test before this one in the same process closed the last window, which quits: the next run
  // of the program starts with an application object of its own.
  if (fw::GetAppObject()->Quitting()) {
    startup::NewAppInstance();
    fw::GetAppObject()->Event_Open();
  }
  fw::seams::ResetDialogs();
  fw::seams::ResetBeeps();
  w = &MainWindow::Instance();
  QMainWindow* native = w->NativeWindow();
  native->show();
  native->raise();
  native->activateWindow();
  auto ready = [native] {
    return native->windowHandle() && native->windowHandle()->isExposed() && native->isActiveWindow();
  };
  if (!WaitUntil(ready, 5000)) {
    Xdo({"windowactivate", "--sync", WindowOf(native)});
    WaitUntil(ready, 5000);
  }
  ASSERT_TRUE(ready()) << "the window did not come up active";
}

void RealXTest::TearDown() {
  // Nothing stays pressed for the next test, whatever stopped this one.
  Xdo({"keyup", "Shift_L", "keyup", "Control_L", "keyup", "Alt_L"});
  if (layoutChanged_) SetLayout(Layout::Us);
  if (QWidget* popup = OpenMenu()) popup->close();
  if (fw::Window* open = fw::GetImplicitWindow(QStringLiteral("MainWindow.MainWindow"))) open->Close();
  fw::DestroyClosedWindows();
  fw::seams::ResetDialogs();
}

QByteArray RealXTest::ListFile(const QByteArray& name, int mode) {
  QByteArray path = dir.MakeFile(name, "contenu\n", mode);
  struct timespec times[2] = {{0, UTIME_OMIT}, {kOld, 0}};
  EXPECT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
  fw::Listbox& list = w->FileLstBx();
  EXPECT_TRUE(list.DropFiles({fw::FolderItem::FromNativePath(path)}));
  int row = list.ListCount() - 1;
  QTreeWidget* tree = list.Tree();
  Click(tree->viewport(), tree->visualItemRect(tree->topLevelItem(row)).center());
  EXPECT_EQ(list.ListIndex(), row) << "the click did not select the row";
  // A display's own work (a timer armed by showing the file) is over before the test acts.
  WaitUntil([this] { return w->PermissionsCtrCtl1().SetPermissionsTimer().Mode() == fw::Timer::ModeOff; }, 5000);
  return path;
}

QString RealXTest::WindowOf(const QWidget* widget) { return QString::number(quint64(widget->window()->winId())); }

QStringList RealXTest::MoveTo(const QWidget* widget, QPoint p) {
  QPoint at = widget->mapTo(widget->window(), p);
  return {"mousemove", "--window", WindowOf(widget), Num(at.x()), Num(at.y())};
}

void RealXTest::Pointer(const QStringList& commands) {
  Xdo(commands + ParkPointer());
  EXPECT_TRUE(WaitPointerParked()) << "the pointer's events were held back";
  Sync();
}

void RealXTest::Click(const QWidget* widget, QPoint p, int button) {
  Pointer(MoveTo(widget, p) << "click" << Num(button));
}

void RealXTest::ClickEnd(fw::TextField& field, int button) {
  QLineEdit* e = field.LineEdit();
  Click(e, QPoint(e->width() - 4, e->height() / 2), button);
  if (button == 1) {
    EXPECT_EQ(Focused(), e) << "the click did not give the field the focus";
  }
}

void RealXTest::DragSelectAll(fw::TextField& field) {
  QLineEdit* e = field.LineEdit();
  int y = e->height() / 2;
  Pointer(MoveTo(e, QPoint(2, y)) << "mousedown"
                                  << "1" << MoveTo(e, QPoint(e->width() / 2, y)) << MoveTo(e, QPoint(e->width() - 2, y))
                                  << "mouseup"
                                  << "1");
  EXPECT_EQ(Focused(), e);
  EXPECT_EQ(e->selectedText(), field.Text()) << "the drag did not select the whole text";
}

void RealXTest::Keys(const QStringList& keys) { Xdo(QStringList{"key"} + keys); }

void RealXTest::Erase(int count) {
  if (count <= 0) return;
  QStringList keys;
  for (int i = 0; i < count; ++i) keys << "BackSpace";
  Keys(keys);
}

void RealXTest::Type(const QString& text, Layout layout, ShiftOrder order) {
  QStringList commands = TypingCommands(text, layout, order);
  ASSERT_FALSE(commands.isEmpty()) << "no keys for " << text.toStdString();
  Xdo(commands);
}

void RealXTest::Chord(const QString& modifier, const QString& key) {
  Xdo({"keydown", modifier, "keydown", key, "keyup", key, "keyup", modifier});
}

void RealXTest::UseLayout(Layout layout) {
  layoutChanged_ = true;
  ASSERT_TRUE(SetLayout(layout)) << "setxkbmap failed";
}

QPoint RealXTest::MenuTitle(const QString& title) const {
  QMenuBar* bar = w->NativeMenuBar();
  for (QAction* a : bar->actions()) {
    if (QString(a->text()).remove(QLatin1Char('&')) == title) return bar->actionGeometry(a).center();
  }
  ADD_FAILURE() << "no menu " << title.toStdString();
  return {};
}

DragSource RealXTest::StartDragSource(const QStringList& offer) {
  DragSource s;
  static int count = 0;
  QString title = QStringLiteral("brenvaltique-drag-source-%1-%2").arg(QCoreApplication::applicationPid()).arg(++count);
  // Built beside the tests; CTest names it too.
  QString program =
      qEnvironmentVariable("BRENVALTIQUE_DRAG_SOURCE", QCoreApplication::applicationDirPath() + "/realx_drag_source");
  s.process = std::make_unique<Child>(program, QStringList{"--title", title} + offer);
  if (!s.process->Started()) return s;
  Ran found = Exec(QStringLiteral("xdotool"), {"search", "--sync", "--name", title}, QByteArray(), 20000);
  if (!found.Ok()) return s;
  s.window = QString::fromLatin1(found.out.split('\n').first().trimmed());
  // To the right of the program's windows, which the window manager puts at the left.
  Xdo({"windowmove", "--sync", s.window, "1350", "80"});
  return s;
}

void RealXTest::DragTo(DragSource& source, const QString& targetWindow, QPoint p,
                       const std::function<bool()>& overTarget) {
  ASSERT_FALSE(source.window.isEmpty()) << "the drag source did not come up";
  Xdo({"mousemove", "--window", source.window, "60", "40", "mousedown", "1"});
  ASSERT_TRUE(WaitUntil([&] { return source.process->Output().contains("dragging"); }))
      << "the drag did not start: " << source.process->Errors().toStdString();
  Xdo({"mousemove", "--window", targetWindow, Num(p.x() - 6), Num(p.y() - 3)});
  Xdo({"mousemove", "--window", targetWindow, Num(p.x()), Num(p.y())});
  EXPECT_TRUE(WaitUntil(overTarget)) << "the target did not answer the drag";
  Xdo({"mouseup", "1"});
  QByteArray done;
  ASSERT_TRUE(WaitUntil([&] {
    QByteArray out = source.process->Output();
    qsizetype at = out.indexOf("done ");
    if (at < 0) return false;
    done = out.mid(at + 5, 1);
    return true;
  })) << "the drag did not end";
  // A drop taken: the target has handled it once it says so; one refused sent only a leave.
  if (done != "0") {
    EXPECT_TRUE(WaitUntil([&] { return source.process->Output().contains("finished"); })) << "the drop was not handled";
  }
  Sync();
}

time_t RealXTest::MTime(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0 ? st.st_mtim.tv_sec : time_t(-1);
}

int RealXTest::Mode(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

bool RealXTest::Exists(const QByteArray& path) {
  struct stat st {};
  return ::lstat(path.constData(), &st) == 0;
}

}  // namespace realx
