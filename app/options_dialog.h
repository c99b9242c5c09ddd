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
    static bool FileMentionsUciOk(const QString &fileName);

public Q_SLOTS:
    void FormActivate();
    void OKBtnClick();
    void RefreshList();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void SpeedButton1Click();
    void CheckEngine();
    // Shows the dialog in the chosen language at once, as a preview; the
    // setting changes only on OK.
    void EditLAnguageClick(int language);

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

    QListWidget *ListBox1;
    QCheckBox *EditShowComments;
    QCheckBox *EditFigurine;
    QCheckBox *EditShowOngoing;
    QCheckBox *EditCheckServers;
    QCheckBox *EditShowCoordinates;
    QCheckBox *EditShowLastMove;
    QCheckBox *EditShowCheck;
    TColorBox *ColorBox1;
    TColorBox *ColorBox2;
    TRadioGroup *EditLAnguage;
    QLineEdit *EditEngine;
    QLineEdit *EditEngineArguments;
    TRadioGroup *EditEngineType;
    QSpinBox *m_serverTimeout;
    QCheckBox *m_pollServers;
    QSpinBox *m_minutesToCheck;
    QSpinBox *m_alertDaysLeft;
    TMultiLang *MultiLang1;
};
