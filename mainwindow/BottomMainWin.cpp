#include "mainwindow/BottomMainWin.h"

#include "app/App.h"
#include "framework/DesignRecords.h"
#include "framework/MessageDialog.h"

using fw::Color;
using fw::Design;
using fw::RGBHex;
using fw::String;

namespace {

const Design kPanelDesign = {
    {"Width", 700},
    {"Height", 50},
    {"Left", 32},
    {"Top", 32},
    {"LockLeft", false},
    {"LockTop", false},
    {"LockRight", false},
    {"LockBottom", false},
    {"TabPanelIndex", 0},
    {"TabIndex", 0},
    {"Visible", true},
    {"Enabled", true},
    {"AutoDeactivate", true},
    {"HelpTag", String()},
    {"InitialParent", String()},
    {"UseFocusRing", false},
    {"HasBackColor", false},
    {"BackColor", RGBHex(0xCCCCCC)},
    {"AcceptFocus", false},
    {"AcceptTabs", false},
    {"EraseBackground", false},
    {"Transparent", false},
};

// A footer label: its place and locks, text, colour and lines; the rest is every label's.
Design FooterLabelDesign(const fw::PlaceRecord& place, const char* text, Color textColor, bool multiline = false) {
  return fw::LabelDesign(
      {.Place = place, .Text = String::fromUtf8(text), .TextColor = textColor, .Multiline = multiline});
}

// A link's design is a label's, then its plain colour, which Open replaces.
Design LinkDesign(const fw::PlaceRecord& place, const char* text, Color textColor) {
  return fw::Join({FooterLabelDesign(place, text, textColor), {{"mColorOrig", RGBHex(0x000000)}}});
}

const Design kStaticText4Design = FooterLabelDesign({"StaticText4", 510, 5, 136, 15, 1, false, false, true, true},
                                                    "ArtWork by Brenvaltique", RGBHex(0x993300));
const Design kLinkGrelmotDesign = LinkDesign({"linkGrelmot", 510, 27, 136, 15, 2, false, true, true, false},
                                             "https://brenvaltique.example/", RGBHex(0x333333));
const Design kTxtAppInfoDesign = FooterLabelDesign({"txtAppInfo", 15, 5, 440, 15, 3, true, false, true, true},
                                                   "Version et crédits", RGBHex(0x333333), true);
const Design kLinkAppUrlDesign = LinkDesign({"linkAppUrl", 20, 27, 440, 15, 4, true, false, true, true},
                                            "https://www.brenvaltique.example/", RGBHex(0x333333));

const Design kCanvas1Design = fw::Join({fw::PlaceEntries({"Canvas1", 656, 10, 32, 32, 5, false, false, true, true}),
                                        {{"TabStop", true},
                                         {"UseFocusRing", true},
                                         {"AcceptFocus", false},
                                         {"AcceptTabs", false},
                                         {"DoubleBuffer", false},
                                         {"EraseBackground", true},
                                         {"Transparent", true},
                                         {"Enabled", true},
                                         {"Visible", true},
                                         {"AutoDeactivate", true},
                                         {"HelpTag", String()},
                                         {"InitialParent", String()}}});

const Design kSeparator1Design = fw::Join({fw::PlaceEntries({"Separator1", 0, 0, 705, 1, 6, true, true, true, false}),
                                           {{"TabStop", true},
                                            {"Enabled", true},
                                            {"Visible", true},
                                            {"AutoDeactivate", true},
                                            {"HelpTag", String()},
                                            {"InitialParent", String()}}});

// Size and unit go on before a label's design.
template <class T>
T& NewLabel(BottomMainWin& panel, const char* name, int textUnit, const Design& design) {
  T& label = panel.New<T>(QString::fromLatin1(name));
  label.SetTextSize(10);
  label.SetTextUnit(textUnit);
  fw::ApplyDesign(label, design);
  return label;
}

}  // namespace

void BottomMainWin::Layout() { fw::ApplyDesign(*this, kPanelDesign); }

void BottomMainWin::CreateControls() { CreateControls0(); }

void BottomMainWin::CreateControls0() {
  NewLabel<fw::Label>(*this, "StaticText4", 0, kStaticText4Design);

  NewLabel<LinkingStaticText>(*this, "linkGrelmot", 2, kLinkGrelmotDesign);

  auto& info = NewLabel<fw::Label>(*this, "txtAppInfo", 0, kTxtAppInfoDesign);
  info.Open.Bind(this, &BottomMainWin::txtAppInfo_Open);

  auto& url = NewLabel<LinkingStaticText>(*this, "linkAppUrl", 0, kLinkAppUrlDesign);
  url.Open.Bind(this, &BottomMainWin::linkAppUrl_Open);

  auto& canvas = New<fw::Canvas>(QStringLiteral("Canvas1"));
  fw::ApplyDesign(canvas, kCanvas1Design);
  canvas.Paint.Bind(this, &BottomMainWin::Canvas1_Paint);

  auto& line = New<fw::Separator>(QStringLiteral("Separator1"));
  fw::ApplyDesign(line, kSeparator1Design);
}

fw::Label& BottomMainWin::StaticText4() const { return Find<fw::Label>(QStringLiteral("StaticText4")); }
LinkingStaticText& BottomMainWin::linkGrelmot() const { return Find<LinkingStaticText>(QStringLiteral("linkGrelmot")); }
fw::Label& BottomMainWin::txtAppInfo() const { return Find<fw::Label>(QStringLiteral("txtAppInfo")); }
LinkingStaticText& BottomMainWin::linkAppUrl() const { return Find<LinkingStaticText>(QStringLiteral("linkAppUrl")); }
fw::Canvas& BottomMainWin::Canvas1() const { return Find<fw::Canvas>(QStringLiteral("Canvas1")); }
fw::Separator& BottomMainWin::Separator1() const { return Find<fw::Separator>(QStringLiteral("Separator1")); }

void BottomMainWin::linkGrelmot_Open(LinkingStaticText&) {}

void BottomMainWin::txtAppInfo_Open(fw::Label& sender) {
  const App& app = App::Instance();
  sender.SetText(app.msAppVersion + QStringLiteral(" ") + app.msAppCopyright);
}

void BottomMainWin::linkAppUrl_Open(LinkingStaticText& sender) { sender.SetText(App::Instance().msAppUrl); }

void BottomMainWin::Canvas1_Paint(fw::Canvas&, fw::Graphics& g, const std::vector<fw::Rect>&) {
  const App& app = App::Instance();
  try {
    // Scaled from the whole picture at every paint; no scaled copy is kept.
    g.DrawPicture(app.pIcon, 0, 0, 32, 32, 0, 0, 128, 128);
  } catch (const fw::OutOfMemoryException&) {
    fw::MsgBox(App::kErrorIcon(String()));
  }
}
