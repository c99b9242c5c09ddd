#include "ui/aboutbox.h"

#include "ui/aboutartwork.h"
#include "ui/multilang.h"
#include "ui/wordlists.h"

#include <QLabel>
#include <QToolButton>

namespace {

QFont makeFont(const char *family, int points, bool bold, bool italic)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSize(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QLabel *addLabel(QWidget *parent, const char *name, const QFont &font)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

} // namespace

TAboutBox::TAboutBox(std::function<int()> activeLanguage, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setFixedSize(350, 319);

    auto *artwork = new QLabel(this);
    artwork->setObjectName(QStringLiteral("artwork"));
    artwork->setGeometry(0, 0, 353, 321);
    artwork->setPixmap(aboutArtwork(artwork->size()));

    auto *creditLabel = addLabel(this, "creditLabel", makeFont("Tahoma", 8, false, true));
    creditLabel->move(200, 8);

    m_versionLabel = addLabel(this, "versionLabel", makeFont("Tahoma", 8, false, true));
    m_versionLabel->setGeometry(208, 68, 121, 13);
    m_versionLabel->setAlignment(Qt::AlignCenter);
    m_versionLabel->setText(QStringLiteral("Version:"));

    auto *descriptionLabel = addLabel(this, "descriptionLabel", makeFont("Verdana", 8, false, true));
    descriptionLabel->setGeometry(208, 128, 129, 97);
    descriptionLabel->setAlignment(Qt::AlignCenter);
    descriptionLabel->setWordWrap(true);

    auto *okButton = new QToolButton(this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(240, 240, 57, 41);
    okButton->setAutoRaise(true);
    okButton->setFont(makeFont("Tahoma", 16, true, false));
    connect(okButton, &QToolButton::clicked, this, &QDialog::accept);

    m_translator = createMultiLang(this, WordList::AboutBox);
    // The credit line sizes itself to its text, whichever language gives it.
    connect(m_translator, &TBaseMultiLang::afterLanguageChanged, creditLabel, &QLabel::adjustSize);
    creditLabel->adjustSize();
    m_translator->followActivation(std::move(activeLanguage));
}

void TAboutBox::setVersionText(const QString &version)
{
    m_versionLabel->setText(QStringLiteral("Version: ") + version);
}
