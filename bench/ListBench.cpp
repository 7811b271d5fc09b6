// The main window over a folder of files, in-process: one drop of every file, the memory the
// listed rows take, and the modification-date and permissions "Tous" actions over all of them.
// Prints "drop_ms", "modif_ms", "perms_ms" (medians over the repeats) and "rss_kb".
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "app/App.h"
#include "framework/Application.h"
#include "framework/MessageDialog.h"
#include "framework/Runtime.h"
#include "mainwindow/MainWindow.h"
#include "startup/Startup.h"

namespace {

[[noreturn]] void Fail(const std::string& why) {
  std::fprintf(stderr, "bench_list: %s\n", why.c_str());
  std::exit(1);
}

long ResidentKilobytes() {
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

// The action reported success for every file, not the partial form.
void ExpectReport(const char* title, const char* messageStart) {
  const auto& shown = fw::seams::ShownDialogs();
  if (shown.empty()) Fail(std::string("no report after ") + title);
  const auto& last = shown.back();
  if (last.Title != fw::String::fromUtf8(title) || !last.Message.startsWith(fw::String::fromUtf8(messageStart)))
    Fail(std::string("unexpected report: ") + last.Title.toStdString() + " / " + last.Message.toStdString());
  fw::seams::ResetDialogs();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Fail("usage: bench_list FOLDER [REPEATS]");
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

  fw::RuntimeInit(argc, argv);
  if (!std::getenv("XDG_CONFIG_HOME")) QStandardPaths::setTestModeEnabled(true);
  if (const char* bundle = std::getenv("BRENVALTIQUE_BUNDLE"))
    fw::seams::SetExecutableFile(QByteArray(bundle) + "/MacOS/brenvaltique");
  fw::seams::SetDefaultDialogAnswer(fw::String());
  startup::EarlyStartup();
  fw::RunFrameworkInitialization(&startup::LateStartup);
  MainWindow& w = MainWindow::Instance();
  fw::Listbox& list = w.FileLstBx();
  Wait(100);

  QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
  if (names.isEmpty()) Fail("no files in the folder");
  std::vector<QByteArray> paths;
  for (const QString& n : names) paths.push_back(QFile::encodeName(folder + QLatin1Char('/') + n));

  // Memory: what the rows and their files hold, with one row selected and the list painted.
  const long before = ResidentKilobytes();
  std::vector<double> drops;
  {
    std::vector<fw::FolderItemPtr> files;
    // Paths of their own, as a real drop makes them, so their bytes count as well.
    for (const QByteArray& p : paths)
      files.push_back(fw::FolderItem::FromNativePath(QByteArray(p.constData(), p.size())));
    drops.push_back(Milliseconds([&] {
      list.DropFiles(files);
      Settle();
    }));
  }
  if (list.ListCount() != int(paths.size())) Fail("the drop did not list every file");
  list.SetListIndex(0);
  Settle();
  const long rss = ResidentKilobytes() - before;

  for (int r = 1; r < repeats; ++r) {
    list.DeleteAllRows();
    Settle();
    std::vector<fw::FolderItemPtr> files;
    for (const QByteArray& p : paths) files.push_back(fw::FolderItem::FromNativePath(p));
    drops.push_back(Milliseconds([&] {
      list.DropFiles(files);
      Settle();
    }));
  }
  list.SetListIndex(0);
  Settle();

  std::vector<double> modifs;
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

  std::vector<double> perms;
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

  std::printf("drop_ms %.3f\nmodif_ms %.3f\nperms_ms %.3f\nrss_kb %ld\n", Median(drops), Median(modifs),
              Median(perms), rss);
  std::fflush(stdout);
  w.Close();
  fw::DestroyClosedWindows();
  startup::StaticFinalization();
  return fw::RuntimeExit();
}
