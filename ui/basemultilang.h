#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

#include <stdexcept>

class QWidget;

// Raised for faults in the stored data that the caller of a switch must hear
// about: a CharSets entry whose number does not parse, a string library that
// cannot be loaded.
class TMultiLangError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The translation component's data and its language switch. It belongs to one
// window (its parent, the "owner") and keeps in `Words` the texts of that
// window's caption, controls and messages for every language:
//
//   Words is read in groups of Languages + 1 strings: an id, then one text per
//   language. The id is "%Form%" (the window caption), the name of one of the
//   owner's components (matched without regard to case), `"` (a ditto row: the
//   next text of the component above), `".Hint` (its hint), or an "@" id (a
//   program message, fetched with Translate).
//
// Assigning ActiveLanguage walks Words and applies every group to the owner's
// components; which texts a kind of control has is the business of the
// subclass (TMultiLang). Until afterLoad() the component counts as being
// loaded: assignments only store, as while a window is read from its stored
// description.
class TBaseMultiLang : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString About READ about STORED false CONSTANT)
    Q_PROPERTY(int DefaultLanguage READ defaultLanguage WRITE setDefaultLanguage)
    Q_PROPERTY(bool DefaultEnabled READ defaultEnabled WRITE setDefaultEnabled)
    Q_PROPERTY(int Languages READ languages WRITE setLanguages)
    Q_PROPERTY(int ActiveLanguage READ activeLanguage WRITE setActiveLanguage)
    Q_PROPERTY(QStringList Words READ words WRITE setWords)
    Q_PROPERTY(QStringList DoNot READ doNot WRITE setDoNot)
    Q_PROPERTY(SwitchPositionsMode SwitchPositions READ switchPositions WRITE setSwitchPositions)
    Q_PROPERTY(TranslateEditsMode TranslateEdits READ translateEdits WRITE setTranslateEdits)
    Q_PROPERTY(QStringList Positions READ positions WRITE setPositions)
    Q_PROPERTY(QStringList CharSets READ charSets WRITE setCharSets)

public:
    enum SwitchPositionsMode { spNone, spControlsOnly, spFormAndControls };
    Q_ENUM(SwitchPositionsMode)
    enum TranslateEditsMode { teNever, teReadOnly, teAlways };
    Q_ENUM(TranslateEditsMode)

    explicit TBaseMultiLang(QWidget *owner);
    ~TBaseMultiLang() override;

    QWidget *owner() const;

    QString about() const { return QStringLiteral("3.80"); }

    int defaultLanguage() const { return m_defaultLanguage; }
    void setDefaultLanguage(int value);
    bool defaultEnabled() const { return m_defaultEnabled; }
    void setDefaultEnabled(bool value);
    int languages() const { return m_languages; }
    void setLanguages(int value);
    int activeLanguage() const { return m_activeLanguage; }
    // The switch: applies language `value` to every text of the owner, also
    // when it is the language already shown.
    void setActiveLanguage(int value);

    QStringList words() const { return m_words; }
    void setWords(const QStringList &words) { m_words = words; }
    QStringList doNot() const { return m_doNot; }
    void setDoNot(const QStringList &list) { m_doNot = list; }
    SwitchPositionsMode switchPositions() const { return m_switchPositions; }
    void setSwitchPositions(SwitchPositionsMode value);
    TranslateEditsMode translateEdits() const { return m_translateEdits; }
    void setTranslateEdits(TranslateEditsMode value) { m_translateEdits = value; }
    QStringList positions() const { return m_positions; }
    void setPositions(const QStringList &list) { m_positions = list; }
    QStringList charSets() const { return m_charSets; }
    void setCharSets(const QStringList &list) { m_charSets = list; }

    // Reads Words from a file (a resource path such as ":/words/x.words"):
    // one string per line, UTF-8, whole groups only. On failure Words is kept
    // and the reason is returned; an empty text means success.
    QString loadWords(const QString &fileName);

    // The text of `id` in the active language, or in `language`; a language
    // out of range means the active one. A missing id comes back lower-cased.
    QString Translate(const QString &id);
    QString TranslateTo(const QString &id, int language);

    // Ends loading and shows language 0 (InitialLanguage), whatever
    // ActiveLanguage was stored.
    void afterLoad();
    bool isLoading() const { return m_loading; }

    // Every live component; nothing in the program walks it.
    static const QList<TBaseMultiLang *> &allInstances();
    static int initialLanguage() { return 0; }
    // Name of a Windows string library to load the words from; the program
    // never sets one, and no such library can be read on this platform.
    static QString &stringLibrary();

signals:
    // Asked before a switch; set *allowIt to false to refuse it. Connect directly.
    void beforeLanguageChange(int newLanguage, bool *allowIt);
    void afterLanguageChanged(int newLanguage);
    // Told when Translate finds no id; may replace *result. Connect directly.
    void idNotFoundError(const QString &id, QString *result);

protected:
    // Applies the rows of Words from `row` on to `component` and moves `row`
    // past every row it used.
    virtual void translateComponent(QObject *component, int &row) = 0;
    // The reverse, for an editing tool: appends the component's current texts
    // as rows (id, then one text per language, the active one filled in).
    virtual void collectComponent(QObject *component, QList<QStringList> &grid) = 0;

    // One take: the text of the group at `row` in the active language, with
    // the empty-text fallback; advances `row` by one group on success.
    bool take(int &row, QString &text) const;
    bool isDittoRow(int row) const;
    bool isHintRow(int row) const;

    // The owner's components: its descendants, leaving out the insides of
    // other windows that carry their own translation component.
    QList<QObject *> components() const;
    QObject *findComponent(const QString &name) const;

    void restorePosition(QObject *component, bool isOwner);

public:
    // Runs collectComponent over every component named in Words (editing tool).
    QList<QStringList> collect();

private:
    void switchTo(int value);
    void walk();
    void saveFont();
    void applyFont();
    void storePosition(QObject *component, bool isOwner);
    QString positionKey(QObject *component, bool isOwner) const;
    int positionEntry(const QString &key) const;
    bool positionsDiffer(const QString &entry) const;
    void removeLanguages(int from, int to);
    void appendLanguages(int count);

    int m_defaultLanguage = 0;
    bool m_defaultEnabled = false;
    int m_languages = 2;
    int m_activeLanguage = 0;
    QStringList m_words;
    QStringList m_doNot;
    SwitchPositionsMode m_switchPositions = spNone;
    TranslateEditsMode m_translateEdits = teReadOnly;
    QStringList m_positions;
    QStringList m_charSets;
    bool m_loading = true;
};
