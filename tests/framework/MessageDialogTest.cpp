#include <gtest/gtest.h>

#include "framework/Localization.h"
#include "framework/MessageDialog.h"
#include "framework/Window.h"

using namespace fw;

namespace {

class Plain : public Window {
 public:
  void Layout() override { ApplyDesign(*this, {{"Width", 300}, {"Height", 200}, {"Title", String("Parent")}}); }
};

class MessageDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { seams::ResetDialogs(); }
  void TearDown() override { seams::ResetDialogs(); }
};

TEST_F(MessageDialogTest, TheResponderPressesTheButtonOfItsCaptionAndTheBoxIsRecorded) {
  Plain w;
  w.Constructor();
  const struct {
    const char* answer;
    int pressed;  // 0 action, 1 alternate, 2 cancel, -1 none
  } cases[] = {{"OK", 0}, {"Autre", 1}, {"Annuler", 2}, {"", 0}, {"Absent", -1}};
  for (const auto& c : cases) {
    seams::ResetDialogs();
    MessageDialog d;
    d.Icon = 2;
    d.Title = QStringLiteral("Titre é");
    d.Message = "Message";
    d.Explanation = "Explication";
    d.AlternateActionButton->Caption = "Autre";
    d.AlternateActionButton->Visible = true;
    d.CancelButton->Visible = true;
    seams::AnswerNextDialog(c.answer);
    MessageDialogButtonPtr got = d.ShowModalWithin(w);
    MessageDialogButtonPtr want[] = {d.ActionButton, d.AlternateActionButton, d.CancelButton};
    EXPECT_EQ(got, c.pressed < 0 ? nullptr : want[c.pressed]) << c.answer;
    ASSERT_EQ(seams::ShownDialogs().size(), 1u);
    const auto& shown = seams::ShownDialogs()[0];
    EXPECT_EQ(shown.Title, QStringLiteral("Titre é"));
    EXPECT_EQ(shown.Message, "Message");
    EXPECT_EQ(shown.Explanation, "Explication");
    EXPECT_EQ(shown.Icon, 2);
    EXPECT_EQ(shown.Buttons, QStringList({"OK", "Autre", "Annuler"}));
    EXPECT_TRUE(shown.WindowModal);
    EXPECT_EQ(shown.Pressed, c.pressed < 0 ? String() : got->Caption);
  }
}

TEST_F(MessageDialogTest, ANewDialogShowsOnlyItsActionButtonAndMsgBoxIsApplicationModal) {
  Plain w;
  w.Constructor();
  MessageDialog d;
  EXPECT_EQ(d.ShowModalWithin(w), d.ActionButton) << "the default answer presses the default button";
  MsgBox("Attention");
  ASSERT_EQ(seams::ShownDialogs().size(), 2u);
  EXPECT_EQ(seams::ShownDialogs()[0].Buttons, QStringList({"OK"}));
  const auto& box = seams::ShownDialogs()[1];
  EXPECT_EQ(box.Message, "Attention");
  EXPECT_EQ(box.Buttons, QStringList({"OK"}));
  EXPECT_FALSE(box.WindowModal);
  EXPECT_EQ(box.Pressed, "OK");
}

TEST_F(MessageDialogTest, QueuedAnswersGoToTheDialogsInTurn) {
  Plain w;
  w.Constructor();
  seams::AnswerNextDialog("Annuler");
  seams::AnswerNextDialog("OK");
  QStringList pressed;
  for (int i = 0; i < 3; ++i) {
    MessageDialog d;
    d.CancelButton->Visible = true;
    auto b = d.ShowModalWithin(w);
    pressed << (b ? b->Caption : "-");
  }
  EXPECT_EQ(pressed, QStringList({"Annuler", "OK", "OK"}));
}

TEST(Localization, AKeyGivesItsDefaultUnlessTheTableHasItsLanguage) {
  EXPECT_EQ(GetLocalizedString("Some.key", "Défaut", ""), QStringLiteral("Défaut"));
  seams::SetLocalizedString("Some.key", "fr", "Texte");
  EXPECT_EQ(GetLocalizedString("Some.key", "Défaut", "fr_FR"), "Texte");
  EXPECT_EQ(GetLocalizedString("Some.key", "Défaut", "de"), QStringLiteral("Défaut"));
  EXPECT_EQ(GetLocalizedString("Other.key", "Défaut", "fr"), QStringLiteral("Défaut"));
  seams::ClearLocalizedStrings();
  EXPECT_EQ(GetLocalizedString("Some.key", "Défaut", "fr"), QStringLiteral("Défaut"));
}

}  // namespace
