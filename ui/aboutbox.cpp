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

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(0, 0, 353, 321);
    image->setPixmap(aboutArtwork(image->size()));

    auto *credit = addLabel(this, "Label2", makeFont("Tahoma", 8, false, true));
    credit->move(200, 8);

    m_version = addLabel(this, "LabelVersion", makeFont("Tahoma", 8, false, true));
    m_version->setGeometry(208, 68, 121, 13);
    m_version->setAlignment(Qt::AlignCenter);
    m_version->setText(QStringLiteral("Version:"));

    auto *sentence = addLabel(this, "Label1", makeFont("Verdana", 8, false, true));
    sentence->setGeometry(208, 128, 129, 97);
    sentence->setAlignment(Qt::AlignCenter);
    sentence->setWordWrap(true);

    auto *ok = new QToolButton(this);
    ok->setObjectName(QStringLiteral("SpeedButton1"));
    ok->setGeometry(240, 240, 57, 41);
    ok->setAutoRaise(true);
    ok->setFont(makeFont("Tahoma", 16, true, false));
    connect(ok, &QToolButton::clicked, this, &QDialog::accept);

    m_multiLang = createMultiLang(this, WordList::AboutBox);
    // The credit line sizes itself to its text, whichever language gives it.
    connect(m_multiLang, &TBaseMultiLang::afterLanguageChanged, credit, &QLabel::adjustSize);
    credit->adjustSize();
    m_multiLang->followActivation(std::move(activeLanguage));
}

void TAboutBox::setVersionText(const QString &version)
{
    m_version->setText(QStringLiteral("Version: ") + version);
}
