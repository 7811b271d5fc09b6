#include "mainwindow/MainWindowDesign.h"

#include "controls/DesignRecords.h"

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

Design ListboxDesign(const char* name, int left, int top, int width, int height, int tabIndex, const char* help,
                     const String& heading) {
  return {{"Name", S(name)},
          {"Index", INT_MIN},
          {"Left", left},
          {"Top", top},
          {"Width", width},
          {"Height", height},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", true},
          {"LockBottom", false},
          {"TabPanelIndex", 0},
          {"TabIndex", tabIndex},
          {"TabStop", true},
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
          {"_ScrollOffset", 0},
          {"TextFont", S("Verdana")},
          {"Bold", false},
          {"Italic", false},
          {"Underline", false},
          {"Hierarchical", false},
          {"EnableDrag", false},
          {"EnableDragReorder", true},
          {"RequiresSelection", false},
          {"SelectionType", 0},
          {"ColumnsResizable", false},
          {"AutoHideScrollbars", true},
          {"DataSource", S("")},
          {"DataField", S("")},
          {"InitialParent", S("")}};
}

Design TextFieldDesign(const char* name, int top, int width, int tabIndex, bool enabled, const char* help,
                       int limitText) {
  return ::TextFieldDesign({name, 140, top, width, tabIndex, S(help), limitText, enabled, 0});
}

Design DateTimeFieldDesign(const char* name, int left, int top, int width, int tabIndex, const char* help,
                           int limitText) {
  return {{"Name", S(name)},
          {"Index", INT_MIN},
          {"Left", left},
          {"Top", top},
          {"Width", width},
          {"Height", 24},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", false},
          {"LockBottom", false},
          {"TabPanelIndex", 0},
          {"TabIndex", tabIndex},
          {"TabStop", true},
          {"Border", true},
          {"Password", false},
          {"UseFocusRing", true},
          {"TextColor", kBlack},
          {"BackColor", kWhite},
          {"Enabled", true},
          {"Format", S("")},
          {"Visible", true},
          {"HelpTag", S(help)},
          {"AutoDeactivate", true},
          {"TextFont", S("Verdana")},
          {"Bold", false},
          {"Italic", false},
          {"Underline", false},
          {"DataSource", S("")},
          {"DataField", S("")},
          {"Mask", S("")},
          {"ReadOnly", false},
          {"LimitText", limitText},
          {"AcceptTabs", false},
          {"Alignment", 0},
          {"AutomaticallyCheckSpelling", false},
          {"CueText", S("")},
          {"Text", S("")},
          {"SelectAllText", false}};
}

Design LabelDesign(const char* name, int left, int top, int width, int height, int tabIndex, const char* text,
                   Color color, bool multiline, bool bold) {
  return ::LabelDesign({name, left, top, width, height, tabIndex, S(text), color, 0, multiline, bold});
}

Design CheckBoxDesign(const char* name, int left, int top, int width, int height, int tabIndex, const char* caption,
                      const char* help) {
  return {{"Name", S(name)},
          {"Index", INT_MIN},
          {"Left", left},
          {"Top", top},
          {"Width", width},
          {"Height", height},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", false},
          {"LockBottom", false},
          {"TabPanelIndex", 0},
          {"TabIndex", tabIndex},
          {"TabStop", true},
          {"Caption", S(caption)},
          {"Enabled", true},
          {"Visible", true},
          {"HelpTag", S(help)},
          {"AutoDeactivate", true},
          {"TextFont", S("Verdana")},
          {"Bold", true},
          {"Italic", false},
          {"Underline", false},
          {"State", 1},
          {"Value", true},
          {"DataSource", S("")},
          {"DataField", S("")},
          {"InitialParent", S("")}};
}

Design BevelButtonDesign(const char* name, int top, int tabIndex, const char* help) {
  return {{"Name", S(name)},
          {"Index", INT_MIN},
          {"Left", 518},
          {"Top", top},
          {"Width", 62},
          {"Height", 24},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", false},
          {"LockBottom", false},
          {"TabPanelIndex", 0},
          {"TabIndex", tabIndex},
          {"TabStop", true},
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
          {"AcceptFocus", true},
          {"TextFont", S("Verdana")},
          {"Bold", false},
          {"Italic", false},
          {"Underline", false}};
}

std::map<std::string, Design> BuildControls() {
  std::map<std::string, Design> d;
  d["FileLstBx"] = ListboxDesign("FileLstBx", 25, 50, 550, 160, 0,
                                 "Déposer ici vos fichiers pour modifier leurs propriétés.",
                                 String(52, QLatin1Char(' ')) + S("Noms des fichiers"));
  d["FileNameTxtFld"] = TextFieldDesign("FileNameTxtFld", 220, 360, 1, true, "Modifier le nom du fichier sélectionné.", 0);
  d["FilExtTxtFld"] = TextFieldDesign("FilExtTxtFld", 257, 87, 2, true, "Changer ici l'extension de vos fichiers", 10);
  d["InfosLbl"] = LabelDesign("InfosLbl", 25, 4, 550, 38, 10,
                              "Glissez-déposez ici vos fichiers (texte, images) dont vous voulez modifier les "
                              "propriétés (nom, extension, dates de création ou modification \u2026)",
                              kInfoRed, true, false);
  d["NameLbl"] = LabelDesign("NameLbl", 25, 220, 100, 20, 11, "Nom Fichier : ", kBlack, false, true);
  d["ExtensionLbl"] = LabelDesign("ExtensionLbl", 25, 260, 100, 20, 12, "Extension : ", kBlack, false, true);
  d["VisibleChkBx"] = CheckBoxDesign(
      "VisibleChkBx", 270, 260, 137, 20, 3, "Extension visible",
      "Permet de rendre visible/invisible l'extension de vos fichiers dans le Finder.");
  d["BottomMainWin1"] = {{"Transparent", false}, {"HasBackColor", true},   {"BackColor", Color{0xCC, 0xCC, 0xCC}},
                         {"InitialParent", S("")}, {"Left", 0},          {"Top", 520},
                         {"Width", 600},         {"Height", 50},         {"LockLeft", true},
                         {"LockTop", false},     {"LockRight", true},    {"LockBottom", true},
                         {"TabPanelIndex", 0},   {"TabIndex", 13},       {"Visible", true},
                         {"Enabled", true},      {"AutoDeactivate", true}, {"HelpTag", S("")},
                         {"UseFocusRing", false}, {"AcceptFocus", false}, {"AcceptTabs", false},
                         {"EraseBackground", false}};
  d["AllExtBvlBtn"] = BevelButtonDesign(
      "AllExtBvlBtn", 260, 14, "Permet d'appliquer cette modification (extension) à tous les fichiers de la liste.");
  d["CreationDateTxtFld"] = DateTimeFieldDesign("CreationDateTxtFld", 140, 300, 87, 4,
                                                "Permet de modifier la date de création du fichier sélectionné.", 10);
  d["CreationDateLbl"] = LabelDesign("CreationDateLbl", 25, 303, 100, 20, 15, "Date création : ", kBlack, false, true);
  d["CreationTimeLbl"] = LabelDesign("CreationTimeLbl", 303, 303, 112, 20, 16, "Heure création : ", kBlack, false, true);
  d["AllCreationDateBvlBtn"] = BevelButtonDesign(
      "AllCreationDateBvlBtn", 300, 17,
      "Permet de modifier la date et l'heure de création de tous les fichiers de la liste.");
  d["CreationTimeTxtFld"] = DateTimeFieldDesign("CreationTimeTxtFld", 420, 300, 80, 5,
                                                "Permet de modifier l'heure de création du fichier sélectionné.", 8);
  d["ModifDateLbl"] = LabelDesign("ModifDateLbl", 25, 343, 100, 20, 18, "Date modif. : ", kBlack, false, true);
  d["ModifDateTxtFld"] = DateTimeFieldDesign(
      "ModifDateTxtFld", 140, 340, 87, 6, "Permet de modifier la date de modification du fichier sélectionné.", 10);
  d["ModifTimeLbl"] = LabelDesign("ModifTimeLbl", 275, 343, 137, 20, 19, "Heure modification : ", kBlack, false, true);
  d["ModifTimeTxtFld"] = DateTimeFieldDesign(
      "ModifTimeTxtFld", 420, 340, 80, 7, "Permet de modifier l'heure de modification du fichier sélectionné.", 8);
  d["AllModifDateBvlBtn"] = BevelButtonDesign(
      "AllModifDateBvlBtn", 340, 20,
      "Permet de modifier la date et l'heure de modification de tous les fichiers de la liste.");
  d["MacCreatorLbl"] = LabelDesign("MacCreatorLbl", 25, 383, 100, 20, 21, "Code créateur : ", kBlack, false, true);
  d["MacCreatorTxtFld"] = TextFieldDesign("MacCreatorTxtFld", 380, 87, 8, false,
                                          "Les modification de ce champ ne sont pas prises en compte.", 10);
  d["PermissionsCtrCtl1"] = {{"InitialParent", S("")}, {"Left", 0},         {"Top", 420},
                             {"Width", 600},         {"Height", 90},        {"LockLeft", true},
                             {"LockTop", true},      {"LockRight", false},  {"LockBottom", false},
                             {"TabPanelIndex", 0},   {"TabIndex", 9},       {"Visible", true},
                             {"Enabled", true},      {"AutoDeactivate", true}, {"HelpTag", S("")},
                             {"UseFocusRing", false}, {"HasBackColor", true}, {"BackColor", Color{0xE6, 0xE6, 0xE6}},
                             {"AcceptFocus", false}, {"AcceptTabs", true},  {"EraseBackground", true},
                             {"Transparent", true},  {"ProtectChange", false}};
  d["AllPermissionsBvlBtn"] = BevelButtonDesign(
      "AllPermissionsBvlBtn", 443, 22,
      "Permet d'appliquer les permissions sélectionnées à tous les fichiers de la liste.");
  d["CreatorInfosLbl"] = LabelDesign("CreatorInfosLbl", 275, 381, 301, 20, 23,
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
