#include "mainwindow/MainWindowDesign.h"

#include "framework/DesignRecords.h"

#include <climits>
#include <cstring>
#include <map>
#include <string>

using fw::Color;
using fw::Design;
using fw::String;

namespace mainwindow_design {

const char* const kTitle = "Modification des propriétés des fichiers";

namespace {

const Color kBlack{0, 0, 0};
const Color kWhite{255, 255, 255};
const Color kInfoRed{0xCC, 0x33, 0x00};

String S(const char* utf8) { return String::fromUtf8(utf8); }

Design ListboxDesign(const fw::PlaceRecord& place, const char* help, const String& heading) {
  return fw::Join({fw::PlaceEntries(place),
                   {{"TabStop", true},
                    {"Visible", true},
                    {"HelpTag", S(help)},
                    {"AutoDeactivate", true},
                    {"Enabled", true},
                    {"Border", true},
                    {"ColumnCount", 1},
                    {"ColumnWidths", S("")},
                    {"HasHeading", true},
                    {"UseFocusRing", true},
                    {"InitialValue", heading},
                    {"HeadingIndex", -1},
                    {"ScrollbarHorizontal", false},
                    {"ScrollBarVertical", true},
                    {"GridLinesHorizontal", 1},
                    {"GridLinesVertical", 1},
                    {"DefaultRowHeight", 20},
                    {"_ScrollWidth", -1},
                    {"_ScrollOffset", 0}},
                   fw::FontEntries("Verdana", false),
                   {{"Hierarchical", false},
                    {"EnableDrag", false},
                    {"EnableDragReorder", true},
                    {"RequiresSelection", false},
                    {"SelectionType", 0},
                    {"ColumnsResizable", false},
                    {"AutoHideScrollbars", true}},
                   fw::DataEntries(),
                   {{"InitialParent", S("")}}});
}

Design TextFieldDesign(const char* name, int top, int width, int tabIndex, bool enabled, const char* help,
                       int limitText) {
  return fw::TextFieldDesign(
      {.Place = {name, 140, top, width, 24, tabIndex}, .HelpTag = S(help), .LimitText = limitText, .Enabled = enabled});
}

// The date and time fields take a text field's entries, the text ones after the data source.
Design DateTimeFieldDesign(const char* name, int left, int top, int width, int tabIndex, const char* help,
                           int limitText) {
  return fw::Join({fw::PlaceEntries({name, left, top, width, 24, tabIndex}),
                   fw::FieldEntries(true, S(help)),
                   fw::FontEntries("Verdana", false),
                   fw::DataEntries(),
                   fw::FieldTextEntries(limitText, 0),
                   {{"CueText", S("")}, {"Text", S("")}, {"SelectAllText", false}}});
}

Design WindowLabelDesign(const fw::PlaceRecord& place, const char* text, Color color = kBlack, bool multiline = false,
                         bool bold = true) {
  return fw::LabelDesign({.Place = place, .Text = S(text), .TextColor = color, .Multiline = multiline, .Bold = bold});
}

Design CheckBoxDesign(const fw::PlaceRecord& place, const char* caption, const char* help) {
  return fw::Join({fw::PlaceEntries(place),
                   {{"TabStop", true},
                    {"Caption", S(caption)},
                    {"Enabled", true},
                    {"Visible", true},
                    {"HelpTag", S(help)},
                    {"AutoDeactivate", true}},
                   fw::FontEntries("Verdana", true),
                   {{"State", 1}, {"Value", true}},
                   fw::DataEntries(),
                   {{"InitialParent", S("")}}});
}

Design BevelButtonDesign(const char* name, int top, int tabIndex, const char* help) {
  return fw::Join({fw::PlaceEntries({name, 518, top, 62, 24, tabIndex}),
                   {{"TabStop", true},
                    {"InitialParent", S("")},
                    {"Visible", true},
                    {"HelpTag", S(help)},
                    {"AutoDeactivate", true},
                    {"Enabled", true},
                    {"Caption", S("Tous")},
                    {"CaptionAlign", 1},
                    {"CaptionPlacement", 1},
                    {"CaptionDelta", 0},
                    {"IconAlign", 0},
                    {"IconDX", 5},
                    {"IconDY", 0},
                    {"Bevel", 3},
                    {"HasMenu", 0},
                    {"HasBackColor", false},
                    {"BackColor", kBlack},
                    {"TextColor", kBlack},
                    {"Value", false},
                    {"MenuValue", 0},
                    {"ButtonType", 0},
                    {"AcceptFocus", true}},
                   fw::FontEntries("Verdana", false)});
}

std::map<std::string, Design> BuildControls() {
  std::map<std::string, Design> d;
  d["FileLstBx"] = ListboxDesign({"FileLstBx", 25, 50, 550, 160, 0, true, true, true, false},
                                 "Déposer ici vos fichiers pour modifier leurs propriétés.",
                                 String(52, QLatin1Char(' ')) + S("Noms des fichiers"));
  d["FileNameTxtFld"] =
      TextFieldDesign("FileNameTxtFld", 220, 360, 1, true, "Modifier le nom du fichier sélectionné.", 0);
  d["FilExtTxtFld"] = TextFieldDesign("FilExtTxtFld", 257, 87, 2, true, "Changer ici l'extension de vos fichiers", 10);
  d["InfosLbl"] = WindowLabelDesign({"InfosLbl", 25, 4, 550, 38, 10},
                                    "Glissez-déposez ici vos fichiers (texte, images) dont vous voulez modifier les "
                                    "propriétés (nom, extension, dates de création ou modification \u2026)",
                                    kInfoRed, true, false);
  d["NameLbl"] = WindowLabelDesign({"NameLbl", 25, 220, 100, 20, 11}, "Nom Fichier : ");
  d["ExtensionLbl"] = WindowLabelDesign({"ExtensionLbl", 25, 260, 100, 20, 12}, "Extension : ");
  d["VisibleChkBx"] = CheckBoxDesign({"VisibleChkBx", 270, 260, 137, 20, 3}, "Extension visible",
                                     "Permet de rendre visible/invisible l'extension de vos fichiers dans le Finder.");
  d["BottomMainWin1"] = {{"Transparent", false},
                         {"HasBackColor", true},
                         {"BackColor", Color{0xCC, 0xCC, 0xCC}},
                         {"InitialParent", S("")},
                         {"Left", 0},
                         {"Top", 520},
                         {"Width", 600},
                         {"Height", 50},
                         {"LockLeft", true},
                         {"LockTop", false},
                         {"LockRight", true},
                         {"LockBottom", true},
                         {"TabPanelIndex", 0},
                         {"TabIndex", 13},
                         {"Visible", true},
                         {"Enabled", true},
                         {"AutoDeactivate", true},
                         {"HelpTag", S("")},
                         {"UseFocusRing", false},
                         {"AcceptFocus", false},
                         {"AcceptTabs", false},
                         {"EraseBackground", false}};
  d["AllExtBvlBtn"] = BevelButtonDesign(
      "AllExtBvlBtn", 260, 14, "Permet d'appliquer cette modification (extension) à tous les fichiers de la liste.");
  d["CreationDateTxtFld"] = DateTimeFieldDesign("CreationDateTxtFld", 140, 300, 87, 4,
                                                "Permet de modifier la date de création du fichier sélectionné.", 10);
  d["CreationDateLbl"] = WindowLabelDesign({"CreationDateLbl", 25, 303, 100, 20, 15}, "Date création : ");
  d["CreationTimeLbl"] = WindowLabelDesign({"CreationTimeLbl", 303, 303, 112, 20, 16}, "Heure création : ");
  d["AllCreationDateBvlBtn"] =
      BevelButtonDesign("AllCreationDateBvlBtn", 300, 17,
                        "Permet de modifier la date et l'heure de création de tous les fichiers de la liste.");
  d["CreationTimeTxtFld"] = DateTimeFieldDesign("CreationTimeTxtFld", 420, 300, 80, 5,
                                                "Permet de modifier l'heure de création du fichier sélectionné.", 8);
  d["ModifDateLbl"] = WindowLabelDesign({"ModifDateLbl", 25, 343, 100, 20, 18}, "Date modif. : ");
  d["ModifDateTxtFld"] = DateTimeFieldDesign("ModifDateTxtFld", 140, 340, 87, 6,
                                             "Permet de modifier la date de modification du fichier sélectionné.", 10);
  d["ModifTimeLbl"] = WindowLabelDesign({"ModifTimeLbl", 275, 343, 137, 20, 19}, "Heure modification : ");
  d["ModifTimeTxtFld"] = DateTimeFieldDesign("ModifTimeTxtFld", 420, 340, 80, 7,
                                             "Permet de modifier l'heure de modification du fichier sélectionné.", 8);
  d["AllModifDateBvlBtn"] =
      BevelButtonDesign("AllModifDateBvlBtn", 340, 20,
                        "Permet de modifier la date et l'heure de modification de tous les fichiers de la liste.");
  d["MacCreatorLbl"] = WindowLabelDesign({"MacCreatorLbl", 25, 383, 100, 20, 21}, "Code créateur : ");
  d["MacCreatorTxtFld"] = TextFieldDesign("MacCreatorTxtFld", 380, 87, 8, false,
                                          "Les modification de ce champ ne sont pas prises en compte.", 10);
  d["PermissionsCtrCtl1"] = {{"InitialParent", S("")},
                             {"Left", 0},
                             {"Top", 420},
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
                             {"HelpTag", S("")},
                             {"UseFocusRing", false},
                             {"HasBackColor", true},
                             {"BackColor", Color{0xE6, 0xE6, 0xE6}},
                             {"AcceptFocus", false},
                             {"AcceptTabs", true},
                             {"EraseBackground", true},
                             {"Transparent", true},
                             {"ProtectChange", false}};
  d["AllPermissionsBvlBtn"] =
      BevelButtonDesign("AllPermissionsBvlBtn", 443, 22,
                        "Permet d'appliquer les permissions sélectionnées à tous les fichiers de la liste.");
  d["CreatorInfosLbl"] =
      WindowLabelDesign({"CreatorInfosLbl", 275, 381, 301, 20, 23},
                        "Pour information. N'est plus utilisé par le Finder.", kInfoRed, false, false);
  return d;
}

}  // namespace

const Design& Window() {
  static const Design d{{"Placement", 0},
                        {"Width", 600},
                        {"Height", 570},
                        {"MinWidth", 600},
                        {"MinHeight", 570},
                        {"MaxWidth", 600},
                        {"MaxHeight", 570},
                        {"Frame", 0},
                        {"Composite", false},
                        {"HasBackColor", false},
                        {"BackColor", kWhite},
                        {"Title", S(kTitle)},
                        {"Visible", true},
                        {"FullScreen", false},
                        {"MenuBarVisible", true},
                        {"CloseButton", true},
                        {"Resizeable", false},
                        {"LiveResize", true},
                        {"MaximizeButton", true},
                        {"MinimizeButton", true},
                        {"FullScreenButton", false},
                        {"MacProcID", 0}};
  return d;
}

const Design& ForControl(const char* name) {
  static const std::map<std::string, Design> controls = BuildControls();
  auto it = controls.find(name);
  if (it == controls.end()) throw fw::RuntimeException(QStringLiteral("no design for %1").arg(QLatin1String(name)));
  return it->second;
}

}  // namespace mainwindow_design
