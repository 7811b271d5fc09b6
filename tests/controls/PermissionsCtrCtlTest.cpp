#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <cerrno>
#include <climits>
#include <cstdio>

#include "controls/PermissionsCtrCtl.h"
#include "framework/Window.h"
#include "support/ReadOnlyFolder.h"
#include "support/Support.h"

using namespace fw;

namespace {

// The panel as the main window places it.
class PanelWindow : public Window {
 public:
  void Layout() override { ApplyDesign(*this, {{"Width", 600}, {"Height", 200}, {"Resizeable", false}}); }
  void CreateControls() override {
    auto& p = New<PermissionsCtrCtl>("PermissionsCtrCtl1");
    ApplyDesign(p, {
                       {"InitialParent", String()},
                       {"Left", 0},
                       {"Top", 20},
                       {"Width", 600},
                       {"Height", 90},
                       {"LockLeft", true},
                       {"LockTop", true},
                       {"LockRight", false},
                       {"LockBottom", false},
                       {"TabPanelIndex", 0},
                       {"TabIndex", 9},
                       {"Visible", true},
                       {"Enabled", true},
                       {"AutoDeactivate", true},
                       {"HelpTag", String()},
                       {"UseFocusRing", false},
                       {"HasBackColor", true},
                       {"BackColor", RGBHex(0xE6E6E6)},
                       {"AcceptFocus", false},
                       {"AcceptTabs", true},
                       {"EraseBackground", true},
                       {"Transparent", true},
                       {"ProtectChange", false},
                   });
  }
  PermissionsCtrCtl& Panel() { return Find<PermissionsCtrCtl>("PermissionsCtrCtl1"); }
};

int ModeOf(const QByteArray& path) {
  struct stat st;
  return ::stat(path.constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

struct Panel : ::testing::Test {
  testsupport::TempFolder tmp;
  PanelWindow w;
  PermissionsCtrCtl* p = nullptr;

  void SetUp() override {
    w.Constructor();
    p = &w.Panel();
    seams::ResetFileWriteCalls();
  }

  QByteArray File(int mode, const QByteArray& name = "file.txt") {
    QByteArray path = tmp.MakeFile(name);
    ::chmod(path.constData(), mode_t(mode));
    return path;
  }
  void Show(const QByteArray& path) {
    p->SetFolderCopy(FolderItem::FromNativePath(path));
    p->SetFieldPermissions();
  }
  // Waits for any pending write to be done.
  void Settle() {
    fw::Timer& t = p->SetPermissionsTimer();
    // A failed write shows the file's digits again, which arms the timer once more.
    for (int i = 0; i < 5 && t.Mode() != 0; ++i) fw::seams::AdvanceClock(t.Period());
    ASSERT_EQ(t.Mode(), 0);
  }

  // Each field shows its menu's row, or nothing beside a menu without one.
  void ExpectInvariant() {
    std::pair<TextField*, PopupMenu*> pairs[] = {{&p->UserPermTxtFld(), &p->UserPermPupMnu()},
                                                 {&p->GroupPermTxtFld(), &p->GroupPermPupMnu()},
                                                 {&p->OthersPermTxtFld(), &p->OthersPermPupMnu()}};
    for (auto [f, m] : pairs)
      EXPECT_EQ(f->Text(), m->ListIndex() < 0 ? String() : QString::number(m->ListIndex())) << m->Name.toStdString();
  }
  QStringList Digits() {
    return {p->UserPermTxtFld().Text(), p->GroupPermTxtFld().Text(), p->OthersPermTxtFld().Text()};
  }
};

TEST_F(Panel, IsBuiltFromItsDesignInOrderAndStartsBlank) {
  struct Child {
    const char* name;
    int left, top, width, height;
    int size;
    QString text;
  };
  const Child children[] = {
      {"UserPermTxtFld", 127, 24, 35, 24, 12, ""},
      {"GroupPermTxtFld", 285, 24, 35, 24, 12, ""},
      {"OthersPermTxtFld", 449, 23, 35, 24, 12, ""},
      {"UserPermLbl", 107, 0, 76, 20, 12, "Utilisateur"},
      {"UserPermPupMnu", 67, 60, 150, 20, 10, QStringLiteral("Sélectionne la permission de l'utilisateur.")},
      {"GrouppermLbl", 277, 0, 56, 20, 12, "Groupe"},
      {"OthersPermLbl", 439, -1, 56, 20, 12, "Autres"},
      {"PermissionsLbl", 25, 23, 100, 24, 12, "Permissions : "},
      {"GroupPermPupMnu", 229, 60, 150, 20, 10, QStringLiteral("Sélectionne la permission du groupe.")},
      {"OthersPermPupMnu", 391, 60, 150, 20, 10, QStringLiteral("Sélectionne la permission des autres utilisateurs.")},
  };
  ASSERT_EQ(p->ControlCount(), 11);
  for (int i = 0; i < 10; ++i) {
    const Child& c = children[i];
    auto* r = dynamic_cast<RectControl*>(p->ControlAt(i));
    ASSERT_TRUE(r) << c.name;
    EXPECT_EQ(r->Name, c.name);
    EXPECT_EQ(r->TabIndex, i) << c.name;
    EXPECT_EQ(QRect(r->Left(), r->Top(), r->Width(), r->Height()), QRect(c.left, c.top, c.width, c.height)) << c.name;
    EXPECT_EQ(r->Widget()->geometry(), QRect(c.left, c.top, c.width, c.height)) << c.name;
    EXPECT_EQ(r->TextSize(), c.size) << c.name;
    EXPECT_EQ(r->TextUnit(), 0) << c.name;
    EXPECT_EQ(r->TextFont(), "Verdana") << c.name;
    EXPECT_EQ(r->Bold(), i == 7) << c.name;
    EXPECT_TRUE(r->LockLeft && r->LockTop && !r->LockRight && !r->LockBottom) << c.name;
    if (auto* f = dynamic_cast<TextField*>(r)) {
      EXPECT_FALSE(f->Enabled()) << c.name;
      EXPECT_EQ(f->LimitText(), 1);
      EXPECT_EQ(f->LineEdit()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
      EXPECT_EQ(f->Text(), "");
    } else if (auto* l = dynamic_cast<Label*>(r)) {
      EXPECT_EQ(l->Text(), c.text);
      EXPECT_EQ(l->TextAlign(), i == 7 ? 0 : 1) << c.name;
    } else {
      auto* m = dynamic_cast<PermissionsPupMnu*>(r);
      ASSERT_TRUE(m) << c.name;
      EXPECT_EQ(m->HelpTag(), c.text);
      EXPECT_TRUE(m->Enabled());
      ASSERT_EQ(m->ListCount(), 8);
      EXPECT_EQ(m->List(0), QStringLiteral("Accès interdit"));
      EXPECT_EQ(m->List(3), QStringLiteral("Ecriture et Exécution"));
      EXPECT_EQ(m->List(7), QStringLiteral("Lecture, Ecriture, Exécution"));
      EXPECT_EQ(m->ListIndex(), -1);
    }
  }
  auto* timer = dynamic_cast<Timer*>(p->ControlAt(10));
  ASSERT_TRUE(timer);
  EXPECT_EQ(&p->SetPermissionsTimer(), timer);
  EXPECT_EQ(timer->Mode(), 0);
  EXPECT_EQ(timer->Period(), 200);
  EXPECT_EQ(&p->GroupPermPupMnu(), p->ControlAt(8));
  EXPECT_EQ(p->Width(), 600);
  EXPECT_EQ(p->Height(), 90);
  EXPECT_FALSE(p->ProtectChange);
  EXPECT_FALSE(p->FolderItemCopy);
  EXPECT_EQ(p->PermissionsReport(), "Utilisateur :  - Groupe :  - Autres : ");
}

TEST_F(Panel, ShowsTheNinePermissionBitsAndLeavesTheFileAsItWas) {
  struct Case {
    int mode;
    int digits[3];
  };
  const Case cases[] = {{0644, {6, 4, 4}}, {044, {0, 4, 4}}, {04755, {7, 5, 5}}, {0, {0, 0, 0}}, {06777, {7, 7, 7}}};
  for (const auto& c : cases) {
    // A fresh panel each time: a menu's first selection must reach its field, row 0 included.
    PanelWindow win;
    win.Constructor();
    p = &win.Panel();
    QByteArray path = File(c.mode, "f" + QByteArray::number(c.mode, 8));
    seams::ResetFileWriteCalls();
    Show(path);
    PopupMenu* menus[] = {&p->UserPermPupMnu(), &p->GroupPermPupMnu(), &p->OthersPermPupMnu()};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(menus[i]->ListIndex(), c.digits[i]) << std::oct << c.mode;
    ExpectInvariant();
    EXPECT_EQ(p->PermissionsReport(), QStringLiteral("Utilisateur : %1 - Groupe : %2 - Autres : %3")
                                          .arg(c.digits[0])
                                          .arg(c.digits[1])
                                          .arg(c.digits[2]));
    Settle();
    EXPECT_EQ(ModeOf(path), c.mode) << std::oct << c.mode;
    EXPECT_EQ(seams::FileWriteCalls(), 0) << std::oct << c.mode;
  }
  p = nullptr;
}

TEST_F(Panel, MenuTextsNameTheShownRights) {
  Show(File(0644));
  EXPECT_EQ(p->UserPermPupMnu().ComboBox()->currentText(), "Lecture et Ecriture");
  EXPECT_EQ(p->GroupPermPupMnu().ComboBox()->currentText(), "Lecture seule");
  EXPECT_EQ(p->OthersPermPupMnu().ComboBox()->currentText(), "Lecture seule");
  Show(File(044, "other.txt"));
  EXPECT_EQ(p->UserPermPupMnu().ComboBox()->currentText(), QStringLiteral("Accès interdit"));
  EXPECT_EQ(Digits(), (QStringList{"0", "4", "4"}));
}

TEST_F(Panel, UserChoiceShowsAtOnceAndIsWrittenAfterTheDelay) {
  QByteArray path = File(0644);
  Show(path);
  Settle();
  QTest::keyClick(p->GroupPermPupMnu().Widget(), Qt::Key_End);  // "Lecture, Ecriture, Exécution"
  EXPECT_EQ(p->GroupPermTxtFld().Text(), "7");
  EXPECT_EQ(ModeOf(path), 0644);
  fw::seams::AdvanceClock(199);
  EXPECT_EQ(ModeOf(path), 0644);
  fw::seams::AdvanceClock(1);
  EXPECT_EQ(ModeOf(path), 0674);
  Settle();
  EXPECT_EQ(seams::FileWriteCalls(), 1);
}

TEST_F(Panel, ChoicesWithinTheDelayMakeOneWrite) {
  QByteArray path = File(04644);
  Show(path);
  p->GroupPermPupMnu().SetListIndex(7);
  p->OthersPermPupMnu().SetListIndex(5);
  ExpectInvariant();
  Settle();
  EXPECT_EQ(ModeOf(path), 04675);  // set-user-ID kept through the write
  EXPECT_EQ(seams::FileWriteCalls(), 1);
}

TEST_F(Panel, AChoiceWaitingForItsWriteGoesToTheFileItWasMadeFor) {
  QByteArray first = File(0644, "first.txt"), second = File(0600, "second.txt");
  Show(first);
  p->GroupPermPupMnu().SetListIndex(0);  // 604 pending
  p->SetFolderCopy(FolderItem::FromNativePath(second));
  EXPECT_EQ(ModeOf(first), 0604) << "written at once, before the panel moves on";
  Settle();
  EXPECT_EQ(ModeOf(second), 0600);
  EXPECT_EQ(seams::FileWriteCalls(), 1);
}

// Another program's chmod after the display stands: showing arms nothing, and a choice writes its
// own digit over what the file holds when the write comes.
TEST_F(Panel, OnlyTheChosenDigitIsWrittenNeverTheDigitsOfADisplay) {
  QByteArray path = File(0644);
  Show(path);
  EXPECT_EQ(p->SetPermissionsTimer().Mode(), 0) << "a display arms no write";
  ::chmod(path.constData(), 0600);
  seams::AdvanceClock(300);
  EXPECT_EQ(ModeOf(path), 0600);
  EXPECT_EQ(seams::FileWriteCalls(), 0);

  p->GroupPermPupMnu().SetListIndex(7);
  ::chmod(path.constData(), 0500);  // the owner digit changes again before the timer
  Settle();
  EXPECT_EQ(ModeOf(path), 0570);
  EXPECT_EQ(Digits(), (QStringList{"5", "7", "0"})) << "the panel shows what the file now holds";

  // A choice waiting when the same file is shown anew is written first, not replaced by the display.
  p->OthersPermPupMnu().SetListIndex(4);
  p->SetFieldPermissions();
  EXPECT_EQ(ModeOf(path), 0574);
  EXPECT_EQ(Digits(), (QStringList{"5", "7", "4"}));
  Settle();
  EXPECT_EQ(seams::FileWriteCalls(), 2);
}

TEST_F(Panel, NothingIsWrittenWithoutAFile) {
  EXPECT_FALSE(p->ChangePermissions().has_value());
  p->UserPermPupMnu().SetListIndex(7);
  p->GroupPermPupMnu().SetListIndex(7);
  p->OthersPermPupMnu().SetListIndex(7);
  EXPECT_EQ(Digits(), (QStringList{"7", "7", "7"}));
  Settle();
  EXPECT_FALSE(p->ChangePermissions().has_value());
  EXPECT_EQ(seams::FileWriteCalls(), 0);
  p->SetFolderCopy(nullptr);
  EXPECT_FALSE(p->ChangePermissions().has_value());
}

TEST_F(Panel, ChangePermissionsGivesTheOutcome) {
  QByteArray path = File(0644);
  Show(path);
  Settle();
  p->OthersPermPupMnu().SetListIndex(0);
  auto o = p->ChangePermissions();  // the apply-to-all way: at once, not through the timer
  ASSERT_TRUE(o.has_value());
  EXPECT_TRUE(o->Ok);
  EXPECT_EQ(ModeOf(path), 0640);
  ::unlink(path.constData());
  o = p->ChangePermissions();
  ASSERT_TRUE(o.has_value());
  EXPECT_FALSE(o->Ok);
  EXPECT_EQ(o->Errno, ENOENT);
  EXPECT_FALSE(o->Reason.isEmpty());
}

TEST_F(Panel, ClearMenusBlanksWithoutWritingOrArming) {
  QByteArray path = File(0644);
  Show(path);
  Settle();
  FolderItemPtr shown = p->FolderItemCopy;
  p->ClearMenus();
  EXPECT_EQ(Digits(), (QStringList{"", "", ""}));
  EXPECT_EQ(p->UserPermPupMnu().ListIndex(), -1);
  EXPECT_EQ(p->GroupPermPupMnu().ListIndex(), -1);
  EXPECT_EQ(p->OthersPermPupMnu().ListIndex(), -1);
  EXPECT_EQ(p->UserPermLbl().Text(), "Utilisateur");
  EXPECT_FALSE(p->ProtectChange);
  EXPECT_EQ(p->FolderItemCopy, shown);
  EXPECT_EQ(p->SetPermissionsTimer().Mode(), 0);
  EXPECT_EQ(p->PermissionsReport(), "Utilisateur :  - Groupe :  - Autres : ");
  // Showing the same file again fills every field, row 0 included.
  ::chmod(path.constData(), 0604);
  Show(path);
  EXPECT_EQ(Digits(), (QStringList{"6", "0", "4"}));
  Settle();
  EXPECT_EQ(seams::FileWriteCalls(), 0);
}

TEST_F(Panel, BlankDigitsWriteNothing) {
  QByteArray path = File(0644);
  Show(path);
  p->GroupPermPupMnu().SetListIndex(7);  // a write is pending...
  p->ClearMenus();                       // ...when the panel is blanked: it goes out first
  EXPECT_EQ(ModeOf(path), 0674);
  Settle();
  // A choice in one menu of the blank panel names no whole mode.
  p->OthersPermPupMnu().SetListIndex(7);
  EXPECT_EQ(Digits(), (QStringList{"", "", "7"}));
  Settle();
  EXPECT_EQ(ModeOf(path), 0674);
  EXPECT_EQ(seams::FileWriteCalls(), 1);
  EXPECT_FALSE(p->ChangePermissions().has_value());
}

TEST_F(Panel, FileGoneSinceItWasListedLeavesThePanelBlank) {
  QByteArray path = File(0755);
  Show(path);
  Settle();
  ::unlink(path.constData());
  EXPECT_NO_THROW(p->SetFieldPermissions());
  EXPECT_EQ(Digits(), (QStringList{"", "", ""}));
  EXPECT_EQ(p->UserPermPupMnu().ListIndex(), -1);
  EXPECT_EQ(p->SetPermissionsTimer().Mode(), 0);
  EXPECT_FALSE(p->ProtectChange);
}

// A choice that does not reach its file is raised with the file and why, by the timer and by a
// waiting write sent on early; after the timer the panel shows what the file kept.
// Showing a file writes nothing: a file gone meanwhile is no failure of the user's.
TEST_F(Panel, TheWriteBackOfAMereDisplayFailsSilently) {
  int raised = 0;
  p->WriteFailed.Bind([&](Object&, const FolderItemPtr&, const Outcome&) { ++raised; });
  QByteArray gone = File(0644, "shown.txt");
  Show(gone);
  ::unlink(gone.constData());
  Settle();
  p->SetFolderCopy(FolderItem::FromNativePath(File(0600, "next.txt")));
  EXPECT_EQ(raised, 0);
}

TEST_F(Panel, AWriteThatFailsIsRaisedAndThePanelShowsWhatTheFileKept) {
  std::vector<std::pair<FolderItemPtr, Outcome>> raised;
  p->WriteFailed.Bind([&](Object&, const FolderItemPtr& f, const Outcome& o) { raised.emplace_back(f, o); });

  QByteArray gone = File(0644, "gone.txt"), other = File(0600, "other.txt");
  Show(gone);
  Settle();
  p->GroupPermPupMnu().SetListIndex(7);
  ::unlink(gone.constData());
  Settle();
  ASSERT_EQ(raised.size(), 1u);
  EXPECT_EQ(raised[0].first->NativePath(), gone);
  EXPECT_EQ(raised[0].second.Errno, ENOENT);
  EXPECT_FALSE(raised[0].second.Reason.isEmpty());
  EXPECT_EQ(Digits(), (QStringList{"", "", ""})) << "a file that is gone has no digits to show";

  QByteArray kept = File(0640, "kept.txt");
  Show(kept);
  Settle();
  p->OthersPermPupMnu().SetListIndex(4);
  ::unlink(kept.constData());
  p->SetFolderCopy(FolderItem::FromNativePath(other));
  ASSERT_EQ(raised.size(), 2u) << "sent on early when the panel moves on";
  EXPECT_EQ(raised[1].first->NativePath(), kept);

  // A file that refuses the change keeps its digits on show; root needs the immutable flag for that.
  QByteArray locked = File(0640, "locked.txt");
  bool immutable = testsupport::SetImmutable(locked, true);
  if (immutable) {
    Show(locked);
    Settle();
    p->UserPermPupMnu().SetListIndex(7);
    Settle();
    EXPECT_EQ(raised.size(), 3u);
    EXPECT_EQ(ModeOf(locked), 0640);
    EXPECT_EQ(Digits(), (QStringList{"6", "4", "0"}));
    testsupport::SetImmutable(locked, false);
    Settle();
  }
  if (!immutable) std::printf("the immutable flag is refused here: only the gone files were checked\n");
}

}  // namespace
