// The real-X tier's world: a private X server (Xvfb on a display it picks itself), a window manager,
// and the programs that send real input to it (xdotool, xclip, setxkbmap, wmctrl), run as child
// processes while this process's event loop keeps turning.
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

namespace realx {

// Before the Qt application exists: starts Xvfb with -displayfd, points DISPLAY at it, and gives
// the process private XDG folders. Empty on success, else why it failed.
std::string StartServer();
// After the Qt application exists: starts openbox, waits until it manages the screen, and hooks the
// event filter that Sync relies on. Empty on success, else why it failed.
std::string StartWindowManager();
// Ends the window manager and the server (children that are still connected end with it).
void StopServer();

struct Ran {
  bool finished = false;  // false: it did not end in time and was killed
  int exitCode = -1;
  QByteArray out, err;
  bool Ok() const { return finished && exitCode == 0; }
};

// Runs a program to its end while the event loop turns (this process may be asked for a selection
// or sent a drop meanwhile), then Syncs.
Ran Exec(const QString& program, const QStringList& args, const QByteArray& input = QByteArray(),
         int timeoutMs = 20000);
// xdotool with these arguments (commands may be chained in one call).
Ran Xdo(const QStringList& args);

// Waits until every X event that the server generated before now has been handled here: the
// server answers requests in order, so a property change of our own that comes back to us comes
// after all input that xdotool sent before it ended.
void Sync();

// Pointer actions end by parking the pointer in a corner of the screen where no window is. The
// window manager's click-to-focus holds a window's pointer events back (a synchronous grab) until it
// lets them through, so the end of xdotool does not say that a click went out; the pointer standing
// in the corner does, since the server moves it only once every event before the move has gone.
QStringList ParkPointer();
// Waits until the pointer stands where ParkPointer puts it.
bool WaitPointerParked();

// Turns the event loop until the condition holds or the time is up; returns the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 10000);

// How many XdndPosition messages reached this process: a drag over one of our windows.
int DndPositionsSeen();

// A program that keeps running beside the test (a selection owner, the drag source, the shipped
// executable); killed when the object goes.
class Child {
 public:
  Child(const QString& program, const QStringList& args, const QByteArray& input = QByteArray(),
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  bool Started() const { return started_; }
  bool Running() const;
  // Standard output so far (read without blocking).
  QByteArray Output();
  // Waits for its end while the event loop turns; false when it is still running.
  bool WaitForEnd(int timeoutMs = 10000);
  int ExitCode() const;
  qint64 Pid() const;
  QByteArray Errors();

 private:
  std::unique_ptr<QProcess> p_;
  QByteArray out_, err_;
  bool started_ = false;
};

// The X selections as xclip sees them from outside this process.
enum class Selection { Primary, Clipboard };
// Makes a separate xclip the selection's owner with this text, and waits until it serves it.
std::unique_ptr<Child> OfferSelection(Selection which, const QByteArray& text);
// The selection's text as another program gets it.
QByteArray ReadSelection(Selection which);

// Keyboard layouts of the server, as setxkbmap sets them.
enum class Layout { Us, Fr };
bool SetLayout(Layout layout);

// How a character that needs Shift is typed: Shift released before the key, or after it.
enum class ShiftOrder { ReleasedFirst, ReleasedLast };
// The xdotool commands that type text on a layout key by key (by keycode, so xdotool adds no
// modifier of its own), digits, "/" and ":" included. Empty for a character the table lacks.
QStringList TypingCommands(const QString& text, Layout layout, ShiftOrder order);

}  // namespace realx
