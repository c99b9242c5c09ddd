#pragma once

#include <QString>

class QWidget;
class TMultiLang;

// The word lists of the program's windows, kept in the resources as
// ":/words/<window>.words" (one string per line, groups of id, English,
// Spanish), and the one call that gives a window its translation component.
//
// The lists address controls by objectName():
//   main window   tool buttons closeButton, optionsButton, checkServersButton,
//                 reloadGameButton, sendMoveButton, gameWebPageButton,
//                 firstMoveButton, previousMoveButton, nextMoveButton,
//                 lastMoveButton, engineButton, and the engine panel's button;
//                 menus fileMenu, commandsMenu, exportPgnMenu, toClipboardMenu,
//                 toPgnFileMenu, helpMenu (QMenu) and their QActions
//                 optionsAction, fileSeparator, exitAction, sendMoveAction,
//                 refreshGamesAction, checkServersAction, commandsSeparator,
//                 copyGameAction, appendGameToClipboardAction, saveGameAction,
//                 appendGameToFileAction, exportWithNotesAction, copyEpdAction,
//                 showGameLogAction, onlineHelpAction, programHistoryAction,
//                 forumsAction, helpSeparator, aboutAction; the server list's
//                 context menu checkServerAction, serverWebSiteAction;
//                 serverList (QListWidget in icon mode), gameList (QTreeWidget
//                 without root decoration, 7 columns), pgnSaveDialog (a
//                 TFileDialogTexts); messages "@servererror",
//                 "@authenticationfailed", "@movesentsuccessfully",
//                 "@sendingmove", "@connectingtoserver", "@badmoveentered",
//                 "@notawebaddress", and the engine link's "@enginestopped",
//                 "@enginenoanswer".
//   options dialog   %Form%, GroupBox1, Button1-3, EditShowComments,
//                 EditFigurine, EditShowOngoing, EditCheckServers,
//                 EditShowCoordinates, EditShowLastMove, EditShowCheck, Label1-3,
//                 LabelEngineArguments,
//                 EditLAnguage and EditEngineType (TRadioGroup), OKBtn, CancelBtn;
//                 message "@selectserverfirst".
//   add-server dialog   %Form%, Edit1-Edit5 (QLineEdits, each the buddy of
//                 the QLabel that names it), Button1 (OK), Button2 (Cancel);
//                 messages "@servernametoolong", "@servernamepath",
//                 "@servernamedot", "@servernamecontrol", "@servernamereserved",
//                 "@notaserviceaddress".
//   send-move dialog   %Form%, Label1-3, OfferResult (TRadioGroup), Button1,
//                 Button2, "@invalidmovenumber".
//   about box     %Form%, Label1, Label2, SpeedButton1.
//   wait window   CancelButton.
namespace WordList {
inline const QString QuorvalMain = QStringLiteral(":/words/quorvalmain.words");
inline const QString OptionsDialog = QStringLiteral(":/words/optionsdialog.words");
inline const QString AddServerDialog = QStringLiteral(":/words/addserverdialog.words");
inline const QString SendMoveDialog = QStringLiteral(":/words/sendmovedialog.words");
inline const QString AboutBox = QStringLiteral(":/words/aboutbox.words");
inline const QString WaitWindow = QStringLiteral(":/words/waitwindow.words");
} // namespace WordList

// Gives `window` its "MultiLang1" as every translated window of the program
// has it: two languages, empty texts showing the English one, two CharSets
// entries "MS Sans Serif,1", the word list read from `wordList`, and language
// 0 shown (the window then applies the setting, e.g. with followActivation).
// Throws TMultiLangError when the list cannot be read.
TMultiLang *createMultiLang(QWidget *window, const QString &wordList);
