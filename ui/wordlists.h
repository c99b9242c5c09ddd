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
//                 lastMoveButton, engineButton, and the engine panel's stopButton;
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
//   options dialog   %Form%, serversGroup (QGroupBox), addServerButton,
//                 editServerButton, removeServerButton; the check boxes
//                 showCommentsBox, figurineBox, onlyOngoingBox, checkAtStartupBox,
//                 coordinatesBox, lastMoveBox, kingInCheckBox, pollServers; the
//                 labels lightSquaresLabel, darkSquaresLabel, serverTimeoutLabel,
//                 minutesToCheckLabel, alertDaysLeftLabel, engineLabel,
//                 engineArgumentsLabel; languageChoice and engineProtocol
//                 (TRadioGroup), okButton, cancelButton; messages
//                 "@selectserverfirst", "@keepnotes".
//   add-server dialog   %Form%, nameEdit, serviceUrlEdit, userNameEdit,
//                 passwordEdit, webSiteEdit (QLineEdits, each the buddy of the
//                 QLabel that names it), okButton, cancelButton;
//                 messages "@servernametoolong", "@servernamepath",
//                 "@servernamedot", "@servernamecontrol", "@servernamereserved",
//                 "@notaserviceaddress".
//   send-move dialog   %Form%, the labels moveHeading, opponentMessageHeading,
//                 messageHeading; resultOffer (TRadioGroup), okButton,
//                 cancelButton; "@invalidmovenumber".
//   about box     %Form%, descriptionLabel, creditLabel, okButton (QToolButton).
//   wait window   cancelButton.
namespace WordList {
inline const QString QuorvalMain = QStringLiteral(":/words/quorvalmain.words");
inline const QString OptionsDialog = QStringLiteral(":/words/optionsdialog.words");
inline const QString AddServerDialog = QStringLiteral(":/words/addserverdialog.words");
inline const QString SendMoveDialog = QStringLiteral(":/words/sendmovedialog.words");
inline const QString AboutBox = QStringLiteral(":/words/aboutbox.words");
inline const QString WaitWindow = QStringLiteral(":/words/waitwindow.words");
} // namespace WordList

// Gives `window` its "translator" as every translated window of the program
// has it: two languages, empty texts showing the English one, two CharSets
// entries "MS Sans Serif,1", the word list read from `wordList`, and language
// 0 shown (the window then applies the setting, e.g. with followActivation).
// Throws TMultiLangError when the list cannot be read.
TMultiLang *createMultiLang(QWidget *window, const QString &wordList);
