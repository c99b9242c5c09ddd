#include "ui/basemultilang.h"

#include "ui/prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHash>
#include <QWidget>

namespace {

const QString formId = QStringLiteral("%Form%");
const QString dittoId = QStringLiteral("\"");
const QString hintId = QStringLiteral("\".Hint");

QList<TBaseMultiLang *> &instances()
{
    static QList<TBaseMultiLang *> list;
    return list;
}

void inform(const QString &text, TPrompts::Buttons buttons = TPrompts::Button::Ok)
{
    MessageDlg(text, TPrompts::Icon::Information, buttons);
}

bool confirm(TPrompts::Icon icon, const QString &text)
{
    return MessageDlg(text, icon, TPrompts::Button::Yes | TPrompts::Button::No) == TPrompts::Button::Yes;
}

void refuseLanguage()
{
    inform(QStringLiteral("Value must not be higher than\nnumber of available languages."),
           TPrompts::Button::Cancel);
}

} // namespace

TBaseMultiLang::TBaseMultiLang(QWidget *owner)
    : QObject(owner)
{
    instances().append(this);
}

TBaseMultiLang::~TBaseMultiLang()
{
    instances().removeOne(this);
}

QWidget *TBaseMultiLang::owner() const
{
    return qobject_cast<QWidget *>(parent());
}

const QList<TBaseMultiLang *> &TBaseMultiLang::allInstances()
{
    return instances();
}

QString &TBaseMultiLang::stringLibrary()
{
    static QString name;
    return name;
}

// --- Taking texts -----------------------------------------------------------

bool TBaseMultiLang::take(int &row, QString &text) const
{
    if (row < 0 || row + m_activeLanguage + 1 >= m_words.size())
        return false;
    text = m_words.at(row + m_activeLanguage + 1);
    if (text.isEmpty() && m_defaultEnabled)
        text = m_words.value(row + m_defaultLanguage + 1);
    row += m_languages + 1;
    return true;
}

bool TBaseMultiLang::isDittoRow(int row) const
{
    return row >= 0 && row < m_words.size() && m_words.at(row) == dittoId;
}

bool TBaseMultiLang::isHintRow(int row) const
{
    return row >= 0 && row < m_words.size()
        && m_words.at(row).compare(hintId, Qt::CaseInsensitive) == 0;
}

// --- The owner's components -------------------------------------------------

static void collectOwned(const QObject *parent, const TBaseMultiLang *self, QList<QObject *> &out)
{
    for (QObject *child : parent->children()) {
        if (child == self)
            continue;
        out.append(child);
        const bool translatedWindow = child->findChild<TBaseMultiLang *>(QString(),
                                                                         Qt::FindDirectChildrenOnly);
        if (!translatedWindow)
            collectOwned(child, self, out);
    }
}

QList<QObject *> TBaseMultiLang::components() const
{
    QList<QObject *> list;
    if (parent())
        collectOwned(parent(), this, list);
    return list;
}

QObject *TBaseMultiLang::findComponent(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *c : components()) {
        if (c->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return c;
    }
    return nullptr;
}

// --- Switching --------------------------------------------------------------

void TBaseMultiLang::setActiveLanguage(int value)
{
    if (value < 0 || value >= m_languages) {
        refuseLanguage();
        return;
    }
    switchTo(value);
}

void TBaseMultiLang::switchTo(int value)
{
    bool allowIt = true;
    emit beforeLanguageChange(value, &allowIt);
    if (!allowIt)
        return;

    saveFont();
    storePosition(owner(), true);
    for (QObject *c : components())
        storePosition(c, false);

    m_activeLanguage = value;
    applyFont();
    restorePosition(owner(), true);
    walk();
    emit afterLanguageChanged(m_activeLanguage);
}

void TBaseMultiLang::walk()
{
    // The owner's components by lower-cased name; the first of a name wins.
    QHash<QString, QObject *> byName;
    for (QObject *c : components()) {
        const QString name = c->objectName().toLower();
        if (!name.isEmpty() && !byName.contains(name))
            byName.insert(name, c);
    }
    const int group = m_languages + 1;
    int row = 0;
    while (row < m_words.size()) {
        const QString &id = m_words.at(row);
        if (id == formId) {
            int taken = row;
            QString caption;
            if (owner() && take(taken, caption))
                owner()->setWindowTitle(caption);
            row += group;
            continue;
        }
        QObject *component = byName.value(id.toLower());
        if (!component) {
            row += group;
            continue;
        }
        const int start = row;
        try {
            translateComponent(component, row);
        } catch (const std::exception &) {
            row = start; // a failing component is passed by its own row
        }
        if (row <= start)
            row = start + group;
    }
}

QString TBaseMultiLang::Translate(const QString &id)
{
    return TranslateTo(id, m_activeLanguage);
}

QString TBaseMultiLang::TranslateTo(const QString &id, int language)
{
    if (language < 0 || language >= m_languages)
        language = m_activeLanguage;
    const QString key = id.toLower();
    const int group = m_languages + 1;
    for (int pos = 0; pos + m_languages < m_words.size(); pos += group) {
        if (m_words.at(pos).toLower() != key)
            continue;
        QString text = m_words.at(pos + language + 1);
        if (text.isEmpty() && m_defaultEnabled)
            text = m_words.value(pos + m_defaultLanguage + 1);
        return text;
    }
    QString result = key;
    emit idNotFoundError(key, &result);
    return result;
}

void TBaseMultiLang::afterLoad()
{
    m_loading = false;
    switchTo(initialLanguage());
    QString &library = stringLibrary();
    if (library.isEmpty())
        return;
    if (!QFileInfo::exists(library)) {
        library = QFileInfo(library).fileName();
        return;
    }
    // String libraries are Windows resource files; none can be read here.
    throw TMultiLangError(QStringLiteral("Cannot load string DLL \"%1\".").arg(library).toStdString());
}

QString TBaseMultiLang::loadWords(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot open the word list %1: %2").arg(fileName, file.errorString());
    QString content = QString::fromUtf8(file.readAll());
    content.remove(QLatin1Char('\r'));
    if (content.endsWith(QLatin1Char('\n')))
        content.chop(1);
    const QStringList words = content.isEmpty() ? QStringList() : content.split(QLatin1Char('\n'));
    if (words.size() % (m_languages + 1) != 0) {
        return QStringLiteral("The word list %1 holds %2 lines, not whole groups of %3")
            .arg(fileName).arg(words.size()).arg(m_languages + 1);
    }
    m_words = words;
    return {};
}

QList<QStringList> TBaseMultiLang::collect()
{
    QList<QStringList> grid;
    if (owner()) {
        QStringList form(m_languages + 1);
        form[0] = formId;
        form[m_activeLanguage + 1] = owner()->windowTitle();
        grid.append(form);
    }
    for (int row = 0; row < m_words.size(); row += m_languages + 1) {
        if (QObject *c = findComponent(m_words.at(row)))
            collectComponent(c, grid);
    }
    return grid;
}

// --- Settings that re-run the switch -----------------------------------------

void TBaseMultiLang::setDefaultLanguage(int value)
{
    if (value < 0 || value >= m_languages) {
        refuseLanguage();
        return;
    }
    if (value == m_defaultLanguage)
        return;
    m_defaultLanguage = value;
    if (!m_loading)
        switchTo(m_activeLanguage);
}

void TBaseMultiLang::setDefaultEnabled(bool value)
{
    if (value == m_defaultEnabled)
        return;
    m_defaultEnabled = value;
    if (!m_loading)
        switchTo(m_activeLanguage);
}

void TBaseMultiLang::setLanguages(int value)
{
    const int current = m_languages;
    if (value == current)
        return;
    if (value < current && !m_loading) {
        if (value <= 0) {
            inform(QStringLiteral("You have to provide at least 1 language."));
            return;
        }
        if (m_activeLanguage >= value) {
            if (!confirm(TPrompts::Icon::Confirmation,
                         QStringLiteral("You are decreasing the number of languages.\n"
                                        "Entries for the removed language will be lost.\n"
                                        "The currently displayed language will be deleted, too.\n\n"
                                        "Do you really want to continue?")))
                return;
            switchTo(0);
        } else if (!confirm(TPrompts::Icon::Confirmation,
                            QStringLiteral("You are decreasing the number of languages.\n"
                                           "Entries for the removed language will be lost.\n\n"
                                           "Continue?"))) {
            return;
        }
    }
    if (value <= 0)
        return; // a stored count of none would leave groups without an id
    if (value < current)
        removeLanguages(value, current);
    else
        appendLanguages(value - current);
    m_languages = value;
    m_activeLanguage = qMin(m_activeLanguage, value - 1);
    m_defaultLanguage = qMin(m_defaultLanguage, value - 1);
}

void TBaseMultiLang::removeLanguages(int from, int to)
{
    const int group = m_languages + 1;
    for (int start = (m_words.size() / group - 1) * group; start >= 0; start -= group)
        m_words.remove(start + 1 + from, to - from);
}

void TBaseMultiLang::appendLanguages(int count)
{
    const int group = m_languages + 1;
    for (int start = (m_words.size() / group - 1) * group; start >= 0; start -= group) {
        for (int i = 0; i < count; ++i)
            m_words.insert(start + group, QStringLiteral("?"));
    }
}

void TBaseMultiLang::setSwitchPositions(SwitchPositionsMode value)
{
    if (value == m_switchPositions)
        return;
    if (value == spNone) {
        for (int i = m_positions.size() - 1; i >= 0; --i) {
            if (positionsDiffer(m_positions.at(i))
                && !confirm(TPrompts::Icon::Warning,
                            QStringLiteral("You are going to drop the positions.\n"
                                           "Currently different values are stored for each language,\n"
                                           "Do you want to drop these values?"))) {
                inform(QStringLiteral("Cancelled."));
                return;
            }
        }
        m_positions.clear();
    } else if (value == spControlsOnly && m_switchPositions == spFormAndControls) {
        const int form = positionEntry(formId + QLatin1Char(','));
        if (form >= 0) {
            if (positionsDiffer(m_positions.at(form))
                && !confirm(TPrompts::Icon::Warning,
                            QStringLiteral("You are going to drop the positions for the form.\n"
                                           "Currently different values are stored for each language.\n"
                                           "Do you want to drop these values?"))) {
                inform(QStringLiteral("Cancelled."));
                return;
            }
            m_positions.removeAt(form);
        }
    }
    m_switchPositions = value;
}

// --- Fonts per language -----------------------------------------------------
// A Qt font has a family but no character set; it counts as the platform's
// default set (1).

void TBaseMultiLang::saveFont()
{
    if (!owner() || m_activeLanguage >= m_languages)
        return;
    const QString value = owner()->font().family() + QStringLiteral(",1");
    while (m_charSets.size() < m_languages)
        m_charSets.append(value);
    m_charSets[m_activeLanguage] = value;
}

void TBaseMultiLang::applyFont()
{
    if (!owner() || m_activeLanguage >= m_charSets.size())
        return;
    const QString entry = m_charSets.at(m_activeLanguage);
    const qsizetype comma = entry.indexOf(QLatin1Char(','));
    const QString family = comma < 0 ? entry : entry.left(comma);
    bool parsed = false;
    entry.mid(comma + 1).trimmed().toInt(&parsed);
    if (comma < 0 || !parsed) {
        throw TMultiLangError(
            QStringLiteral("The font entry \"%1\" has no character-set number").arg(entry).toStdString());
    }
    // A font the system lacks is stood in for by the window's own.
    if (family != owner()->font().family() && QFontDatabase::hasFamily(family)) {
        QFont font = owner()->font();
        font.setFamily(family);
        owner()->setFont(font);
    }
}

// --- Positions per language -------------------------------------------------

QString TBaseMultiLang::positionKey(QObject *component, bool isOwner) const
{
    return (isOwner ? formId : component->objectName().toLower()) + QLatin1Char(',');
}

int TBaseMultiLang::positionEntry(const QString &key) const
{
    for (int i = m_positions.size() - 1; i >= 0; --i) {
        if (m_positions.at(i).startsWith(key))
            return i;
    }
    return -1;
}

bool TBaseMultiLang::positionsDiffer(const QString &entry) const
{
    const QStringList parts = entry.split(QLatin1Char(','));
    for (int i = 2; i < parts.size(); ++i) {
        if (parts.at(i) != parts.at(1))
            return true;
    }
    return false;
}

void TBaseMultiLang::storePosition(QObject *component, bool isOwner)
{
    const bool wanted = isOwner ? m_switchPositions == spFormAndControls : m_switchPositions != spNone;
    auto *widget = qobject_cast<QWidget *>(component);
    if (!wanted || !widget || m_activeLanguage >= m_languages)
        return;
    const QString value = QStringLiteral("%1.%2.%3.%4")
                              .arg(widget->x()).arg(widget->y()).arg(widget->width()).arg(widget->height());
    const QString key = positionKey(component, isOwner);
    const int index = positionEntry(key);
    if (index >= 0) {
        QStringList parts = m_positions.at(index).split(QLatin1Char(','));
        while (parts.size() < m_languages + 1)
            parts.append(QString());
        parts[m_activeLanguage + 1] = value;
        m_positions[index] = parts.join(QLatin1Char(','));
    } else {
        QStringList parts{key.chopped(1)};
        for (int i = 0; i < m_languages; ++i)
            parts.append(value);
        m_positions.append(parts.join(QLatin1Char(',')));
    }
}

void TBaseMultiLang::restorePosition(QObject *component, bool isOwner)
{
    const bool wanted = isOwner ? m_switchPositions == spFormAndControls : m_switchPositions != spNone;
    auto *widget = qobject_cast<QWidget *>(component);
    if (!wanted || !widget)
        return;
    const int index = positionEntry(positionKey(component, isOwner));
    if (index < 0)
        return;
    const QStringList parts = m_positions.at(index).split(QLatin1Char(','));
    if (m_activeLanguage + 1 >= parts.size())
        return;
    const QStringList numbers = parts.at(m_activeLanguage + 1).split(QLatin1Char('.'));
    if (numbers.size() != 4)
        return;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = numbers.at(i).toInt(&ok);
        if (!ok)
            return; // an unreadable stored value leaves the control where it is
    }
    if (isOwner) {
        widget->move(v[0], v[1]);
        widget->resize(v[2], v[3]);
    } else {
        widget->setGeometry(v[0], v[1], v[2], v[3]);
    }
}
