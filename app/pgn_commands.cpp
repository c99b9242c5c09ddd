#include "app/pgn_commands.h"

#include "app/atomic_file.h"
#include "chess/epd.h"
#include "ui/filedialogtexts.h"
#include "ui/prompts.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>


void ExportPGN(const XfccGame &server, const GameRecord &game, const QStringList &comments, const QString &notes,
               bool toClipboard, bool append, const QString &programFolder, const TFileDialogTexts &saveDialog,
               QWidget *parent)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!append)
        clipboard->clear();
    const bool includeComments =
        MessageDlg(QStringLiteral("Include comments?"), TPrompts::Icon::Confirmation,
                   TPrompts::Button::Yes | TPrompts::Button::No, parent) == TPrompts::Button::Yes;
    const QString text = ExportPGNText(server, game, comments, includeComments, notes);
    if (toClipboard) {
        clipboard->setText(clipboard->text() + text + QStringLiteral("\r\n"));
        return;
    }

    const QString title = saveDialog.title().isEmpty() ? QStringLiteral("Save") : saveDialog.title();
    const QString filter = saveDialog.filter().isEmpty() ? QStringLiteral("PGN files (*.pgn)") : saveDialog.qtFilter();
    QString fileName = TPrompts::instance().saveFileName(title, programFolder, filter, parent);
    if (fileName.isEmpty())
        return;
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".PGN");
    // A failed write leaves the file as it was.
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
    if (append)
        AppendToFile(fileName, bytes);
    else
        WriteFileAtomically(fileName, bytes);
}

QString MakeEPDFromBoard(const GameRecord &game, const TChessPosition &shown)
{
    const EPDResult epd = MakeEPD(game, shown);
    if (epd.InvalidPiece)
        ShowMessage(TPrompts::Icon::Error, QStringLiteral("TELLMAR"), QStringLiteral("Error in building EPD description"));
    return QString::fromStdString(epd.Text);
}

void CopyEPDToClipboard(const GameRecord &game, const TChessPosition &shown)
{
    QGuiApplication::clipboard()->setText(MakeEPDFromBoard(game, shown));
}

void ShowGameLog(const QString &programFolder, const QString &gameLog)
{
    const QString fileName = QDir(programFolder).filePath(QStringLiteral("quorval.log"));
    WriteFileAtomically(fileName, (gameLog + QLatin1Char('\n')).toUtf8());
    TPrompts::instance().openUrl(QUrl::fromLocalFile(fileName));
}
