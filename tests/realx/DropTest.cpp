// Drops through the real X drag path, from a drag source in another X client: a file dropped onto a
// field is not typed into it, and the shipped executable lists a dropped file and writes the date
// typed for it.
#include <fcntl.h>

#include <QMainWindow>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "realx/RealXFixture.h"

namespace realx {
namespace {

struct DropCase {
  const char* name;
  Field field;
};
void PrintTo(const DropCase& c, std::ostream* os) { *os << c.name; }

class FileDropOnFieldTest : public RealXTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(FileDropOnFieldTest, IsNotInsertedAndLeavingTheFieldWritesNothing) {
  QByteArray path = ListFile("notes.txt");
  QByteArray other = dir.MakeFile("photo.png", "png\n");
  fw::TextField& field = FieldOf(*w, GetParam().field);
  QLineEdit* e = field.LineEdit();
  DragSource source = StartDragSource({"--file", QString::fromUtf8(other)});
  ClickEnd(field);
  QString before = field.Text();

  int positions = DndPositionsSeen();
  DragTo(source, WindowOf(e), e->mapTo(e->window(), e->rect().center()),
         [&] { return DndPositionsSeen() > positions; });
  EXPECT_EQ(field.Text(), before) << "the drop was typed into the field";
  EXPECT_EQ(w->FileLstBx().ListCount(), 1) << "a drop onto a field is not a drop onto the list";

  // Back in the window (the same field), then out of the field.
  ClickEnd(field);
  Keys({"Tab"});
  EXPECT_NE(Focused(), e);
  EXPECT_EQ(field.Text(), before);
  EXPECT_TRUE(Exists(path)) << "the file was renamed";
  EXPECT_EQ(MTime(path), kOld) << "the file's date was written";
  EXPECT_TRUE(fw::seams::ShownDialogs().empty());
}

INSTANTIATE_TEST_SUITE_P(Fields, FileDropOnFieldTest,
                         ::testing::Values(DropCase{"ModifTime", Field::ModifTime}, DropCase{"Name", Field::Name}),
                         [](const auto& info) { return std::string(info.param.name); });

// The executable as it ships, in a process of its own: only the file on disk is checked. This
// process's window has the same layout and gives the points to aim at; it is hidden meanwhile.
TEST_F(RealXTest, TheShippedProgramListsAFileDroppedOnItAndWritesTheDateTypedForIt) {
  QByteArray path = dir.MakeFile("rapport.txt", "contenu\n", 0644);
  struct timespec times[2] = {{0, UTIME_OMIT}, {kOld, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
  QWidget* list = w->FileLstBx().Tree()->viewport();
  QLineEdit* date = w->ModifDateTxtFld().LineEdit();
  auto inWindow = [](QWidget* wd, QPoint p) { return wd->mapTo(wd->window(), p); };
  QPoint dropAt = inWindow(list, list->rect().center());
  QPoint firstRow = inWindow(list, QPoint(list->width() / 2, 10));
  QPoint dateEnd = inWindow(date, QPoint(date->width() - 4, date->height() / 2));
  w->NativeWindow()->hide();

  QTemporaryDir config;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", config.path());
  Child program(qEnvironmentVariable("BRENVALTIQUE_BUNDLE") + "/MacOS/brenvaltique", {}, QByteArray(), env);
  ASSERT_TRUE(program.Started());
  Ran found = Exec("xdotool", {"search", "--sync", "--onlyvisible", "--pid", QString::number(program.Pid())},
                   QByteArray(), 30000);
  ASSERT_TRUE(found.Ok()) << "the program's window did not come up: " << program.Errors().toStdString();
  QString window = QString::fromLatin1(found.out.split('\n').first().trimmed());
  Xdo({"windowmove", "--sync", window, "20", "40"});

  DragSource source = StartDragSource({"--file", QString::fromUtf8(path)});
  DragTo(source, window, dropAt, [&] { return source.process->Output().contains("accepted"); });
  auto at = [&](QPoint p) {
    return QStringList{"mousemove", "--window", window, QString::number(p.x()), QString::number(p.y())};
  };
  Pointer(at(firstRow) << "click"
                       << "1");
  Pointer(at(dateEnd) << "click"
                      << "1");
  Erase(10);
  Type("15/08/2024");
  Keys({"Tab"});
  EXPECT_TRUE(WaitUntil([&] { return MTime(path) == LocalEpoch(2024, 8, 15, 8, 0, 0); }))
      << "the file's date is " << MTime(path);

  Exec("wmctrl", {"-i", "-c", window});
  EXPECT_TRUE(program.WaitForEnd(20000)) << "the program did not end on a close request";
  EXPECT_EQ(program.ExitCode(), 0) << program.Errors().toStdString();
}

}  // namespace
}  // namespace realx
