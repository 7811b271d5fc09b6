// The main window over a folder of files, in-process, driven as a user drives it.
//   bench_list FOLDER REPEATS [drop]
// Drops every file of the folder as a file manager does (drag-enter, a move, the drop, with the
// addresses as text/uri-list), notes the memory the listed rows hold, then runs the extension,
// modification-date and permissions "Tous" actions over all of them. Each step is checked: every
// file listed, the title set, the action's report a success, the last file holding the change.
// Prints "drop_ms", "ext_ms", "modif_ms", "perms_ms" (medians over the repeats) and "rss_kb";
// with "drop", only the drop and the memory. The files end with the names they had.
#include <malloc.h>
#include <sys/stat.h>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QStandardPaths>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "framework/Text.h"
#include "mainwindow/MainWindow.h"
#include "startup/Startup.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "bench_list: %s\n", why.c_str());
  std::exit(1);
}

// What the process holds, not what it freed: the allocator gives its free pages back first, so
// the figure counts what the rows keep, not what reading the drop left behind for reuse.
long ResidentKilobytes() {
  ::malloc_trim(0);
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

// Lets the window finish what the last step queued (layout, painting).
void Settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

void Wait(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <class F>
double Milliseconds(F&& step) {
  QElapsedTimer t;
  t.start();
  step();
  return double(t.nsecsElapsed()) / 1e6;
}

bool Exists(const QByteArray& path) {
  struct stat st;
  return ::lstat(path.constData(), &st) == 0;
}

// The action reported success for every file, not the partial form.
void ExpectReport(const char* title, const char* messageStart) {
  const auto& shown = fw::seams::ShownDialogs();
  if (shown.empty()) Fail(std::string("no report after ") + title);
  const auto& last = shown.back();
  if (last.Title != fw::String::fromUtf8(title) || !last.Message.startsWith(fw::String::fromUtf8(messageStart)))
    Fail(std::string("unexpected report: ") + last.Title.toStdString() + " / " + last.Message.toStdString());
  fw::seams::ResetDialogs();
}

// The addresses as a file manager offers them: one file:// address a line, the path's bytes
// percent-encoded, lines ended by CR LF.
std::unique_ptr<QMimeData> FileManagerData(const std::vector<QByteArray>& paths) {
  QByteArray list;
  for (const QByteArray& p : paths) list += "file://" + p.toPercentEncoding("/") + "\r\n";
  auto data = std::make_unique<QMimeData>();
  data->setData(QStringLiteral("text/uri-list"), list);
  return data;
}

// Drag-enter, one move and the drop on the list's viewport, as the window system delivers them.
bool Drop(QWidget* viewport, const QMimeData* data) {
  const QPoint at = viewport->rect().center();
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(at, offered, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, offered, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &move);
  if (!move.isAccepted()) return false;
  QDropEvent drop(QPointF(at), offered, data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(viewport, &drop);
  return drop.isAccepted();
}

// The folder's path with its last name's extension replaced (".txt" by ".md" and back).
QByteArray WithExtension(const QByteArray& path, const QByteArray& ext) {
  int dot = int(path.lastIndexOf('.'));
  int slash = int(path.lastIndexOf('/'));
  return (dot > slash ? path.left(dot) : path) + ext;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) Fail("usage: bench_list FOLDER REPEATS [drop]");
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const int repeats = std::max(1, std::atoi(argv[2]));
  const bool dropOnly = argc > 3 && std::strcmp(argv[3], "drop") == 0;

  fw::RuntimeInit(argc, argv);
  if (!std::getenv("XDG_CONFIG_HOME")) QStandardPaths::setTestModeEnabled(true);
  if (const char* bundle = std::getenv("BRENVALTIQUE_BUNDLE"))
    fw::seams::SetExecutableFile(QByteArray(bundle) + "/MacOS/brenvaltique");
  fw::seams::SetDefaultDialogAnswer(fw::String());
  startup::EarlyStartup();
  fw::RunFrameworkInitialization(&startup::LateStartup);
  MainWindow& w = MainWindow::Instance();
  fw::Listbox& list = w.FileLstBx();
  QWidget* viewport = list.Tree()->viewport();
  Wait(100);

  std::vector<QByteArray> paths;
  {
    const QByteArray base = QFile::encodeName(QDir(folder).absolutePath()) + '/';
    for (const QString& n : QDir(folder).entryList(QDir::Files, QDir::Name))
      paths.push_back(base + QFile::encodeName(n));
  }
  if (paths.empty()) Fail("no files in the folder");
  const fw::String title = fw::String::fromUtf8("Modification des propriétés des fichiers - ") +
                           fw::Str(int(paths.size())) + QStringLiteral(" fichier(s)");

  // One drop: the addresses are the file manager's work and are made before the clock starts;
  // the clock stops once the rows are listed, the title set and the window has settled.
  auto timedDrop = [&] {
    w.SetTitle(fw::String());
    auto data = FileManagerData(paths);
    double ms = Milliseconds([&] {
      if (!Drop(viewport, data.get())) Fail("the list did not take the drop");
      Settle();
    });
    if (list.ListCount() != int(paths.size())) Fail("the drop did not list every file");
    if (w.Title() != title) Fail("the drop did not set the title: " + w.Title().toStdString());
    return ms;
  };

  // Memory: what the rows and their files hold, with one row selected and the list painted.
  std::vector<double> drops;
  const long before = ResidentKilobytes();
  drops.push_back(timedDrop());
  list.SetListIndex(0);
  Settle();
  const long rss = ResidentKilobytes() - before;
  for (int r = 1; r < repeats; ++r) {
    list.DeleteAllRows();
    Settle();
    drops.push_back(timedDrop());
  }
  list.SetListIndex(0);
  Settle();

  std::vector<double> exts, modifs, perms;
  if (!dropOnly) {
    // The extension of every file, ".md" and ".txt" in turns; an extra untimed turn gives the
    // files back their names. No report on success: a dialog here means a file failed.
    fw::seams::ResetDialogs();
    for (int r = 0; r < repeats + repeats % 2; ++r) {
      const QByteArray ext = r % 2 ? ".txt" : ".md";
      w.FilExtTxtFld().SetText(QString::fromLatin1(ext));
      double ms = Milliseconds([&] { w.AllExtBvlBtn().Push(); });
      if (r < repeats) exts.push_back(ms);
      if (!fw::seams::ShownDialogs().empty())
        Fail("the extension action reported: " + fw::seams::ShownDialogs().back().Message.toStdString());
      if (!Exists(WithExtension(paths.back(), ext)) || (ext != ".txt" && Exists(paths.back())))
        Fail("the last file did not get the extension");
    }

    for (int r = 0; r < repeats; ++r) {
      fw::Date d = fw::Date::FromFields(2011, 5, 12 + r, 10, 20, 30);
      w.ModifDateTxtFld().SetText(d.ShortDate());
      w.ModifTimeTxtFld().SetText(d.LongTime());
      modifs.push_back(Milliseconds([&] { w.AllModifDateBvlBtn().Push(); }));
      ExpectReport("Changement de la date de modification", "Changement de la date de modification réalisées sur");
      int64_t want = 0;
      d.ToEpoch(want);
      struct stat st;
      if (::stat(paths.back().constData(), &st) != 0 || int64_t(st.st_mtime) != want)
        Fail("the last file did not get the date");
    }

    PermissionsCtrCtl& panel = w.PermissionsCtrCtl1();
    for (int r = 0; r < repeats; ++r) {
      // Each turn changes every file's mode: owner 6, then group and others take turns.
      int group = r % 2 ? 0 : 4, others = r % 2 ? 4 : 0;
      panel.UserPermPupMnu().SetListIndex(6);
      panel.GroupPermPupMnu().SetListIndex(group);
      panel.OthersPermPupMnu().SetListIndex(others);
      // The menus' own write to the selected file comes first, as it would for a user.
      Wait(250);
      perms.push_back(Milliseconds([&] { w.AllPermissionsBvlBtn().Push(); }));
      ExpectReport("Modification des permissions de fichiers", "Modification des permissions de ");
      struct stat st;
      if (::stat(paths.back().constData(), &st) != 0 || int(st.st_mode & 0777) != (0600 | group << 3 | others))
        Fail("the last file did not get the mode");
    }
  }

  std::printf("drop_ms %.3f\n", Median(drops));
  if (!dropOnly)
    std::printf("ext_ms %.3f\nmodif_ms %.3f\nperms_ms %.3f\n", Median(exts), Median(modifs), Median(perms));
  std::printf("rss_kb %ld\n", rss);
  std::fflush(stdout);
  w.Close();
  fw::DestroyClosedWindows();
  startup::StaticFinalization();
  return fw::RuntimeExit();
}
