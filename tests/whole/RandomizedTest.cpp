// The whole program under a few hundred random user actions, over a folder of awkward files, while
// another program now and then changes a listed file's date or mode or swaps it for a link. After
// every action: no file's bytes changed, no file went missing but those the test removed itself,
// nothing outside the folder moved, files never listed kept every bit of their metadata, nothing
// another program did was undone or followed, and what the program said it did (or said nothing
// about) is what the files show. Dates are worked out here from the texts, never by the program.
//
// Each run plays its own seed and prints it. To replay a run:
//   BRENVALTIQUE_SEED=<seed> tests_whole
// BRENVALTIQUE_ACTIONS=<n> changes the number of actions; BRENVALTIQUE_RANDOM_LOG=1 prints each
// action as it is played (a failure or a crash prints them all anyway).
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QCryptographicHash>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "framework/FolderItem.h"
#include "framework/MessageDialog.h"
#include "framework/System.h"
#include "mainwindow/MainWindow.h"
#include "mainwindow/NameSplit.h"
#include "support/AppFixture.h"
#include "support/ReadOnlyFolder.h"
#include "support/Support.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

using Bytes = QByteArray;
using fw::String;

// ---------------------------------------------------------------- the action log, also on a crash

std::string crashLog;
// Made immutable for the run; a crash gives them back their flags, or nobody could remove them.
std::vector<QByteArray> lockedPaths;

void ClearImmutableFlags() {
  for (const QByteArray& p : lockedPaths) {
    int fd = ::open(p.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    int flags = 0;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
      flags &= ~FS_IMMUTABLE_FL;
      ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    ::close(fd);
  }
}

void DumpLog(const char* head) {
  (void)!::write(2, head, strlen(head));
  (void)!::write(2, crashLog.data(), crashLog.size());
  ClearImmutableFlags();
}

#if !defined(__SANITIZE_ADDRESS__)
void DumpLogAndDie(int sig) {
  DumpLog("\n=== randomized run: actions before the crash ===\n");
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}
#else
void DumpLogOnSanitizerDeath() { DumpLog("\n=== randomized run: actions before the sanitizer report ===\n"); }
#endif

void WatchForCrashes() {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer owns the fatal signals; it calls this before it ends the process.
  __sanitizer_set_death_callback(DumpLogOnSanitizerDeath);
#else
  for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) ::signal(sig, DumpLogAndDie);
#endif
}

void StopWatchingForCrashes() {
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(nullptr);
#else
  for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) ::signal(sig, SIG_DFL);
#endif
}

// ---------------------------------------------------------------- what the disk holds

struct Entry {
  // "f:" and the content's hash for a file, "l:" and the target for a link, "d:" and the inode for a folder.
  Bytes identity;
  mode_t mode = 0;
  timespec mtime{}, ctime{};
  std::map<Bytes, Bytes> xattrs;
};
using Tree = std::map<Bytes, Entry>;  // by path

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

Bytes ReadBytes(const Bytes& path) {
  Bytes out;
  int fd = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return out;
  char buf[4096];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, qsizetype(n));
  ::close(fd);
  return out;
}

std::map<Bytes, Bytes> Xattrs(const Bytes& path) {
  std::map<Bytes, Bytes> out;
  char names[4096];
  ssize_t n = ::llistxattr(path.constData(), names, sizeof names);
  for (ssize_t i = 0; i < n;) {
    Bytes name(names + i);
    i += name.size() + 1;
    char value[1024];
    ssize_t v = ::lgetxattr(path.constData(), name.constData(), value, sizeof value);
    out[name] = v < 0 ? Bytes("?") : Bytes(value, qsizetype(v));
  }
  return out;
}

// The entry at a path, not followed when it is a link; nothing when there is none.
std::optional<Entry> Examine(const Bytes& p) {
  struct stat st;
  if (::lstat(p.constData(), &st) != 0) return std::nullopt;
  Entry e;
  e.mode = st.st_mode;
  e.mtime = st.st_mtim;
  e.ctime = st.st_ctim;
  e.xattrs = Xattrs(p);
  if (S_ISDIR(st.st_mode)) {
    e.identity = "d:" + Bytes::number(qulonglong(st.st_ino));
  } else if (S_ISLNK(st.st_mode)) {
    char target[4096];
    ssize_t len = ::readlink(p.constData(), target, sizeof target);
    e.identity = "l:" + Bytes(target, qsizetype(len < 0 ? 0 : len));
  } else if (S_ISREG(st.st_mode)) {
    e.identity = "f:" + QCryptographicHash::hash(ReadBytes(p), QCryptographicHash::Sha1).toHex();
  } else {
    e.identity = "o:" + Bytes::number(qulonglong(st.st_ino));
  }
  return e;
}

void ScanInto(const Bytes& dir, Tree& tree) {
  DIR* d = ::opendir(dir.constData());
  if (!d) return;
  std::vector<Bytes> names;
  while (dirent* e = ::readdir(d)) {
    Bytes n(e->d_name);
    if (n != "." && n != "..") names.push_back(n);
  }
  ::closedir(d);
  for (const Bytes& n : names) {
    Bytes p = dir + '/' + n;
    std::optional<Entry> e = Examine(p);
    if (!e) continue;
    tree[p] = *e;
    if (S_ISDIR(e->mode)) ScanInto(p, tree);
  }
}

Tree Scan(const Bytes& dir) {
  Tree t;
  ScanInto(dir, t);
  return t;
}

// Reads as the program's file object would see them: through a link, to the file it names.
std::optional<fw::Date> ModDate(const Bytes& path) {
  struct stat st;
  if (::stat(path.constData(), &st) != 0) return std::nullopt;
  return fw::Date::FromEpoch(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
}

std::optional<timespec> ModTime(const Bytes& path) {
  struct stat st;
  if (::stat(path.constData(), &st) != 0) return std::nullopt;
  return st.st_mtim;
}

std::optional<fw::Date> BirthDate(const Bytes& path) {
  struct statx sx;
  if (::statx(AT_FDCWD, path.constData(), 0, STATX_BTIME, &sx) != 0 || !(sx.stx_mask & STATX_BTIME))
    return std::nullopt;
  return fw::Date::FromEpoch(sx.stx_btime.tv_sec, long(sx.stx_btime.tv_nsec));
}

std::optional<int> Mode(const Bytes& path) {
  struct stat st;
  if (::stat(path.constData(), &st) != 0) return std::nullopt;
  return int(st.st_mode & 0777);
}

bool Exists(const Bytes& path) {
  struct stat st;
  return ::lstat(path.constData(), &st) == 0;
}

// The file itself, or for a link the file it names.
bool Reachable(const Bytes& path) {
  struct stat st;
  return ::stat(path.constData(), &st) == 0;
}

// The hidden-extension flag of the Finder info; a file without one shows its extension.
bool ExtensionShown(const Bytes& path) {
  unsigned char info[64];
  ssize_t n = ::getxattr(path.constData(), "user.com.apple.FinderInfo", info, sizeof info);
  if (n < 10) return true;
  return ((info[8] << 8 | info[9]) & 0x0010) == 0;
}

// Remembers what it locks, so that a crash can give the flags back.
bool SetImmutable(const Bytes& path, bool on) {
  if (on) lockedPaths.push_back(path);
  return testsupport::SetImmutable(path, on);
}

// The date oracle, worked out here from the texts alone; it asks the program nothing. The run pins
// a locale of French order: day, month, year, each of one to four digits, joined by "/".

bool Leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int MonthDays(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && Leap(y) ? 29 : days[m - 1];
}

struct Day {
  int year, month, day;
  // How many digits the year was typed with.
  int yearDigits;
};

std::optional<Day> TypedDay(const String& text) {
  const QStringList parts = text.split(QLatin1Char('/'));
  if (parts.size() != 3) return std::nullopt;
  int n[3];
  for (int i = 0; i < 3; ++i) {
    if (parts[i].isEmpty() || parts[i].size() > 4) return std::nullopt;
    n[i] = 0;
    for (QChar c : parts[i]) {
      if (c < u'0' || c > u'9') return std::nullopt;
      n[i] = n[i] * 10 + (c.unicode() - u'0');
    }
  }
  if (n[1] < 1 || n[1] > 12 || n[0] < 1 || n[0] > MonthDays(n[2], n[1])) return std::nullopt;
  return Day{n[2], n[1], n[0], int(parts[2].size())};
}

// The number a text starts with; 0 when it starts with none.
int Leading(const String& text) {
  int n = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9' || n > 100000) break;
    n = n * 10 + (c.unicode() - u'0');
  }
  return n;
}

// Hours before the first ":", minutes from the two characters after it, seconds after the second
// ":"; two ":" at least, hours below 24, minutes and seconds below 60.
std::optional<std::array<int, 3>> TypedTime(const String& t) {
  const int p1 = int(t.indexOf(QLatin1Char(':')));
  if (p1 < 0) return std::nullopt;
  const int p2 = int(t.indexOf(QLatin1Char(':'), p1 + 1));
  if (p2 < 0) return std::nullopt;
  std::array<int, 3> hms = {Leading(t.left(p1)), Leading(t.mid(p1 + 1, 2)), Leading(t.mid(p2 + 1))};
  if (hms[0] >= 24 || hms[1] >= 60 || hms[2] >= 60) return std::nullopt;
  return hms;
}

// What a date field and a time field mean together when they are written: a year of one or two
// digits is one of the 2000s, any other as typed.
std::optional<fw::Date> Intended(const String& dateText, const String& timeText) {
  std::optional<Day> day = TypedDay(dateText);
  std::optional<std::array<int, 3>> hms = TypedTime(timeText);
  if (!day || !hms) return std::nullopt;
  const int year = day->yearDigits <= 2 ? 2000 + day->year : day->year;
  return fw::Date::FromFields(year, day->month, day->day, (*hms)[0], (*hms)[1], (*hms)[2]);
}

// The date field's text after a validate key that it accepts: below 100, that year of the 2000s;
// 101 to 1999, 2100; written back as two-digit day and month and a four-digit year.
std::optional<String> Validated(const String& text) {
  std::optional<Day> day = TypedDay(text);
  if (!day) return std::nullopt;
  int y = day->year;
  if (y < 100) y += 2000;
  else if (y >= 101 && y <= 1999) y = 2100;
  return String::asprintf("%02d/%02d/%04d", day->day, day->month, y);
}

String DayText(const fw::Date& d) { return String::asprintf("%02d/%02d/%04d", d.Day(), d.Month(), d.Year()); }
String TimeText(const fw::Date& d) { return String::asprintf("%02d:%02d:%02d", d.Hour(), d.Minute(), d.Second()); }

String Show(const std::optional<fw::Date>& d) {
  return d ? d->ShortDate() + QLatin1Char(' ') + d->LongTime() : QStringLiteral("(aucune)");
}

std::string Quote(const Bytes& b) {
  std::string s;
  for (char c : b) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u < 32) s += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0').toStdString();
    else s += c;
  }
  return s;
}
std::string Quote(const String& s) { return Quote(s.toUtf8()); }

// ---------------------------------------------------------------- the folder of awkward files

struct Seed {
  const char* name;
  int mode;
  // 1: the folder that refuses renames; 2: made immutable; 3: a link to the next file.
  int special;
  // Finder info to start with: creator code, and whether the extension is hidden.
  const char* creator;
  bool hidden;
};

const Seed kSeeds[] = {
    {"rapport annuel.pdf", 0644, 0, nullptr, false},
    {"  deux  blancs  .txt", 0644, 0, nullptr, false},
    {"été à Noël.txt", 0640, 0, nullptr, false},
    {"Ça coûte.jpg", 0644, 0, "prvw", false},
    {"rapport.final.v2.pdf", 0600, 0, nullptr, false},
    {"rapport.txt", 0644, 0, nullptr, true},
    {".cache.txt", 0644, 0, nullptr, false},
    {".png", 0644, 0, nullptr, false},
    {"photo.jpg", 0644, 0, "ogle", false},
    {"photo.png", 0755, 0, nullptr, true},
    {"photo.jpeg.txt", 0644, 0, nullptr, false},
    {"caf\xe9.txt", 0644, 0, nullptr, false},
    {"\xff\xfe bizarre.pdf", 0644, 0, nullptr, false},
    {"lecture seule.txt", 0444, 0, nullptr, false},
    {"verrouillé.gif", 0644, 2, "prvw", true},
    {"lien.txt", 0777, 3, nullptr, false},
    {"cible.txt", 0644, 0, nullptr, false},
    {"MAJUSCULES.PDF", 0644, 0, nullptr, false},
    {"x.JPG", 0644, 0, nullptr, false},
    {"a.txt", 0644, 0, nullptr, false},
    {"b.png", 0664, 0, nullptr, false},
    {"c.gif", 0644, 0, nullptr, false},
    {"d.jpeg", 0644, 0, nullptr, false},
    {"e.jfif", 0644, 0, nullptr, false},
    {"source.cpp", 0644, 0, nullptr, false},
    {"cent%25 dièse#1 question?.txt", 0644, 0, nullptr, false},
    {"guillemets \"double\" 'simple'.txt", 0644, 0, nullptr, false},
    {"tab\there.txt", 0644, 0, nullptr, false},
    {"tiret -rf.png", 0644, 0, nullptr, false},
    {"émoji 🙂.png", 0644, 0, nullptr, false},
    {"名前.txt", 0644, 0, nullptr, false},
    {"archive.tar.gz", 0644, 0, nullptr, false},
    {"sans extension", 0644, 0, nullptr, false},
    {"notes.txt.bak", 0644, 0, nullptr, false},
    {"script.sh", 0755, 0, nullptr, false},
    {"setuid.txt", 04755, 0, nullptr, false},
    {"dossier protégé/dedans.txt", 0644, 1, nullptr, false},
    {"dossier protégé/image.png", 0644, 1, "ogle", false},
    {"dossier.txt/pas un fichier.txt", 0644, 0, nullptr, false},
    {"nom tres long aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
     "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
     "aaaaaaaaaaaaaaaaaa.txt",
     0644, 0, nullptr, false},
};

// Names typed in the name field and the extension field.
const char* const kNames[] = {
    "nouveau", "Nouveau nom",     "été",   "a/b",        "/",  "",       ".",       "..", " ",    "rapport",
    "photo",   "cible",           "lien",  "caf",        "zz", ".cache", "un.deux", "Ça", "名前", "-rf",
    "a",       "dossier protégé", "x.y.z", "émoji 🙂"};
const char* const kExtensions[] = {".txt",    ".pdf", ".png", ".jpg", ".JPG",  "",     ".",  "txt",
                                   ".tar.gz", ".a/b", "/",    ".é",   " .txt", ".gif", "..", ".jpeg"};
const char* const kTimes[] = {"02:30:00", "02:30:00", "23:59:59", "00:00:00", "24:00:00", "12:60:00", "9:5:30",
                              "10:30",    "::",       "",         "1:2:3:4",  "abc",      "12:00:00", "03:15:07"};

// ---------------------------------------------------------------- the run

enum Field { kName, kExt, kCDate, kCTime, kMDate, kMTime, kFieldCount };

// What the program must do when a field loses the focus, known before the action.
struct FocusLoss {
  int field = -1;
  int sel = -1;
  fw::FolderItemPtr file;
  Bytes path, identity;
  String texts[kFieldCount];
  std::optional<timespec> mtime;
  std::optional<fw::Date> birth;
  bool box = true;  // the "Extension visible" box as the field was left (a drop may show another file)
};

// What an apply-to-all button must do, read when its click comes.
struct Tous {
  int which = -1;  // 0 extension, 1 creation date, 2 modification date, 3 permissions
  int sel = -1;
  String ext, dateText, timeText, digits[3];
  bool box = true;
  struct Row {
    fw::FolderItemPtr file;
    String name;
    Bytes identity;
    bool link;
  };
  std::vector<Row> rows;
};

class RandomRun : public QObject {
 public:
  RandomRun(MainWindow& w, uint64_t seed, const Bytes& root) : w_(w), rng_(seed), seed_(seed), root_(root) {}

  void Setup() {
    folder_ = root_ + "/travail";
    outside_ = root_ + "/dehors";
    ::mkdir(folder_.constData(), 0755);
    ::mkdir(outside_.constData(), 0755);
    ::mkdir((folder_ + "/dossier protégé").constData(), 0755);
    ::mkdir((folder_ + "/dossier.txt").constData(), 0755);
    std::uniform_int_distribution<int> byte(0, 255);
    int k = 0;
    for (const Seed& s : kSeeds) {
      Bytes path = folder_ + '/' + s.name;
      if (s.special == 3) {
        ::symlink("cible.txt", path.constData());
        continue;
      }
      // Every file has content of its own, so its content tells it apart.
      Bytes content = "fichier " + Bytes::number(++k) + " : " + s.name + "\n";
      for (int i = 0; i < 64; ++i) content += char(byte(rng_));
      WriteFile(path, content, s.mode);
      if (s.creator || s.hidden) {
        unsigned char info[32] = {};
        if (s.creator) memcpy(info + 4, s.creator, 4);
        if (s.hidden) info[9] = 0x10;
        ::setxattr(path.constData(), "user.com.apple.FinderInfo", info, sizeof info, 0);
      }
      if (s.special == 2) immutable_.push_back(path);
    }
    for (const char* n : {"voisin.txt", "voisin.pdf", "photo.jpg"})
      WriteFile(outside_ + '/' + n, Bytes("dehors : ") + n + "\n", 0644);
    // The folder whose entries cannot be renamed, even by root: immutable.
    ::chmod((folder_ + "/dossier protégé").constData(), 0555);
    immutable_.push_back(folder_ + "/dossier protégé");
    for (const Bytes& p : immutable_)
      if (!SetImmutable(p, true)) immutableRefused_ = true;
    if (immutableRefused_)
      std::printf(
          "randomized: the file system or the process refuses the immutable flag; "
          "writes then fail only for the files the test removes\n");

    Tree t = Scan(folder_);
    for (const auto& [p, e] : t) {
      if (!S_ISDIR(e.mode)) expected_[e.identity]++;
      frozen_[e.identity] = {p, e};
    }
    outsideBefore_ = Scan(outside_);
    struct stat st;
    ::lstat(root_.constData(), &st);
    rootMtime_ = st.st_mtim;
  }

  void Teardown() {
    fw::seams::RefuseNoReplace(false);
    for (const Bytes& p : immutable_) SetImmutable(p, false);
    // By bytes: the temporary folder's own cleanup goes by text and misses names that are not UTF-8.
    RemoveInside(root_);
  }

  static void RemoveInside(const Bytes& dir) {
    Tree t = Scan(dir);
    for (auto it = t.rbegin(); it != t.rend(); ++it) {
      if (S_ISDIR(it->second.mode)) ::rmdir(it->first.constData());
      else ::unlink(it->first.constData());
    }
  }

  void Play(int count) {
    qApp->installEventFilter(this);
    for (int i = 1; i <= count && !failed_; ++i) {
      number_ = i;
      Step();
    }
    qApp->removeEventFilter(this);
  }

  // What the run went through, for a person reading its output.
  std::string Summary() const {
    std::string out;
    for (const auto& [what, n] : stats_) out += (out.empty() ? "" : ", ") + what + " " + std::to_string(n);
    return out;
  }

 protected:
  // A field's LostFocus handler has run by the time the next widget gets the focus: its writes are
  // checked there, before the click or key that moved the focus does anything else.
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusIn && loss_ && !FieldControl(loss_->field).HasFocus()) {
      FocusLoss l = *loss_;
      loss_.reset();
      CheckFocusLoss(l);
      // "Tous" applies what the fields held when the click came; its rows are as the focus loss left them.
      if (tous_) ReadTousRows();
    }
    return false;
  }

 private:
  MainWindow& w_;
  std::mt19937_64 rng_;
  uint64_t seed_;
  Bytes root_, folder_, outside_;
  std::vector<Bytes> immutable_;
  bool immutableRefused_ = false;
  bool failed_ = false;
  int number_ = 0;

  // Identity → how many entries of the folder hold it; the test's own removals take entries away.
  std::map<Bytes, int> expected_;
  // Files never listed, with their path and metadata as the test last left them.
  std::map<Bytes, std::pair<Bytes, Entry>> frozen_;
  Tree outsideBefore_;
  timespec rootMtime_{};
  int removals_ = 0, moves_ = 0, timerWaits_ = 0;
  bool refuseNoReplace_ = false;
  std::map<std::string, int> stats_;
  void Count(const std::string& what) { stats_[what]++; }

  // Per action.
  std::optional<FocusLoss> loss_;
  std::optional<Tous> tous_;
  std::map<String, int> expectedReports_;
  // Reports that may come or not: a write that would change nothing, refused all the same.
  std::map<String, int> allowedReports_;
  bool mayWrite_ = false;
  bool chose_ = false;
  // The field the user typed in (or whose text the field's own check rewrote) during this action.
  int userEdited_ = -1;
  // A write of a focus loss that the file refused: its report and the fields shown again come once
  // the action is over, unless a "Tous" of the same kind in that click reports it.
  struct Refusal {
    int kind;  // the "Tous" that reports it: 0 names, 1 creation, 2 modification
    int sel;
    fw::FolderItemPtr file;
    String what;
  };
  std::optional<Refusal> refusal_;

  // What the program last put in each field, from the file or written to it: a focus loss writes
  // only a text that differs.
  String put_[kFieldCount];
  // The digits chosen since the last permission write: 4 owner, 2 group, 1 others.
  int chosenMask_ = 0;
  int links_ = 0, behindChanges_ = 0;
  // Paths whose file was swapped for a link.
  std::vector<Bytes> swapped_;

  // -------------------------------------------------------------- helpers

  template <class T>
  T Pick(const std::vector<T>& v) {
    return v[std::uniform_int_distribution<size_t>(0, v.size() - 1)(rng_)];
  }
  int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  static void WriteFile(const Bytes& path, const Bytes& content, int mode) {
    int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
      (void)!::write(fd, content.constData(), size_t(content.size()));
      ::close(fd);
    }
    ::chmod(path.constData(), mode_t(mode));
  }

  void Say(const std::string& line) {
    std::string l = "#" + std::to_string(number_) + " " + line + "\n";
    crashLog += l;
    if (qEnvironmentVariableIsSet("BRENVALTIQUE_RANDOM_LOG")) std::fputs(l.c_str(), stdout), std::fflush(stdout);
  }

  void Fail(const std::string& what) {
    if (failed_) return;
    failed_ = true;
    ADD_FAILURE() << "after action #" << number_ << ": " << what << "\n\nseed " << seed_
                  << " (replay with BRENVALTIQUE_SEED=" << seed_ << ")\nactions:\n"
                  << crashLog;
  }

  fw::Listbox& List() const { return w_.FileLstBx(); }
  QTreeWidget* Tree_() const { return List().Tree(); }
  fw::TextField& FieldControl(int f) const {
    switch (f) {
      case kName: return w_.FileNameTxtFld();
      case kExt: return w_.FilExtTxtFld();
      case kCDate: return w_.CreationDateTxtFld();
      case kCTime: return w_.CreationTimeTxtFld();
      case kMDate: return w_.ModifDateTxtFld();
      default: return w_.ModifTimeTxtFld();
    }
  }
  static const char* FieldName(int f) {
    static const char* names[] = {"name",          "extension",         "creation date",
                                  "creation time", "modification date", "modification time"};
    return names[f];
  }
  int FocusedField() const {
    for (int f = 0; f < kFieldCount; ++f)
      if (FieldControl(f).HasFocus()) return f;
    return -1;
  }
  fw::FolderItemPtr RowFile(int r) const {
    std::any tag = List().RowTag(r);
    if (auto* f = std::any_cast<fw::FolderItemPtr>(&tag)) return *f;
    return nullptr;
  }
  PermissionsCtrCtl& Panel() const { return w_.PermissionsCtrCtl1(); }
  void Digits(String out[3]) const {
    out[0] = Panel().UserPermTxtFld().Text();
    out[1] = Panel().GroupPermTxtFld().Text();
    out[2] = Panel().OthersPermTxtFld().Text();
  }
  static std::optional<int> ModeOf(const String d[3]) {
    int m = 0;
    for (int i = 0; i < 3; ++i) {
      if (d[i].size() != 1 || d[i][0] < u'0' || d[i][0] > u'7') return std::nullopt;
      m = m * 8 + (d[i][0].unicode() - u'0');
    }
    return m;
  }
  static Bytes IdentityAt(const Bytes& path) {
    std::optional<Entry> e = Examine(path);
    return e ? e->identity : Bytes();
  }

  void Settle() {
    // Reports wait for the event that caused them; they come now.
    for (int i = 0; i < 4; ++i) QCoreApplication::processEvents();
  }

  // -------------------------------------------------------------- one action

  void Step() {
    fw::seams::ResetDialogs();
    fw::seams::ResetContextualMenu();
    loss_.reset();
    tous_.reset();
    expectedReports_.clear();
    allowedReports_.clear();
    mayWrite_ = false;
    chose_ = false;
    userEdited_ = -1;
    refusal_.reset();
    String textsBefore[kFieldCount];
    for (int f = 0; f < kFieldCount; ++f) textsBefore[f] = FieldControl(f).Text();

    // The focus loss this action may cause, with what the fields hold now.
    const int focused = FocusedField();
    const int sel = List().ListIndex();
    if (focused >= 0) {
      FocusLoss l;
      l.field = focused;
      l.sel = sel;
      l.file = sel >= 0 ? RowFile(sel) : nullptr;
      for (int f = 0; f < kFieldCount; ++f) l.texts[f] = FieldControl(f).Text();
      l.box = w_.VisibleChkBx().Value();
      if (l.file) {
        l.path = l.file->NativePath();
        l.identity = IdentityAt(l.path);
        l.mtime = ModTime(l.path);
        l.birth = BirthDate(l.path);
      }
      loss_ = l;
      mayWrite_ = sel >= 0;
    }
    // A permission choice waiting for its timer goes to its file during this action or a later one.
    const bool armed = Panel().SetPermissionsTimer().Mode() != fw::Timer::ModeOff;
    const fw::FolderItemPtr copy = Panel().FolderItemCopy;
    const std::optional<int> modeBefore = copy ? Mode(copy->NativePath()) : std::nullopt;
    String digits[3];
    Digits(digits);
    if (armed) mayWrite_ = true;
    const int writesBefore = fw::seams::FileWriteCalls();

    Act();
    if (failed_) return;
    if (loss_ && !FieldControl(loss_->field).HasFocus()) {
      FocusLoss l = *loss_;
      loss_.reset();
      CheckFocusLoss(l);
    }
    Settle();
    if (failed_) return;

    // The waiting write went out when the timer ran, when the panel moved to another file, or when
    // the panel shows other digits than were chosen without a new choice (it showed the file anew).
    String digitsNow[3];
    Digits(digitsNow);
    const bool otherDigits = !chose_ && ModeOf(digitsNow) != ModeOf(digits);
    if (armed &&
        (Panel().SetPermissionsTimer().Mode() == fw::Timer::ModeOff || Panel().FolderItemCopy != copy || otherDigits)) {
      if (tous_ && tous_->which == 3 && tous_->sel >= 0) {
        // Sent on before "Tous" gives every file the shown digits, which its own check follows.
        chosenMask_ = 0;
        allowedReports_[QStringLiteral("permissions")]++;
      } else {
        CheckPermissionWrite(copy, digits, modeBefore);
      }
    }
    if (refusal_) CheckRefusal(*refusal_);
    if (tous_) CheckTous(*tous_);
    CheckDialogs();
    if (!mayWrite_ && fw::seams::FileWriteCalls() != writesBefore)
      Fail("an action that writes nothing wrote to a file (" +
           std::to_string(fw::seams::FileWriteCalls() - writesBefore) + " writing calls)");
    if (List().ListIndex() != sel) {
      Count("selections checked");
      CheckFieldsShowSelection();
    }
    CheckWindow();
    CheckDisk();
    // A text the program put in a field, from the file or by a refusal shown, is the one a focus
    // loss compares with; the user's own typing is not.
    for (int f = 0; f < kFieldCount; ++f)
      if (f != userEdited_ && FieldControl(f).Text() != textsBefore[f]) put_[f] = FieldControl(f).Text();
    KeepWindowActive();
  }

  void Act() {
    const int rows = List().ListCount();
    // A user who went into a field mostly types there.
    if (FocusedField() >= 0 && Chance(0.4)) return TypeInField();
    // Drops come often while the list is short.
    int r = Int(0, 99);
    if (rows < 6 && r < 30) return DropApi();
    if (r < 6) return DropApi();
    if (r < 9) return DropReal();
    if (r < 22) return ClickRow();
    if (r < 24) return ClickBelowRows();
    if (r < 34) return FocusField();
    if (r < 50) return TypeInField();
    if (r < 58) return ValidateKey();
    if (r < 62) return ClickElsewhere();
    if (r < 67) return ClickCheckBox();
    if (r < 73) return ChoosePermission();
    if (r < 75) return WaitForTimer();
    if (r < 85) return ClickTous(Int(0, 3));
    if (r < 89) return ContextualMenu();
    if (r < 90) return ListKey();
    if (r < 91) return RemoveBehindTheBack();
    if (r < 92) return MoveBehindTheBack();
    if (r < 96) return ChangeDateBehindTheBack();
    if (r < 98) return ChangeModeBehindTheBack();
    if (r < 99) return SwapForLinkBehindTheBack();
    return ToggleNoReplace();
  }

  // Some file systems refuse the flag that makes a rename never replace a file; the program then
  // takes another way, which must be as safe.
  void ToggleNoReplace() {
    refuseNoReplace_ = !refuseNoReplace_;
    Say(std::string("(the file system) ") + (refuseNoReplace_ ? "refuses" : "accepts") + " no-replace renames");
    fw::seams::RefuseNoReplace(refuseNoReplace_);
  }

  // -------------------------------------------------------------- the actions

  std::vector<Bytes> FolderFiles(bool acceptedOnly) const {
    std::vector<Bytes> out;
    for (const auto& [p, e] : Scan(folder_)) {
      if (S_ISDIR(e.mode)) continue;
      if (acceptedOnly && !List().Accepts(*fw::FolderItem::FromNativePath(p))) continue;
      out.push_back(p);
    }
    return out;
  }

  void Listed(const std::vector<Bytes>& paths) {
    // Files that became rows may be changed from now on; a link's writes reach the file it names.
    for (const Bytes& p : paths) {
      Bytes id = IdentityAt(p);
      if (!id.isEmpty()) frozen_.erase(id);
      char* real = ::realpath(p.constData(), nullptr);
      if (real) {
        Bytes rid = IdentityAt(Bytes(real));
        if (!rid.isEmpty()) frozen_.erase(rid);
        std::free(real);
      }
    }
  }

  void AfterDrop(int rowsBefore, const std::vector<Bytes>& offered) {
    std::vector<Bytes> added;
    for (int r = rowsBefore; r < List().ListCount(); ++r) {
      fw::FolderItemPtr f = RowFile(r);
      if (!f) return Fail("a dropped row has no file");
      added.push_back(f->NativePath());
    }
    for (const Bytes& p : added)
      if (std::find(offered.begin(), offered.end(), p) == offered.end())
        return Fail("a row stands for a file that was not dropped: " + Quote(p));
    Listed(added);
  }

  void DropApi() {
    std::vector<Bytes> files = FolderFiles(true);
    if (files.empty()) return ClickRow();
    std::vector<Bytes> chosen;
    int n = Int(1, 4);
    for (int i = 0; i < n; ++i) chosen.push_back(Pick(files));
    std::string line = "drop (API):";
    std::vector<fw::FolderItemPtr> items;
    for (const Bytes& p : chosen) {
      line += " «" + Quote(p.mid(folder_.size() + 1)) + "»";
      items.push_back(fw::FolderItem::FromNativePath(p));
    }
    Say(line);
    int before = List().ListCount();
    AnswerDialogs();
    List().DropFiles(items);
    EditInHandWritten();
    AfterDrop(before, chosen);
  }

  // A drop takes no focus, but writes the edit in hand as leaving its field would.
  void EditInHandWritten() {
    if (!loss_) return;
    FocusLoss l = *loss_;
    loss_.reset();
    CheckFocusLoss(l);
  }

  void DropReal() {
    std::vector<Bytes> all;
    // Anything of the folder, its sub-folders and the files the filter refuses included.
    for (const auto& [p, e] : Scan(folder_)) all.push_back(p);
    std::vector<Bytes> chosen;
    int n = Int(1, 3);
    for (int i = 0; i < n; ++i) chosen.push_back(Pick(all));
    std::string line = "drop (event):";
    // As a file manager sends them: addresses with the path's bytes percent-encoded, UTF-8 or not.
    Bytes list;
    for (const Bytes& p : chosen) {
      line += " «" + Quote(p.mid(root_.size() + 1)) + "»";
      list += "file://" + p.toPercentEncoding("/") + "\r\n";
    }
    Say(line);
    QMimeData mime;
    mime.setData(QStringLiteral("text/uri-list"), list);
    QWidget* vp = Tree_()->viewport();
    QPoint pos = vp->rect().center();
    int before = List().ListCount();
    AnswerDialogs();
    QDragEnterEvent enter(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &enter);
    if (!enter.isAccepted()) return;
    QDragMoveEvent move(pos, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    if (!move.isAccepted()) return;
    QDropEvent drop(QPointF(pos), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &drop);
    if (drop.isAccepted()) EditInHandWritten();
    AfterDrop(before, chosen);
  }

  void ClickRow() {
    int rows = List().ListCount();
    if (rows == 0) return DropApi();
    int r = Int(0, rows - 1);
    QTreeWidgetItem* item = Tree_()->topLevelItem(r);
    Tree_()->scrollToItem(item);
    QRect rect = Tree_()->visualItemRect(item);
    Say("click row " + std::to_string(r) + " «" + Quote(List().List(r)) + "»");
    QTest::mouseClick(Tree_()->viewport(), Qt::LeftButton, {}, rect.center());
  }

  void ClickBelowRows() {
    int rows = List().ListCount();
    QWidget* vp = Tree_()->viewport();
    int bottom = rows == 0 ? 0 : Tree_()->visualItemRect(Tree_()->topLevelItem(rows - 1)).bottom();
    if (rows > 0 && bottom + 12 >= vp->height()) {
      Tree_()->scrollToBottom();
      bottom = Tree_()->visualItemRect(Tree_()->topLevelItem(rows - 1)).bottom();
    }
    if (bottom + 12 >= vp->height()) return ClickRow();
    Say("click the list below its rows");
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(30, bottom + 8));
  }

  void FocusField() {
    int f = Int(0, kFieldCount - 1);
    Say(std::string("click in the ") + FieldName(f) + " field");
    QWidget* wdg = FieldControl(f).Widget();
    QTest::mouseClick(wdg, Qt::LeftButton, {}, QPoint(Int(2, wdg->width() - 2), wdg->height() / 2));
  }

  String TextFor(int f) {
    switch (f) {
      case kName: {
        if (Chance(0.25)) {
          // Another file's base name, to make names meet.
          std::vector<Bytes> files = FolderFiles(false);
          if (!files.empty()) {
            Bytes p = Pick(files);
            return BaseName(QString::fromUtf8(p.mid(p.lastIndexOf('/') + 1)));
          }
        }
        if (Chance(0.05)) return String(260, QLatin1Char('n'));
        return String::fromUtf8(Pick(std::vector<const char*>(std::begin(kNames), std::end(kNames))));
      }
      case kExt:
        if (Chance(0.05)) return QLatin1Char('.') + String(255, QLatin1Char('e'));
        return String::fromUtf8(Pick(std::vector<const char*>(std::begin(kExtensions), std::end(kExtensions))));
      case kCDate:
      case kMDate: {
        int r = Int(0, 17);
        // Days when the clocks go forward: 02:30 does not exist on them.
        if (r < 2) return String::fromUtf8(Pick(std::vector<const char*>{"28/03/2021", "26/03/2023", "31/03/2024"}));
        if (r < 10) {
          // One draw after another, so that a seed plays the same whatever the compiler's order.
          const int form = Int(0, 2);
          int year = form == 0 ? Int(1995, 2040) : form == 1 ? Int(0, 99) : Int(1902, 1999);
          int month = Int(1, 12), day = Int(1, 28);
          // A year of one or two digits, and a year before 2000 written in full, as a user types them.
          if (form == 1) return QStringLiteral("%1/%2/%3").arg(day).arg(month).arg(year);
          return String::asprintf("%02d/%02d/%04d", day, month, year);
        }
        static const char* odd[] = {"28/03/2021", "31/10/2021", "26/03/2023", "29/02/2021", "29/02/2024",
                                    "1/1/1",      "12/12/1999", "01/01/2500", "1/1/100",    "00/01/2020",
                                    "32/01/2020", "ab/cd",      "/",          "1//2",       "01/13/2020",
                                    "5/5/0",      "31/12/2446", "1/1/2447",   "é/1/2020",   "1.1.2020"};
        return String::fromUtf8(Pick(std::vector<const char*>(std::begin(odd), std::end(odd))));
      }
      default: {
        if (Chance(0.3))
          return QStringLiteral("%1:%2:%3")
              .arg(Int(0, 23))
              .arg(Int(0, 59), 2, 10, QLatin1Char('0'))
              .arg(Int(0, 59), 2, 10, QLatin1Char('0'));
        return String::fromUtf8(Pick(std::vector<const char*>(std::begin(kTimes), std::end(kTimes))));
      }
    }
  }

  void TypeKey(QWidget* target, QChar c) {
    if (c.unicode() < 128 && c.unicode() >= 32) QTest::keyClick(target, char(c.unicode()));
    else testsupport::PressKey(target, c.toUpper().unicode(), String(c));
  }

  void TypeInField() {
    int f = FocusedField();
    if (f < 0) return FocusField();
    QWidget* target = FieldControl(f).Widget();
    bool clear = Chance(0.7);
    String text = TextFor(f);
    // A tab typed is the key that leaves the field; a name that holds one cannot be typed whole.
    text.remove(QRegularExpression(QStringLiteral("[\\x00-\\x1f]")));
    Say(std::string("type in the ") + FieldName(f) + " field" + (clear ? " (after clearing it)" : "") + ": «" +
        Quote(text) + "»");
    userEdited_ = f;
    if (clear) {
      int len = int(FieldControl(f).Text().size());
      QTest::keyClick(target, f <= kExt ? Qt::Key_End : Qt::Key_Down);
      for (int i = 0; i <= len; ++i) QTest::keyClick(target, Qt::Key_Backspace);
    }
    for (int i = 0; i < text.size(); ++i) {
      if (text[i].isHighSurrogate() && i + 1 < text.size()) {
        testsupport::PressKey(target, int(QChar::surrogateToUcs4(text[i], text[i + 1])), text.mid(i, 2));
        ++i;
        continue;
      }
      TypeKey(target, text[i]);
    }
    if (Chance(0.15)) {
      int back = Int(1, 3);
      Say("  then " + std::to_string(back) + " backspace(s)");
      for (int i = 0; i < back; ++i) QTest::keyClick(target, Qt::Key_Backspace);
    }
    Say("  the field reads «" + Quote(FieldControl(f).Text()) + "»");
  }

  void ValidateKey() {
    QWidget* target = QApplication::focusWidget();
    if (!target) return FocusField();
    static const std::pair<Qt::Key, const char*> keys[] = {
        {Qt::Key_Tab, "Tab"}, {Qt::Key_Tab, "Tab"}, {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}};
    auto [key, name] = keys[Int(0, 3)];
    int f = FocusedField();
    Say(std::string("press ") + name + (f >= 0 ? std::string(" in the ") + FieldName(f) + " field" : ""));
    // A date field rewrites its text in the short form when it passes its check, before the focus moves.
    if (loss_ && (f == kCDate || f == kMDate)) {
      if (std::optional<String> v = Validated(loss_->texts[f])) loss_->texts[f] = *v;
      userEdited_ = f;
    }
    QTest::keyClick(target, key);
  }

  void ClickElsewhere() {
    int r = Int(0, 2);
    if (r == 0) {
      Say("click in the creator field");
      QWidget* wdg = w_.MacCreatorTxtFld().Widget();
      QTest::mouseClick(wdg, Qt::LeftButton, {}, QPoint(5, wdg->height() / 2));
    } else if (r == 1) {
      Say("click on the window's background");
      QTest::mouseClick(w_.ContentWidget(), Qt::LeftButton, {}, QPoint(590, 300));
    } else {
      Say("click on the name label");
      QWidget* wdg = w_.NameLbl().Widget();
      QTest::mouseClick(wdg, Qt::LeftButton, {}, QPoint(3, wdg->height() / 2));
    }
  }

  void ClickCheckBox() {
    QCheckBox* box = w_.VisibleChkBx().QtCheckBox();
    const int sel = List().ListIndex();
    const fw::FolderItemPtr f = sel >= 0 ? RowFile(sel) : nullptr;
    const bool shownBefore = f ? ExtensionShown(f->NativePath()) : true;
    const bool wasTicked = box->isChecked();
    Say(std::string("click the check box (") + (wasTicked ? "ticked" : "unticked") + ")");
    if (f) mayWrite_ = true;
    AnswerDialogs();
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(7, box->height() / 2));
    if (!f) return;
    // The box's own click: the file takes the box's state, or the box goes back to the file's and a
    // report says why.
    const bool now = box->isChecked();
    const bool clicked = !wasTicked;
    // A focus loss that came first may have renamed the file.
    const Bytes path = f->NativePath();
    if (!Reachable(path)) {
      expectedReports_[QStringLiteral("extension visible")]++;
      if (!now) Fail("the check box stays unticked for a file that is gone");
    } else if (now != ExtensionShown(path)) {
      Fail(std::string("the check box reads ") + (now ? "ticked" : "unticked") + " while the file's extension is " +
           (ExtensionShown(path) ? "shown" : "hidden"));
    } else if (now == clicked && shownBefore == clicked) {
      // Nothing to change, but a file swapped since its drop refuses even that.
      allowedReports_[QStringLiteral("extension visible")]++;
    } else if (now != clicked) {
      Count("check box refused");
      expectedReports_[QStringLiteral("extension visible")]++;
      if (ExtensionShown(path) != shownBefore) Fail("the check box went back, but the file changed");
    }
    if (List().List(sel) != (now ? f->Name() : BaseName(f->Name())))
      Fail("after the check box the row reads «" + Quote(List().List(sel)) + "»");
  }

  void ChoosePermission() {
    int which = Int(0, 2);
    int digit = Int(0, 7);
    PermissionsPupMnu* menus[] = {&Panel().UserPermPupMnu(), &Panel().GroupPermPupMnu(), &Panel().OthersPermPupMnu()};
    // Choosing the row already shown changes nothing and arms nothing.
    chose_ = menus[which]->ListIndex() != digit;
    if (chose_) chosenMask_ |= 4 >> which;
    static const char* names[] = {"owner", "group", "others"};
    Say(std::string("choose ") + std::to_string(digit) + " in the " + names[which] + " permission menu");
    menus[which]->SetListIndex(digit);
  }

  void WaitForTimer() {
    fw::Timer& t = Panel().SetPermissionsTimer();
    if (t.Mode() == fw::Timer::ModeOff || timerWaits_ >= 8) return ChoosePermission();
    ++timerWaits_;
    Say("wait for the permission timer");
    AnswerDialogs();
    for (int i = 0; i < 15 && t.Mode() != fw::Timer::ModeOff; ++i) fw::seams::AdvanceClock(t.Period());
    if (t.Mode() != fw::Timer::ModeOff) Fail("the permission timer never ran");
  }

  void ReadTous() {
    Tous& t = *tous_;
    t.sel = List().ListIndex();
    t.ext = w_.FilExtTxtFld().Text();
    t.box = w_.VisibleChkBx().Value();
    bool creation = t.which == 1;
    t.dateText = (creation ? w_.CreationDateTxtFld() : static_cast<fw::TextField&>(w_.ModifDateTxtFld())).Text();
    t.timeText = (creation ? w_.CreationTimeTxtFld() : static_cast<fw::TextField&>(w_.ModifTimeTxtFld())).Text();
    Digits(t.digits);
    ReadTousRows();
  }

  void ReadTousRows() {
    Tous& t = *tous_;
    t.rows.clear();
    for (int r = 0; r < List().ListCount(); ++r) {
      fw::FolderItemPtr f = RowFile(r);
      std::optional<Entry> e = f ? Examine(f->NativePath()) : std::nullopt;
      t.rows.push_back({f, f ? f->Name() : String(), e ? e->identity : Bytes(), e && S_ISLNK(e->mode)});
    }
  }

  void ClickTous(int which) {
    static const char* names[] = {"extension", "creation date", "modification date", "permissions"};
    fw::BevelButton* buttons[] = {&w_.AllExtBvlBtn(), &w_.AllCreationDateBvlBtn(), &w_.AllModifDateBvlBtn(),
                                  &w_.AllPermissionsBvlBtn()};
    Say(std::string("click «Tous» for the ") + names[which]);
    tous_ = Tous{};
    tous_->which = which;
    ReadTous();
    if (tous_->sel >= 0) mayWrite_ = true;
    AnswerDialogs();
    QToolButton* b = buttons[which]->QtButton();
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
  }

  void ContextualMenu() {
    static const char* items[] = {"Supprimer sélection", "Supprimer sélection", "Supprimer tout", "", "Autre chose"};
    String item = String::fromUtf8(items[Int(0, 4)]);
    bool real = Chance(0.5);
    String answer = Chance(0.5) ? QStringLiteral("Supprimer") : QStringLiteral("Annuler");
    Say("contextual menu (" + std::string(real ? "right click" : "opened") + "): «" + Quote(item) + "»" +
        (item == QLatin1String("Supprimer tout") ? " answered «" + Quote(answer) + "»" : std::string()));
    const int rows = List().ListCount(), sel = List().ListIndex();
    fw::seams::AnswerNextDialog(answer);
    fw::seams::AnswerNextContextualMenu(item);
    QPoint at(40, 10);
    if (real) {
      QContextMenuEvent e(QContextMenuEvent::Mouse, at, Tree_()->viewport()->mapToGlobal(at));
      QApplication::sendEvent(Tree_()->viewport(), &e);
    } else {
      List().OpenContextualMenu(at.x(), at.y());
    }
    Settle();
    const auto& shown = fw::seams::ShownDialogs();
    bool confirmed = !shown.empty() && shown[0].Title == QLatin1String("Suppression de tous les fichiers") &&
                     shown[0].Pressed == QLatin1String("Supprimer");
    int expected = rows;
    if (rows > 0 && item == String::fromUtf8("Supprimer sélection") && sel >= 0) expected = rows - 1;
    if (rows > 0 && item == QLatin1String("Supprimer tout") && confirmed) expected = 0;
    if (List().ListCount() != expected)
      Fail("the list holds " + std::to_string(List().ListCount()) + " rows, " + std::to_string(expected) + " expected");
  }

  void ListKey() {
    if (List().ListCount() == 0) return DropApi();
    bool down = Chance(0.5);
    Say(std::string("press ") + (down ? "Down" : "Up") + " in the list");
    if (!List().HasFocus() && QApplication::focusWidget() != Tree_()) Tree_()->setFocus(Qt::OtherFocusReason);
    // Giving the list the focus from code is a focus move too; its writes are checked as any other.
    if (loss_ && !FieldControl(loss_->field).HasFocus()) {
      FocusLoss l = *loss_;
      loss_.reset();
      CheckFocusLoss(l);
    }
    QTest::keyClick(Tree_(), down ? Qt::Key_Down : Qt::Key_Up);
  }

  std::vector<Bytes> Movable() const {
    std::vector<Bytes> out;
    for (const auto& [p, e] : Scan(folder_)) {
      if (S_ISDIR(e.mode) || p.mid(folder_.size() + 1).contains('/')) continue;
      if (std::find(immutable_.begin(), immutable_.end(), p) != immutable_.end()) continue;
      out.push_back(p);
    }
    return out;
  }

  void RemoveBehindTheBack() {
    std::vector<Bytes> files = Movable();
    if (files.size() < 10 || removals_ >= 4) return ClickRow();
    ++removals_;
    Bytes p = Pick(files);
    Bytes id = IdentityAt(p);
    Say("(behind the program's back) remove «" + Quote(p.mid(folder_.size() + 1)) + "»");
    ::unlink(p.constData());
    if (--expected_[id] == 0) expected_.erase(id);
    frozen_.erase(id);
  }

  void MoveBehindTheBack() {
    std::vector<Bytes> files = Movable();
    if (files.empty() || moves_ >= 4) return ClickRow();
    ++moves_;
    Bytes p = Pick(files);
    Bytes name = p.mid(p.lastIndexOf('/') + 1);
    int dot = int(name.lastIndexOf('.'));
    Bytes to = folder_ + "/zz-déplacé-" + Bytes::number(moves_) + (dot > 0 ? name.mid(dot) : Bytes(".txt"));
    Say("(behind the program's back) rename «" + Quote(name) + "» to «" + Quote(to.mid(folder_.size() + 1)) + "»");
    Bytes id = IdentityAt(p);
    ::rename(p.constData(), to.constData());
    auto it = frozen_.find(id);
    if (it != frozen_.end()) it->second = {to, *Examine(to)};
  }

  // A listed file that its row's path still names, neither locked nor in a sub-folder; often the
  // selected one, whose fields show it.
  std::optional<Bytes> ListedFile() {
    std::vector<Bytes> out;
    Bytes selected;
    for (int r = 0; r < List().ListCount(); ++r) {
      fw::FolderItemPtr f = RowFile(r);
      if (!f) continue;
      Bytes p = f->NativePath();
      struct stat st;
      if (::lstat(p.constData(), &st) != 0 || !S_ISREG(st.st_mode) || p.mid(folder_.size() + 1).contains('/')) continue;
      if (std::find(immutable_.begin(), immutable_.end(), p) != immutable_.end()) continue;
      out.push_back(p);
      if (r == List().ListIndex()) selected = p;
    }
    if (out.empty()) return std::nullopt;
    if (!selected.isEmpty() && Chance(0.8)) return selected;
    return Pick(out);
  }

  // Another program sets a listed file's date: no pass through a field may undo it.
  void ChangeDateBehindTheBack() {
    std::optional<Bytes> p = ListedFile();
    if (!p || behindChanges_ >= 60) return ClickRow();
    ++behindChanges_;
    struct tm t {};
    t.tm_year = Int(2010, 2030) - 1900;
    t.tm_mon = Int(0, 11);
    t.tm_mday = Int(1, 28);
    t.tm_hour = Int(0, 23);
    t.tm_min = Int(0, 59);
    t.tm_sec = Int(0, 59);
    t.tm_isdst = -1;
    const time_t when = ::mktime(&t);
    Say("(behind the program's back) «" + Quote(p->mid(folder_.size() + 1)) + "» gets the modification time " +
        std::to_string(long(when)));
    struct timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
    ::utimensat(AT_FDCWD, p->constData(), times, AT_SYMLINK_NOFOLLOW);
    Count("dates changed behind the back");
  }

  // Another program changes a listed file's mode: no display may write it back.
  void ChangeModeBehindTheBack() {
    std::optional<Bytes> p = ListedFile();
    if (!p || behindChanges_ >= 60) return ClickRow();
    ++behindChanges_;
    struct stat st;
    ::lstat(p->constData(), &st);
    const mode_t mode = (st.st_mode & 07000) | mode_t(Int(0, 0777));
    Say("(behind the program's back) «" + Quote(p->mid(folder_.size() + 1)) + "» gets the mode " +
        QByteArray::number(int(mode), 8).toStdString());
    ::chmod(p->constData(), mode);
    Count("modes changed behind the back");
  }

  // A listed file is moved aside and a link to another file takes its name: no write may follow the
  // link, nor reach the file moved aside.
  void SwapForLinkBehindTheBack() {
    std::optional<Bytes> p = ListedFile();
    if (!p || links_ >= 3) return ClickRow();
    ++links_;
    const Bytes n = Bytes::number(links_);
    const Bytes target = folder_ + "/zz-cible-" + n + ".txt", aside = folder_ + "/zz-remplacé-" + n + ".txt";
    Bytes content = "cible " + n + "\n";
    for (int i = 0; i < 32; ++i) content += char(Int(0, 255));
    WriteFile(target, content, 0644);
    Say("(behind the program's back) «" + Quote(p->mid(folder_.size() + 1)) + "» is moved to «" +
        Quote(aside.mid(folder_.size() + 1)) + "» and a link to «" + Quote(target.mid(folder_.size() + 1)) +
        "» takes its name");
    const Bytes movedId = IdentityAt(*p);
    if (::rename(p->constData(), aside.constData()) != 0) return;
    ::symlink(target.constData(), p->constData());
    swapped_.push_back(*p);
    Count("files swapped for a link");
    for (const Bytes& q : {target, *p}) expected_[IdentityAt(q)]++;
    // Neither is the program's to write until it is dropped itself.
    frozen_[IdentityAt(target)] = {target, *Examine(target)};
    frozen_[movedId] = {aside, *Examine(aside)};
  }

  void AnswerDialogs() {
    static const char* answers[] = {"Continuer", "Continuer", "", "Annuler", "Supprimer"};
    for (int i = 0; i < 3; ++i) fw::seams::AnswerNextDialog(String::fromLatin1(answers[Int(0, 4)]));
  }

  // -------------------------------------------------------------- the checks

  void CheckFocusLoss(const FocusLoss& l) {
    if (l.sel < 0 || !l.file) return;
    const fw::FolderItemPtr& f = l.file;
    if (l.field == kName || l.field == kExt) {
      const String wanted = l.texts[kName] + l.texts[kExt];
      // Fields left as the file's own name ask for nothing: no call, and so nothing to report.
      if (f->NativePath() == l.path && (f->Name() == wanted || f->NameBytes() == wanted.toUtf8())) {
        Count("names left as they were");
        return;
      }
      const bool done = Exists(f->NativePath()) && (f->Name() == wanted || f->NameBytes() == wanted.toUtf8()) &&
                        IdentityAt(f->NativePath()) == l.identity;
      const bool kept = f->NativePath() == l.path;
      if (done) {
        Count("renames");
        String row = l.box ? wanted : l.texts[kName];
        if (List().List(l.sel) != row && f->Name() == wanted)
          Fail("after the rename to «" + Quote(wanted) + "» the row reads «" + Quote(List().List(l.sel)) + "»");
      } else if (kept) {
        Count("renames refused");
        refusal_ = Refusal{0, l.sel, f, QStringLiteral("nom")};
      } else {
        Fail("leaving the " + std::string(FieldName(l.field)) + " field: the file is «" + Quote(f->NativePath()) +
             "», neither renamed to «" + Quote(wanted) + "» nor shown as it is");
      }
      return;
    }
    const bool creation = l.field == kCDate || l.field == kCTime;
    std::optional<fw::Date> before =
        creation ? l.birth
                 : (l.mtime ? std::optional<fw::Date>(fw::Date::FromEpoch(l.mtime->tv_sec, l.mtime->tv_nsec))
                            : std::nullopt);
    const int df = creation ? kCDate : kMDate, tf = creation ? kCTime : kMTime;
    std::optional<fw::Date> d = Intended(l.texts[df], l.texts[tf]);
    std::optional<timespec> mtimeNow = ModTime(f->NativePath());
    const bool mtimeKept = (!l.mtime && !mtimeNow) || (l.mtime && mtimeNow && SameTime(*l.mtime, *mtimeNow));
    // A text left as the program put it asks for nothing, whatever the file holds now: a date set
    // by another program since the display stands.
    if (l.texts[l.field] == put_[l.field]) {
      if (!mtimeKept)
        Fail("passing through the " + std::string(FieldName(l.field)) + " field changed the modification date");
      return Count("fields passed through");
    }
    if (!d) {
      if (!mtimeKept) Fail("leaving the " + std::string(FieldName(l.field)) + " field with no date wrote one");
      return;
    }
    // The file's own date, written otherwise: no call, and the fields now stand for it.
    if (before && *d == *before) {
      if (!mtimeKept) Fail("leaving the " + std::string(FieldName(l.field)) + " field rewrote the file's own date");
      put_[df] = l.texts[df];
      put_[tf] = l.texts[tf];
      return;
    }
    if (!creation && mtimeNow && ModDate(f->NativePath()) == d) {
      put_[df] = l.texts[df];
      put_[tf] = l.texts[tf];
      return Count("dates written");
    }
    Say("  leaving the " + std::string(FieldName(l.field)) + " field asks for " + Quote(Show(d)));
    if (!creation && mtimeKept && MustTake(l, *d))
      return Fail("leaving the " + std::string(FieldName(l.field)) + " field: " + Quote(Show(d)) +
                  " was refused by a file that can take it");
    if (creation || mtimeKept) {
      Count("dates refused");
      refusal_ = Refusal{creation ? 1 : 2, l.sel, f,
                         creation ? String::fromUtf8("date de création") : QStringLiteral("date de modification")};
      return;
    }
    std::optional<fw::Date> now = creation ? BirthDate(f->NativePath()) : ModDate(f->NativePath());
    Fail("leaving the " + std::string(FieldName(l.field)) + " field with «" + Quote(l.texts[df]) + " " +
         Quote(l.texts[tf]) + "»: the file shows " + Quote(Show(now)) + ", " + Quote(Show(d)) + " expected");
  }

  // A modification date that nothing stops: the file is the one listed, at its path, not locked, and
  // the date is one ext4 holds at a local time that exists.
  bool MustTake(const FocusLoss& l, const fw::Date& d) const {
    const Bytes p = l.file->NativePath();
    std::optional<Entry> e = Examine(p);
    if (!e || p != l.path || e->identity != l.identity || !S_ISREG(e->mode)) return false;
    if (std::find(immutable_.begin(), immutable_.end(), p) != immutable_.end()) return false;
    if (std::find(swapped_.begin(), swapped_.end(), p) != swapped_.end()) return false;
    if (d.Year() < 1902 || d.Year() > 2445) return false;
    struct tm t {};
    t.tm_year = d.Year() - 1900;
    t.tm_mon = d.Month() - 1;
    t.tm_mday = d.Day();
    t.tm_hour = d.Hour();
    t.tm_min = d.Minute();
    t.tm_sec = d.Second();
    t.tm_isdst = -1;
    const time_t when = ::mktime(&t);
    struct tm back {};
    localtime_r(&when, &back);
    return back.tm_hour == d.Hour() && back.tm_min == d.Minute() && back.tm_mday == d.Day();
  }

  // Once the action is over: the refusal is reported, by its own report or by the "Tous" that the
  // click pressed, and the fields show what the file kept.
  void CheckRefusal(const Refusal& r) {
    if (tous_ && tous_->sel >= 0 && tous_->which == r.kind) {
      // The extension action reports the name refused only when it fails for that file too.
      if (r.kind == 0) allowedReports_[r.what]++;
      return Count("refusals reported by «Tous»");
    }
    expectedReports_[r.what]++;
    if (List().ListIndex() != r.sel || RowFile(r.sel) != r.file) return;
    const Bytes p = r.file->NativePath();
    std::string wrong;
    if (r.kind == 0) {
      if (w_.FileNameTxtFld().Text() != BaseName(r.file->Name()) ||
          w_.FilExtTxtFld().Text() != ExtensionPart(r.file->Name()))
        wrong = Quote(w_.FileNameTxtFld().Text() + w_.FilExtTxtFld().Text()) + " for " + Quote(r.file->Name());
    } else {
      std::optional<fw::Date> kept = r.kind == 1 ? BirthDate(p) : ModDate(p);
      const int df = r.kind == 1 ? kCDate : kMDate, tf = r.kind == 1 ? kCTime : kMTime;
      const String want = kept ? DayText(*kept) + QLatin1Char(' ') + TimeText(*kept) : QStringLiteral(" ");
      const String have = FieldControl(df).Text() + QLatin1Char(' ') + FieldControl(tf).Text();
      if (have != want) wrong = Quote(have) + " for " + Quote(want);
    }
    if (!wrong.empty()) Fail("after a refused write of the " + Quote(r.what) + " the fields read " + wrong);
  }

  // The digits chosen are written; the others stay as the file had them just before the write.
  void CheckPermissionWrite(const fw::FolderItemPtr& copy, const String digits[3], std::optional<int> before) {
    const int chosen = std::exchange(chosenMask_, 0);
    std::optional<int> shown = ModeOf(digits);
    if (!copy || !shown || chosen == 0) return;
    int wanted = 0;
    for (int i = 0; i < 3; ++i) {
      const int shift = 6 - 3 * i;
      const int from = (chosen & (4 >> i)) || !before ? *shown : *before;
      wanted |= ((from >> shift) & 7) << shift;
    }
    std::optional<int> now = Mode(copy->NativePath());
    // A choice that changes nothing may still be refused by a file swapped since its drop.
    if (now && before && *now == wanted && *before == wanted) allowedReports_[QStringLiteral("permissions")]++;
    if (now && *now == wanted) return Count("permission writes");
    if (now && before && *now != *before)
      return Fail("a permission choice wrote " + QByteArray::number(*now, 8).toStdString() + " over " +
                  QByteArray::number(*before, 8).toStdString() + ", " + QByteArray::number(wanted, 8).toStdString() +
                  " expected");
    Count("permission writes refused");
    // A choice that did not reach its file would otherwise pass for done.
    expectedReports_[QStringLiteral("permissions")]++;
  }

  struct Partial {
    int changed = 0, rows = 0, failed = 0, flagFailed = 0;
  };
  // "2 fichiers sur 3 modifiés ; 1 n'a pas pu l'être.", with the plural where French puts it; the
  // extension action counts files renamed, and those whose flag could not be set after.
  static std::optional<Partial> ParsePartial(const String& message, bool extension) {
    static const QRegularExpression re(
        String::fromUtf8("^(\\d+) fichiers? sur (\\d+) (?:modifiés?|renommés?)(?: ; (\\d+) n'(?:a|ont) pas pu l'être)?"
                         "(?: ; l'extension visible de (\\d+) n'a pas pu être changée)?\\.$"));
    auto m = re.match(message);
    if (!m.hasMatch()) return std::nullopt;
    Partial p{m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt()};
    // Written back from the numbers, the message must read the same, plurals and all.
    const bool many = p.changed > 1;
    String again = QStringLiteral("%1 fichier%2 sur %3 %4%5")
                       .arg(p.changed)
                       .arg(many ? "s" : "")
                       .arg(p.rows)
                       .arg(String::fromUtf8(extension ? "renommé" : "modifié"), many ? "s" : "");
    if (p.failed == 1) again += String::fromUtf8(" ; 1 n'a pas pu l'être");
    else if (p.failed > 1) again += String::fromUtf8(" ; %1 n'ont pas pu l'être").arg(p.failed);
    if (p.flagFailed > 0)
      again += String::fromUtf8(" ; l'extension visible de %1 n'a pas pu être changée").arg(p.flagFailed);
    if (again + QLatin1Char('.') != message || (p.failed == 0 && p.flagFailed == 0)) return std::nullopt;
    return p;
  }

  static const String& TousTitle(int which) {
    static const String titles[] = {QStringLiteral("Modification de l'extension"),
                                    String::fromUtf8("Modification de la date de création"),
                                    QStringLiteral("Changement de la date de modification"),
                                    QStringLiteral("Modification des permissions de fichiers")};
    return titles[which];
  }

  void CheckTous(const Tous& t) {
    std::vector<fw::seams::ShownDialog> mine;
    for (const auto& d : fw::seams::ShownDialogs())
      if (d.Title == TousTitle(t.which)) mine.push_back(d);
    if (t.sel < 0) {
      if (!mine.empty()) Fail("«Tous» spoke with no row selected");
      return;
    }
    std::optional<fw::Date> d = Intended(t.dateText, t.timeText);
    std::optional<int> mode = ModeOf(t.digits);
    int ok = 0, renamed = 0;
    std::string notOk;
    for (size_t r = 0; r < t.rows.size(); ++r) {
      const auto& row = t.rows[r];
      if (!row.file) continue;
      Bytes p = row.file->NativePath();
      bool good = false;
      switch (t.which) {
        case 0: {
          String base = BaseName(row.name);
          // A row whose file was gone when the click came stands for whatever now has its name.
          const bool named = row.file->Name() == base + t.ext || row.file->NameBytes() == (base + t.ext).toUtf8();
          // A link's flag is on the file it names, which the same click may rename away or into place.
          const bool flagged = row.link || ExtensionShown(p) == t.box;
          const bool moved = Exists(p) && (row.identity.isEmpty() || IdentityAt(p) == row.identity) && named;
          renamed += moved;
          good = moved && flagged;
          // The row shows the old base name, with the typed extension when the box is ticked.
          if (good && !row.link && List().List(int(r)) != (t.box ? base + t.ext : base))
            Fail("after «Tous» the row " + std::to_string(r) + " of «" + Quote(row.name) + "» reads «" +
                 Quote(List().List(int(r))) + "»; the extension was «" + Quote(t.ext) + "», the box " +
                 (t.box ? "ticked" : "unticked"));
          break;
        }
        case 1: good = d && BirthDate(p) == d; break;
        case 2: good = d && ModDate(p) == d; break;
        default: good = mode && Mode(p) == mode; break;
      }
      if (good) ++ok;
      else
        notOk += " «" + Quote(p.mid(p.lastIndexOf('/') + 1)) + "» (was «" + Quote(row.name) + "»" +
                 (Exists(p) ? "" : ", gone") + (IdentityAt(p) == row.identity ? "" : ", another file") +
                 (row.link ? ", a link" : "") + (t.which == 0 && ExtensionShown(p) != t.box ? ", flag not set" : "") +
                 ")";
    }
    const int files = int(std::count_if(t.rows.begin(), t.rows.end(), [](const Tous::Row& r) { return r.file; }));
    if (mine.size() > 1) return Fail("«Tous» showed " + std::to_string(mine.size()) + " reports");
    std::optional<Partial> partial = mine.empty() ? std::nullopt : ParsePartial(mine[0].Message, t.which == 0);
    Count(std::string(partial ? "partial" : "complete") + " «Tous»");
    if (!mine.empty() && mine[0].Icon != (partial ? 1 : 0))
      Fail("«Tous» reported «" + Quote(mine[0].Message) + "» with icon " + std::to_string(mine[0].Icon));
    // A date report quotes the date as the files now hold it.
    const int changedAsSaid = partial ? partial.value_or(Partial{}).changed : files;
    if ((t.which == 1 || t.which == 2) && d && !mine.empty() && changedAsSaid > 0) {
      const String quoted = String::fromUtf8("Date : ") + DayText(*d) + QStringLiteral(" - Heure : ") + TimeText(*d);
      if (!mine[0].Explanation.section(QLatin1Char('\n'), 0, 0).endsWith(quoted))
        Fail("«Tous» wrote " + Quote(Show(d)) + " and says «" + Quote(mine[0].Explanation) + "»");
    }
    if (partial) {
      if (partial->changed + partial->failed != files || partial->rows != int(t.rows.size()) ||
          partial->changed > (t.which == 0 ? renamed : ok))
        Fail("«Tous» reported «" + Quote(mine[0].Message) + "» while " + std::to_string(ok) + " of " +
             std::to_string(files) + " files show the change; not:" + notOk + "\n" + Quote(mine[0].Explanation));
    } else if (t.which == 0 || !mine.empty()) {
      if (ok != files)
        Fail("«Tous» for the " + std::string(t.which == 0 ? "extension" : "dates or permissions") +
             " said all went well, but" + notOk + " did not take it");
    } else {
      Fail("«Tous» said nothing");
    }
    if (List().ListIndex() != t.sel) Fail("«Tous» changed the selection");
    if (Panel().FolderItemCopy != w_.EditedFolderItem) Fail("after «Tous» the panel shows another file");
  }

  void CheckDialogs() {
    std::map<String, int> reports;
    static const QRegularExpression failure(
        String::fromUtf8("^Le fichier « .* » n'a pas pu être modifié \\((.*)\\)\\.$"));
    for (const auto& d : fw::seams::ShownDialogs()) {
      if (d.Title == QLatin1String("Modification impossible")) {
        auto m = failure.match(d.Message);
        if (!m.hasMatch()) return Fail("a report reads «" + Quote(d.Message) + "»");
        if (d.Explanation.isEmpty()) return Fail("a report gives no reason: «" + Quote(d.Message) + "»");
        if (d.Icon != 1) return Fail("a failure report without the warning icon: «" + Quote(d.Message) + "»");
        reports[m.captured(1)]++;
        continue;
      }
      bool known = d.Title == QLatin1String("Suppression de tous les fichiers");
      for (int i = 0; i < 4; ++i) known = known || (tous_ && d.Title == TousTitle(i) && tous_->which == i);
      if (!known) return Fail("an unexpected dialog: «" + Quote(d.Title) + "» «" + Quote(d.Message) + "»");
    }
    for (const auto& [what, n] : expectedReports_)
      if (reports[what] < n)
        return Fail("a write of the " + Quote(what) + " failed and nothing said so (" + std::to_string(reports[what]) +
                    " report(s), " + std::to_string(n) + " expected)");
    for (const auto& [what, n] : reports)
      if (n > expectedReports_[what] + allowedReports_[what])
        return Fail("a report says a write of the " + Quote(what) + " failed, but the file took it");
  }

  // A new selection shows what its file holds now; no selection shows nothing.
  void CheckFieldsShowSelection() {
    const int sel = List().ListIndex();
    String digits[3];
    Digits(digits);
    const fw::TextField* texts[] = {&w_.FileNameTxtFld(),     &w_.FilExtTxtFld(),    &w_.CreationDateTxtFld(),
                                    &w_.CreationTimeTxtFld(), &w_.ModifDateTxtFld(), &w_.ModifTimeTxtFld(),
                                    &w_.MacCreatorTxtFld()};
    String want[7], wantDigits[3];
    bool wantBox = false;
    if (sel >= 0) {
      fw::FolderItemPtr f = RowFile(sel);
      const Bytes p = f->NativePath();
      const String name = f->Name();
      std::optional<fw::Date> born = BirthDate(p), modified = ModDate(p);
      want[0] = BaseName(name);
      want[1] = ExtensionPart(name);
      want[2] = born ? born->ShortDate() : String();
      want[3] = born ? born->LongTime() : String();
      want[4] = modified ? modified->ShortDate() : String();
      want[5] = modified ? modified->LongTime() : String();
      want[6] = f->MacCreator();
      wantBox = ExtensionShown(p);
      if (std::optional<int> m = Mode(p))
        for (int i = 0; i < 3; ++i) wantDigits[i] = String::number(*m >> (6 - 3 * i) & 7);
    }
    std::string diff;
    for (int i = 0; i < 7; ++i)
      if (texts[i]->Text() != want[i]) diff += " «" + Quote(texts[i]->Text()) + "» for «" + Quote(want[i]) + "»";
    for (int i = 0; i < 3; ++i)
      if (digits[i] != wantDigits[i]) diff += " digit «" + Quote(digits[i]) + "» for «" + Quote(wantDigits[i]) + "»";
    if (w_.VisibleChkBx().Value() != wantBox) diff += " the check box";
    if (!diff.empty())
      Fail((sel >= 0 ? "the selected row's fields do not show its file:" : "with no selection, fields show:") + diff);
  }

  void CheckWindow() {
    int n = List().ListCount();
    String title = String::fromUtf8("Modification des propriétés des fichiers");
    if (n > 0) title += QStringLiteral(" - %1 fichier(s)").arg(n);
    if (w_.Title() != title) Fail("the title reads «" + Quote(w_.Title()) + "»");
    // With no row selected the panel stands for no file, so that a choice then goes nowhere.
    if (Panel().FolderItemCopy != (List().ListIndex() >= 0 ? w_.EditedFolderItem : nullptr))
      Fail("the panel and the fields show different files");
    for (int r = 0; r < n; ++r) {
      fw::FolderItemPtr f = RowFile(r);
      if (!f) return Fail("row " + std::to_string(r) + " has no file");
      if (!f->NativePath().startsWith(folder_ + '/'))
        return Fail("row " + std::to_string(r) + " stands for «" + Quote(f->NativePath()) + "», outside the folder");
    }
  }

  void CheckDisk() {
    Tree now = Scan(folder_);
    std::map<Bytes, int> have;
    std::map<Bytes, Bytes> pathOf;
    for (const auto& [p, e] : now) {
      if (S_ISDIR(e.mode)) continue;
      have[e.identity]++;
      pathOf[e.identity] = p;
    }
    if (have != expected_) {
      std::string diff;
      for (const auto& [id, n] : expected_)
        if (have[id] < n) diff += " missing " + Quote(id);
      for (const auto& [id, n] : have)
        if (n > expected_[id]) diff += " unknown " + Quote(id) + " at «" + Quote(pathOf[id]) + "»";
      return Fail("the folder's files changed:" + diff);
    }
    for (const auto& [id, was] : frozen_) {
      if (id.startsWith("d:")) continue;
      auto at = pathOf.find(id);
      if (at == pathOf.end()) return Fail("a file never listed is gone: «" + Quote(was.first) + "»");
      const Entry& e = now[at->second];
      if (at->second != was.first || e.mode != was.second.mode || !SameTime(e.mtime, was.second.mtime) ||
          !SameTime(e.ctime, was.second.ctime) || e.xattrs != was.second.xattrs)
        return Fail("a file never listed was touched: «" + Quote(was.first) + "» is now «" + Quote(at->second) + "»");
    }
    Tree outside = Scan(outside_);
    bool same = outside.size() == outsideBefore_.size();
    for (auto a = outside.begin(), b = outsideBefore_.begin(); same && a != outside.end(); ++a, ++b)
      same = a->first == b->first && a->second.identity == b->second.identity && a->second.mode == b->second.mode &&
             SameTime(a->second.mtime, b->second.mtime) && SameTime(a->second.ctime, b->second.ctime) &&
             a->second.xattrs == b->second.xattrs;
    if (!same) return Fail("something outside the folder changed");
    struct stat st;
    ::lstat(root_.constData(), &st);
    if (!SameTime(st.st_mtim, rootMtime_)) Fail("the folder above the work folder changed");
  }

  void KeepWindowActive() {
    QWidget* win = w_.NativeWindow();
    if (QApplication::activeWindow() == win) return;
    win->activateWindow();
    if (!QTest::qWaitForWindowActive(win, 500)) Say("  (the window could not be made active again)");
  }
};

uint64_t SeedForThisRun() {
  if (const char* s = std::getenv("BRENVALTIQUE_SEED")) return std::strtoull(s, nullptr, 10);
  std::random_device rd;
  return (uint64_t(rd()) << 32 | rd()) ^ uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

int ActionsForThisRun() {
  if (const char* s = std::getenv("BRENVALTIQUE_ACTIONS")) return std::max(1, std::atoi(s));
  return 300;
}

TEST(WholeProgram, RandomUserActionsLoseNothingAndReportTheTruth) {
  testsupport::EnsureApplication();
  const uint64_t seed = SeedForThisRun();
  const int actions = ActionsForThisRun();
  std::printf("randomized: seed %llu, %d actions (replay with BRENVALTIQUE_SEED=%llu)\n",
              static_cast<unsigned long long>(seed), actions, static_cast<unsigned long long>(seed));
  std::fflush(stdout);

  testsupport::TempFolder dir;
  MainWindow& w = MainWindow::Instance();
  ASSERT_TRUE(testsupport::ShowAndActivate(w.NativeWindow()));
  fw::seams::SetDefaultDialogAnswer(QString());

  crashLog.clear();
  WatchForCrashes();
  RandomRun run(w, seed, dir.Path());
  run.Setup();
  run.Play(actions);
  run.Teardown();
  std::printf("randomized: %s\n", run.Summary().c_str());
  StopWatchingForCrashes();

  fw::seams::ResetDialogs();
  fw::seams::ResetContextualMenu();
  w.Close();
  fw::DestroyClosedWindows();
}

}  // namespace
