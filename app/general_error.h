#pragma once

#include <QApplication>
#include <QString>

// The program's general error box: the failure's text, followed by "." when
// its last character sorts after ".", captioned with the application title.
QString GeneralErrorText(const QString &failure);
void ShowGeneralError(const QString &failure);

// Catches every exception that escapes an event handler and shows it in the
// general error box; the program goes on.
class TQuorvalApplication : public QApplication
{
    Q_OBJECT
public:
    TQuorvalApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
