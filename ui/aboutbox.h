#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class TMultiLang;

// The borderless about box, shown modally from the Help menu:
//
//   auto *about = new TAboutBox([] { return settings.activeLanguage; }, main);
//   about->setVersionText(VersionText);   // "Version: 1.13"
//   about->exec();
//
// Its texts switch to the given language source on every activation; its
// button closes it.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(std::function<int()> activeLanguage, QWidget *parent = nullptr);

    // Sets the version label to "Version: " followed by `version`.
    void setVersionText(const QString &version);
    TMultiLang *multiLang() const { return m_translator; }

private:
    QLabel *m_versionLabel;
    TMultiLang *m_translator;
};
