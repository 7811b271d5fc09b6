// The main window, shown and active, with real files dropped on its list and real key and mouse
// events on its fields, buttons and list.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

#include "framework/FolderItem.h"
#include "framework/MessageDialog.h"
#include "mainwindow/MainWindow.h"
#include "support/AppFixture.h"
#include "support/Support.h"

// Readable failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testsupport::EnsureApplication();
    fw::seams::ResetDialogs();
    w = &MainWindow::Instance();
    ASSERT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
  }
  void TearDown() override {
    w->Close();
    fw::DestroyClosedWindows();
    fw::seams::ResetDialogs();
  }

  // Makes a file with a known modification date and drops it on the list; returns its path.
  QByteArray Drop(const QByteArray& name, const QByteArray& content = kContent) { return Drop(dir, name, content); }
  QByteArray Drop(const testsupport::TempFolder& folder, const QByteArray& name, const QByteArray& content = kContent) {
    QByteArray path = folder.MakeFile(name, content);
    SetMTime(path, kOldDate);
    files.push_back(fw::FolderItem::FromNativePath(path));
    EXPECT_TRUE(w->FileLstBx().DropFiles({files.back()}));
    return path;
  }
  fw::FolderItemPtr File(int row) const {
    std::any tag = w->FileLstBx().RowTag(row);
    auto* f = std::any_cast<fw::FolderItemPtr>(&tag);
    return f ? *f : nullptr;
  }
  QString Row(int row) const { return w->FileLstBx().List(row); }
  void Select(int row) { w->FileLstBx().SetListIndex(row); }

  // Gives the field the focus as a click would, empties it and types the text.
  static void Retype(fw::TextField& f, const QString& text) {
    QLineEdit* e = f.LineEdit();
    QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(e->width() - 3, e->height() / 2));
    EXPECT_TRUE(e->hasFocus());
    QTest::keyClick(e, Qt::Key_End);
    for (int i = int(f.Text().size()); i > 0; --i) QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(f.Text(), QString());
    Type(e, text);
  }
  // QTest's helpers refuse non-ASCII text; those keys are built by hand.
  static void Type(QWidget* e, const QString& text) {
    for (QChar c : text) {
      if (c.unicode() < 128) {
        QTest::keyClick(e, char(c.unicode()));
      } else {
        testsupport::PressKey(e, c.toUpper().unicode(), QString(c));
      }
    }
  }
  // Tab in the focused field.
  void Tab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }
  // A click on a row, on the list's viewport, as the user makes it.
  void ClickRow(int row) {
    QTreeWidget* t = w->FileLstBx().Tree();
    QRect r = t->visualItemRect(t->topLevelItem(row));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
  }
  static void Click(fw::BevelButton& b) {
    QToolButton* q = b.QtButton();
    QTest::mouseClick(q, Qt::LeftButton, {}, q->rect().center());
  }
  void ClickBox() { w->VisibleChkBx().QtCheckBox()->click(); }
  // Lets a report deferred by a focus loss come up, and the window be active again after it.
  void Settle() {
    QTest::qWait(20);
    if (w->IsOpen() && !w->NativeWindow()->isActiveWindow()) {
      EXPECT_TRUE(testsupport::ShowAndActivate(w->NativeWindow()));
    }
  }
  static const std::vector<fw::seams::ShownDialog>& Dialogs() { return fw::seams::ShownDialogs(); }

  static QByteArray ReadAll(const QByteArray& path) {
    std::ifstream in(path.constData(), std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return QByteArray::fromStdString(s);
  }
  static bool Exists(const QByteArray& path) {
    struct stat st;
    return ::lstat(path.constData(), &st) == 0;
  }
  static void SetMTime(const QByteArray& path, const fw::Date& d) {
    int64_t secs = 0;
    ASSERT_TRUE(d.ToEpoch(secs));
    struct timespec times[2] = {{0, UTIME_OMIT}, {time_t(secs), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
  }
  static struct timespec MTime(const QByteArray& path) {
    struct stat st {};
    ::stat(path.constData(), &st);
    return st.st_mtim;
  }
  static bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
  // The file's modification date as the fields show one.
  static QString Shown(const QByteArray& path) {
    std::optional<fw::Date> d = fw::FolderItem::FromNativePath(path)->ModificationDate();
    return d ? d->ShortDate() + QLatin1Char(' ') + d->LongTime() : QString();
  }
  QByteArray In(const QByteArray& name) const { return dir.Path() + '/' + name; }

  static inline const QByteArray kContent{"\x00\x01 binary \xff\xfe content\n", 22};
  static inline const fw::Date kOldDate = fw::Date::FromFields(2001, 1, 1, 8, 0, 0);

  testsupport::TempFolder dir;
  MainWindow* w = nullptr;
  std::vector<fw::FolderItemPtr> files;
};
