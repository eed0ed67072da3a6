#pragma once
// Command identifiers of menus 128/129, toolbar 128 and accelerator table
// 128. The language bundle names commands by these numbers; the frame
// routes them to handlers registered under the same numbers.
namespace Cmd {
constexpr int FileNew = 57600;
constexpr int FileOpen = 57601;
constexpr int FileClose = 57602;
constexpr int FileSave = 57603;
constexpr int FileSaveAs = 57604;
constexpr int FilePrintSetup = 57606;
constexpr int FilePrint = 57607;
constexpr int FilePrintDirect = 57608;
constexpr int FilePrintPreview = 57609;
constexpr int AppAbout = 57664;
constexpr int AppExit = 57665;
constexpr int HelpTopics = 57667; // Help > Help Topics: the manual's contents
constexpr int Help = 57670;
constexpr int NextPane = 57680;
constexpr int PrevPane = 57681;
constexpr int ViewToolbar = 59392;
constexpr int ViewStatusBar = 59393;
constexpr int Read = 32773;
constexpr int Write = 32774;
constexpr int ComSetup = 32777;
constexpr int ControlBar = 32780;
constexpr int ProductInfo = 32786;
constexpr int ChannelInfo = 32787;
constexpr int OptionalFeatures = 32788;
constexpr int Language = 32799;
constexpr int FileExportPdf = 32801;
constexpr int WriteSeveral = 32804; // Program > Write to Several Radios...
constexpr int Verify = 32800;
constexpr int ImportCsv = 32802;
constexpr int ExportCsv = 32803;
constexpr int EditClear = 57632; // Delete
constexpr int EditCopy = 57634;
constexpr int EditCut = 57635;
constexpr int EditPaste = 57637;
constexpr int EditUndo = 57643;
constexpr int EditRedo = 57644;
} // namespace Cmd

// Resource identifiers of the bundle.
namespace Res {
constexpr int MainFrame = 128;    // menu without document, toolbar, accelerators, icon
constexpr int DocumentMenu = 129; // menu with a document open; document icon
constexpr int AboutDialog = 100;
constexpr int FormView = 101;
constexpr int NavigationBar = 130;
constexpr int ProcessDialog = 131;
constexpr int OptionsDialog = 132;
constexpr int LanguageDialog = 134;
constexpr int ComSetupDialog = 135;
constexpr int ProductDialog = 136;
constexpr int CloseIcon = 131;
constexpr int ResizeCursor = 132;
constexpr int Background = 137;
} // namespace Res
