#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class TAddServerDialog;
class TColorBox;
class TMultiLang;
class TRadioGroup;
struct TSettings;

// Edits the settings in memory (written at shutdown) and manages the server
// files, which its buttons change at once whether the dialog is confirmed or
// not.
class TOptionsDialog : public QDialog
{
    Q_OBJECT
public:
    TOptionsDialog(TSettings &settings, const QString &serversFolder, TAddServerDialog *addServerDialog,
                   QWidget *parent = nullptr);

    // True when the file holds the five bytes "uciok" somewhere.
    static bool fileMentionsUciOk(const QString &fileName);

public Q_SLOTS:
    // Fills the controls from the settings.
    void loadSettings();
    // OK: stores the controls in the settings and closes the dialog.
    void accept() override;
    void refreshServerList();
    void addServer();
    void editSelectedServer();
    void removeSelectedServer();
    // Asks for the engine program, guesses its protocol and offers the
    // arguments it is known to want.
    void browseForEngine();
    // Chooses UCI when the engine file mentions "uciok", else Winboard.
    void detectEngineProtocol();
    // Shows the dialog in the chosen language at once, as a preview; the
    // setting changes only on OK.
    void previewLanguage(int language);

Q_SIGNALS:
    // A server file was added, changed or removed.
    void serversChanged();

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The name of the server selected in the list; with none, says so and
    // gives an empty text.
    QString selectedServer();

    TSettings &m_settings;
    QString m_serversFolder;
    TAddServerDialog *m_addServerDialog;

    QListWidget *m_serverList;
    QCheckBox *m_showCommentsBox;
    QCheckBox *m_figurineBox;
    QCheckBox *m_onlyOngoingBox;
    QCheckBox *m_checkAtStartupBox;
    QCheckBox *m_coordinatesBox;
    QCheckBox *m_lastMoveBox;
    QCheckBox *m_kingInCheckBox;
    TColorBox *m_lightSquaresColor;
    TColorBox *m_darkSquaresColor;
    TRadioGroup *m_languageChoice;
    QLineEdit *m_engineFile;
    QLineEdit *m_engineArguments;
    TRadioGroup *m_engineProtocol;
    QSpinBox *m_serverTimeout;
    QCheckBox *m_pollServers;
    QSpinBox *m_minutesToCheck;
    QSpinBox *m_alertDaysLeft;
    TMultiLang *m_translator;
};
