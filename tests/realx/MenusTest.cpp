// The permission menus and the menu bar under a real mouse and keyboard, and the ways the window
// closes while a field holds an edit.
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>

#include <QMainWindow>

#include "framework/Application.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "realx/RealXFixture.h"

namespace realx {
namespace {

TEST_F(RealXTest, TheWheelOverThePermissionMenusChangesNoPermission) {
  QByteArray path = ListFile("notes.txt", 0640);
  PermissionsCtrCtl& panel = w->PermissionsCtrCtl1();
  // One notch each, toward a digit the menu has: up from 6 and 4, down from 0.
  auto over = [this](PermissionsPupMnu& m) { return MoveTo(m.ComboBox(), m.ComboBox()->rect().center()); };
  Pointer(over(panel.UserPermPupMnu()) << "click"
                                       << "4" << over(panel.GroupPermPupMnu()) << "click"
                                       << "4" << over(panel.OthersPermPupMnu()) << "click"
                                       << "5");
  EXPECT_EQ(panel.UserPermPupMnu().ListIndex(), 6);
  EXPECT_EQ(panel.GroupPermPupMnu().ListIndex(), 4);
  EXPECT_EQ(panel.OthersPermPupMnu().ListIndex(), 0);
  EXPECT_EQ(panel.PermissionsReport(), "Utilisateur : 6 - Groupe : 4 - Autres : 0");
  // A write the wheel armed would be done by now.
  EXPECT_TRUE(WaitUntil([&] { return panel.SetPermissionsTimer().Mode() == fw::Timer::ModeOff; }, 5000));
  EXPECT_EQ(Mode(path), 0640);
}

struct MenuCase {
  const char* name;
  bool byKeyboard;
};
void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.name; }

class MenuWhileEditingTest : public RealXTest, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MenuWhileEditingTest, OpenedAndDismissedWritesNothingAndTypingGoesOnInTheField) {
  QByteArray path = ListFile("notes.txt");
  TabedDateField& date = w->ModifDateTxtFld();
  ClickEnd(date);
  Erase(4);
  Type("20");
  ASSERT_EQ(date.Text(), "01/01/20");

  if (GetParam().byKeyboard) Chord("Alt_L", "e");
  else Click(w->NativeMenuBar(), MenuTitle("Edit"));
  ASSERT_TRUE(WaitUntil([] { return OpenMenu() != nullptr; }, 5000)) << "the Edit menu did not open";
  EXPECT_EQ(MTime(path), kOld) << "opening the menu wrote the field";
  Keys({"Escape"});
  EXPECT_TRUE(WaitUntil([] { return OpenMenu() == nullptr; }, 5000)) << "Escape did not close the menu";
  EXPECT_EQ(MTime(path), kOld) << "dismissing the menu wrote the field";

  Type("24");
  EXPECT_EQ(date.Text(), "01/01/2024") << "the typing after Escape did not reach the field";
  EXPECT_EQ(Focused(), date.LineEdit());
  EXPECT_EQ(MTime(path), kOld);
  Keys({"Tab"});
  EXPECT_EQ(MTime(path), LocalEpoch(2024, 1, 1, 8, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(Menus, MenuWhileEditingTest,
                         ::testing::Values(MenuCase{"ByMouse", false}, MenuCase{"ByAltLetter", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CloseCase {
  const char* name;
  bool byQuit;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseWithEditTest : public RealXTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseWithEditTest, WritesTheEditAsLeavingTheFieldWould) {
  QByteArray path = ListFile("notes.txt");
  TabedDateField& date = w->ModifDateTxtFld();
  ClickEnd(date);
  Erase(4);
  Type("2024");
  ASSERT_EQ(date.Text(), "01/01/2024");
  ASSERT_EQ(MTime(path), kOld);

  if (GetParam().byQuit) {
    Click(w->NativeMenuBar(), MenuTitle("File"));
    ASSERT_TRUE(WaitUntil([] { return OpenMenu() != nullptr; }, 5000)) << "the File menu did not open";
    auto* menu = qobject_cast<QMenu*>(OpenMenu());
    ASSERT_NE(menu, nullptr);
    QAction* quit = nullptr;
    for (QAction* a : menu->actions())
      if (QString(a->text()).remove(QLatin1Char('&')) == "Quit") quit = a;
    ASSERT_NE(quit, nullptr);
    Click(menu, menu->actionGeometry(quit).center());
  } else {
    Exec("wmctrl", {"-i", "-c", WindowOf(w->NativeWindow())});
  }
  // The window goes soon after it closes: only the framework's list of open windows is asked.
  w = nullptr;
  ASSERT_TRUE(WaitUntil([] { return fw::GetImplicitWindow("MainWindow.MainWindow") == nullptr; }, 10000))
      << "the window did not close";
  EXPECT_TRUE(fw::GetAppObject()->Quitting()) << "the program does not end";
  EXPECT_EQ(MTime(path), LocalEpoch(2024, 1, 1, 8, 0, 0)) << "the edit was lost";
}

INSTANTIATE_TEST_SUITE_P(Closes, CloseWithEditTest,
                         ::testing::Values(CloseCase{"FileQuit", true}, CloseCase{"WindowManagerClose", false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace realx
