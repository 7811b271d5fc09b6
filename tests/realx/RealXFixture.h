// The program as start-up leaves it, in this process on a private X server, driven only by real X
// input from other clients; what a test checks is the fields (through the window's accessors) and
// the files on disk (through stat), never the program's own date code.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPoint>
#include <ctime>
#include <memory>
#include <ostream>

#include "framework/MessageDialog.h"
#include "framework/System.h"
#include "mainwindow/MainWindow.h"
#include "realx/XSession.h"
#include "support/Support.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QByteArray& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace realx {

// A local time as seconds since the epoch, by the C library under the tests' TZ.
time_t LocalEpoch(int year, int month, int day, int hour, int minute, int second);

enum class Field { Name, Extension, ModifDate, ModifTime };
fw::TextField& FieldOf(MainWindow& w, Field f);

// A drag source in another X client (see dragsource/DragSource.cpp), placed away from the window.
struct DragSource {
  std::unique_ptr<Child> process;
  QString window;
};

class RealXTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Makes a file in the test's folder with this mode and the modification date kOld, lists it
  // through the list's own drop entry point and selects its row by a click; returns its path.
  QByteArray ListFile(const QByteArray& name, int mode = 0644);
  QByteArray In(const QByteArray& name) const { return dir.Path() + '/' + name; }

  // The X window that holds the widget, in xdotool's terms.
  static QString WindowOf(const QWidget* widget);
  // xdotool commands that move the pointer to a point of the widget.
  static QStringList MoveTo(const QWidget* widget, QPoint p);
  // Pointer commands (any window), then parks the pointer and waits until every event they made
  // has been sent and those that came here handled.
  void Pointer(const QStringList& commands);
  void Click(const QWidget* widget, QPoint p, int button = 1);
  // A click in the field past its text, which puts the caret at its end.
  void ClickEnd(fw::TextField& field, int button = 1);
  // Selects the field's whole text by dragging the pointer across it.
  void DragSelectAll(fw::TextField& field);
  // Key names as xdotool's key command takes them.
  void Keys(const QStringList& keys);
  void Erase(int count);
  // Types digits, "/" and ":" key by key on the layout (see TypingCommands).
  void Type(const QString& text, Layout layout = Layout::Us, ShiftOrder order = ShiftOrder::ReleasedFirst);
  // One key with a modifier held, pressed and released in that order.
  void Chord(const QString& modifier, const QString& key);
  // Sets the server's layout; the test's end puts US back.
  void UseLayout(Layout layout);

  // The title of a menu of the menu bar ("Edit"), as a point of the menu bar.
  QPoint MenuTitle(const QString& title) const;
  // The open menu of the menu bar, if any.
  static QWidget* OpenMenu() { return QApplication::activePopupWidget(); }

  // A drag source offering these (--file PATH or --text TEXT); empty window when it did not come up.
  DragSource StartDragSource(const QStringList& offer);
  // Presses the source, moves onto the point of the target window, waits until the target has
  // answered (overTarget), releases, and waits until the drop is handled or the drag left.
  void DragTo(DragSource& source, const QString& targetWindow, QPoint p, const std::function<bool()>& overTarget);

  static QWidget* Focused() { return QApplication::focusWidget(); }
  static time_t MTime(const QByteArray& path);
  static int Mode(const QByteArray& path);
  static bool Exists(const QByteArray& path);

  // The modification date that ListFile gives: 01/01/2001 08:00:00.
  const time_t kOld = LocalEpoch(2001, 1, 1, 8, 0, 0);

  MainWindow* w = nullptr;
  testsupport::TempFolder dir;

 private:
  bool layoutChanged_ = false;
};

}  // namespace realx
