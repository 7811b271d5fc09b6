// Helpers shared by the tests: temporary folders of real files, shown windows, key events.
#pragma once

#include <QByteArray>
#include <QEvent>
#include <QString>
#include <QTemporaryDir>

class QWidget;

namespace testsupport {

// A fresh folder per test, removed afterwards.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  QByteArray Path() const;
  // Creates a file with the given content and returns its path.
  QByteArray MakeFile(const QByteArray& name, const QByteArray& content = "content\n", int mode = 0644) const;

 private:
  QTemporaryDir dir_;
};

// Shows the window and waits until it is active, so focus events come.
bool ShowAndActivate(QWidget* window);

// Types one key: press and release, through the real event path. Works for non-ASCII text too.
void PressKey(QWidget* w, int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);
void KeyDownOnly(QWidget* w, int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);
void KeyUpOnly(QWidget* w, int qtKey, const QString& text = {}, Qt::KeyboardModifiers mods = Qt::NoModifier);

// A key event as an X server sends it: a scan code for the physical key, a Qt key and text that
// follow the modifiers held at that moment.
struct XKey {
  QEvent::Type type;
  int qtKey;
  Qt::KeyboardModifiers mods;
  QString text;
  quint32 scan;
  bool repeat = false;
};
void SendX(QWidget* to, const XKey& k);

}  // namespace testsupport
