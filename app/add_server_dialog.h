#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TMultiLang;
struct ServerEntry;

// Adds or edits a server: five fields, saved as the server's file under the
// name in the first field. The fields keep their texts between uses.
class TAddServerDialog : public QDialog
{
    Q_OBJECT
public:
    // activeLanguage gives the language the dialog takes when it is activated.
    TAddServerDialog(const QString &serversFolder, std::function<int()> activeLanguage,
                     QWidget *parent = nullptr);

    void setEntry(const ServerEntry &entry);
    ServerEntry entry() const;

public Q_SLOTS:
    // OK: checks the required fields in order, the name and the service
    // address, then writes the server file and closes the dialog.
    void saveServer();

Q_SIGNALS:
    // A server file was written; the server lists should be read again.
    void serverSaved();

private:
    QString m_serversFolder;
    TMultiLang *m_translator;
    QLineEdit *m_nameEdit;
    QLineEdit *m_serviceUrlEdit;
    QLineEdit *m_userNameEdit;
    QLineEdit *m_passwordEdit;
    QLineEdit *m_webSiteEdit;
};
