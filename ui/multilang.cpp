#include "ui/multilang.h"

#include "ui/filedialogtexts.h"
#include "ui/radiogroup.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

namespace {

// The kinds of control, in the order in which they are recognised.
enum class Kind {
    ListBox, LabeledEdit, Window, RadioGroup, Memo, Tabs, TreeView, ListView,
    StatusBar, Header, ComboBox, FileDialog, MenuItem, Other
};

bool isListView(const QObject *c)
{
    if (auto *list = qobject_cast<const QListView *>(c))
        return list->viewMode() == QListView::IconMode;
    if (auto *tree = qobject_cast<const QTreeView *>(c))
        return !tree->rootIsDecorated();
    return qobject_cast<const QTableView *>(c);
}

Kind kindOf(const QObject *c, bool hasBuddyLabel)
{
    if (qobject_cast<const QListView *>(c) && !isListView(c))
        return Kind::ListBox;
    if (qobject_cast<const QLineEdit *>(c) && hasBuddyLabel)
        return Kind::LabeledEdit;
    if (qobject_cast<const QFileDialog *>(c) || qobject_cast<const TFileDialogTexts *>(c))
        return Kind::FileDialog;
    if (qobject_cast<const QMenu *>(c) || qobject_cast<const QAction *>(c))
        return Kind::MenuItem;
    if (auto *w = qobject_cast<const QWidget *>(c); w && w->isWindow())
        return Kind::Window;
    if (qobject_cast<const TRadioGroup *>(c))
        return Kind::RadioGroup;
    if (qobject_cast<const QPlainTextEdit *>(c) || qobject_cast<const QTextEdit *>(c))
        return Kind::Memo;
    if (qobject_cast<const QTabBar *>(c) || qobject_cast<const QTabWidget *>(c))
        return Kind::Tabs;
    if (qobject_cast<const QTreeView *>(c) && !isListView(c))
        return Kind::TreeView;
    if (isListView(c))
        return Kind::ListView;
    if (qobject_cast<const QStatusBar *>(c))
        return Kind::StatusBar;
    if (qobject_cast<const QHeaderView *>(c))
        return Kind::Header;
    if (qobject_cast<const QComboBox *>(c))
        return Kind::ComboBox;
    return Kind::Other;
}

// The caption of a control: a window's title, a group's title, the text of a
// label, button or action.
const char *captionProperty(const QObject *c)
{
    if (auto *w = qobject_cast<const QWidget *>(c); w && w->isWindow())
        return "windowTitle";
    if (qobject_cast<const QLabel *>(c) || qobject_cast<const QAbstractButton *>(c)
        || qobject_cast<const QAction *>(c))
        return "text";
    if (c->metaObject()->indexOfProperty("title") >= 0)
        return "title";
    return nullptr;
}

// The Text of a control: what is typed into an edit field.
const char *textProperty(const QObject *c)
{
    if (qobject_cast<const QLineEdit *>(c))
        return "text";
    if (qobject_cast<const QPlainTextEdit *>(c) || qobject_cast<const QTextEdit *>(c))
        return "plainText";
    return nullptr;
}

bool hasHint(const QObject *c)
{
    return qobject_cast<const QWidget *>(c) || qobject_cast<const QAction *>(c);
}

QString memoText(const QObject *c)
{
    return c->property("plainText").toString();
}

// The items of a list, the nodes of a tree or the rows of a list view, as
// model indexes in the order the rows of Words address them.
void treeNodes(const QAbstractItemModel *model, const QModelIndex &parent, QList<QModelIndex> &out)
{
    for (int r = 0; r < model->rowCount(parent); ++r) {
        const QModelIndex node = model->index(r, 0, parent);
        out.append(node);
        treeNodes(model, node, out);
    }
}

// Sorting is off while texts change, so rows keep the order Words addresses.
class SortingPause
{
public:
    explicit SortingPause(QObject *view) : m_view(view)
    {
        m_wasOn = m_view->property("sortingEnabled").toBool();
        if (m_wasOn)
            m_view->setProperty("sortingEnabled", false);
    }
    ~SortingPause()
    {
        if (m_wasOn)
            m_view->setProperty("sortingEnabled", true);
    }
    SortingPause(const SortingPause &) = delete;
    SortingPause &operator=(const SortingPause &) = delete;

private:
    QObject *m_view;
    bool m_wasOn = false;
};

QList<QLabel *> statusPanels(const QStatusBar *bar)
{
    return bar->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

TMultiLang::TMultiLang(QWidget *owner)
    : TBaseMultiLang(owner)
{
    setObjectName(QStringLiteral("translator"));
}

QObject *TMultiLang::buddyLabel(QObject *edit) const
{
    if (!qobject_cast<QLineEdit *>(edit))
        return nullptr;
    for (QObject *c : components()) {
        auto *label = qobject_cast<QLabel *>(c);
        if (label && label->buddy() == edit)
            return label;
    }
    return nullptr;
}

bool TMultiLang::mayTranslate(QObject *component) const
{
    if (translateEdits() == teAlways)
        return true;
    if (auto *tool = qobject_cast<QToolButton *>(component); tool && tool->defaultAction())
        return false;
    const bool editLike = qobject_cast<QPlainTextEdit *>(component) || qobject_cast<QTextEdit *>(component)
        || (qobject_cast<QLineEdit *>(component) && !buddyLabel(component));
    if (!editLike)
        return true;
    return translateEdits() == teReadOnly && component->property("readOnly").toBool();
}

void TMultiLang::applyList(int &row, int count, const std::function<void(int, const QString &)> &set)
{
    QString text;
    if (count <= 0 || !take(row, text))
        return;
    set(0, text);
    int i = 1;
    for (; i < count && isDittoRow(row) && take(row, text); ++i)
        set(i, text);
    for (; i < count; ++i)
        set(i, QString());
}

void TMultiLang::applyDittoGated(int &row, int count,
                                 const std::function<void(int, const QString &)> &set)
{
    QString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !isDittoRow(row))
            return;
        if (!take(row, text))
            return;
        set(i, text);
    }
}

void TMultiLang::translateComponent(QObject *component, int &row)
{
    const int start = row;
    restorePosition(component, false);
    if (mayTranslate(component))
        applyTexts(component, row);
    if (!hasHint(component))
        return;
    QString text;
    if (row == start)
        take(row, text); // the component's own row, when no text used it
    if (isHintRow(row) && take(row, text) && !text.isEmpty())
        component->setProperty("toolTip", text);
}

void TMultiLang::applyTexts(QObject *c, int &row)
{
    QString text;
    switch (kindOf(c, buddyLabel(c))) {
    case Kind::ListBox: {
        auto *view = static_cast<QListView *>(c);
        QAbstractItemModel *model = view->model();
        if (!model)
            return;
        applyList(row, model->rowCount(), [model](int i, const QString &t) {
            model->setData(model->index(i, 0), t, Qt::DisplayRole);
        });
        return;
    }
    case Kind::LabeledEdit:
        if (take(row, text))
            buddyLabel(c)->setProperty("text", text);
        return;
    case Kind::Window:
        if (take(row, text))
            static_cast<QWidget *>(c)->setWindowTitle(text);
        return;
    case Kind::RadioGroup: {
        auto *group = static_cast<TRadioGroup *>(c);
        if (take(row, text))
            group->setTitle(text);
        applyList(row, group->items().size(),
                  [group](int i, const QString &t) { group->setItemText(i, t); });
        return;
    }
    case Kind::Memo: {
        QStringList lines = memoText(c).split(QLatin1Char('\n'));
        if (memoText(c).isEmpty())
            lines.clear();
        applyList(row, lines.size(), [&lines](int i, const QString &t) { lines[i] = t; });
        c->setProperty("plainText", lines.join(QLatin1Char('\n')));
        return;
    }
    case Kind::Tabs: {
        if (auto *bar = qobject_cast<QTabBar *>(c))
            applyList(row, bar->count(), [bar](int i, const QString &t) { bar->setTabText(i, t); });
        else if (auto *tabs = qobject_cast<QTabWidget *>(c))
            applyList(row, tabs->count(), [tabs](int i, const QString &t) { tabs->setTabText(i, t); });
        return;
    }
    case Kind::TreeView: {
        QAbstractItemModel *model = static_cast<QTreeView *>(c)->model();
        if (!model)
            return;
        SortingPause pause(c);
        QList<QModelIndex> nodes;
        treeNodes(model, {}, nodes);
        applyDittoGated(row, nodes.size(), [&](int i, const QString &t) {
            model->setData(nodes.at(i), t, Qt::DisplayRole);
        });
        return;
    }
    case Kind::ListView: {
        QAbstractItemModel *model = static_cast<QAbstractItemView *>(c)->model();
        if (!model)
            return;
        const int columns = model->columnCount();
        applyDittoGated(row, columns, [model](int i, const QString &t) {
            model->setHeaderData(i, Qt::Horizontal, t, Qt::DisplayRole);
        });
        SortingPause pause(c);
        for (int item = 0; item < model->rowCount() && isDittoRow(row); ++item) {
            if (!take(row, text))
                break;
            model->setData(model->index(item, 0), text, Qt::DisplayRole);
            applyList(row, columns - 1, [model, item](int i, const QString &t) {
                model->setData(model->index(item, i + 1), t, Qt::DisplayRole);
            });
        }
        return;
    }
    case Kind::StatusBar: {
        auto *bar = static_cast<QStatusBar *>(c);
        if (!take(row, text))
            return;
        if (text.isEmpty())
            bar->clearMessage();
        else
            bar->showMessage(text);
        const QList<QLabel *> panels = statusPanels(bar);
        for (int i = 0; i < panels.size() && isDittoRow(row) && take(row, text); ++i)
            panels.at(i)->setText(text);
        return;
    }
    case Kind::Header: {
        auto *header = static_cast<QHeaderView *>(c);
        QAbstractItemModel *model = header->model();
        if (!model)
            return;
        applyDittoGated(row, header->count(), [header, model](int i, const QString &t) {
            model->setHeaderData(i, header->orientation(), t, Qt::DisplayRole);
        });
        return;
    }
    case Kind::ComboBox: {
        auto *box = static_cast<QComboBox *>(c);
        const int chosen = box->currentIndex();
        applyList(row, box->count(), [box](int i, const QString &t) { box->setItemText(i, t); });
        box->setCurrentIndex(chosen);
        return;
    }
    case Kind::FileDialog:
        if (take(row, text))
            c->setProperty(qobject_cast<QFileDialog *>(c) ? "windowTitle" : "Title", text);
        if (take(row, text)) {
            if (auto *dialog = qobject_cast<QFileDialog *>(c))
                dialog->setNameFilter(TFileDialogTexts::toQtFilter(text));
            else
                static_cast<TFileDialogTexts *>(c)->setFilter(text);
        }
        return;
    case Kind::MenuItem:
        if (!take(row, text))
            return;
        if (auto *menu = qobject_cast<QMenu *>(c)) {
            menu->setTitle(text);
        } else {
            // "-" makes a separator, which shows no text of its own.
            auto *action = static_cast<QAction *>(c);
            action->setSeparator(text == QLatin1String("-"));
            action->setText(action->isSeparator() ? QString() : text);
        }
        return;
    case Kind::Other:
        if (const char *caption = captionProperty(c); caption && take(row, text))
            c->setProperty(caption, text);
        if (const char *property = textProperty(c); property && take(row, text))
            c->setProperty(property, text);
        return;
    }
}

void TMultiLang::collectComponent(QObject *c, QList<QStringList> &grid)
{
    QStringList texts;
    if (mayTranslate(c)) {
        switch (kindOf(c, buddyLabel(c))) {
        case Kind::ListBox:
        case Kind::TreeView:
            if (QAbstractItemModel *model = static_cast<QAbstractItemView *>(c)->model()) {
                QList<QModelIndex> nodes;
                treeNodes(model, {}, nodes);
                for (const QModelIndex &node : nodes)
                    texts.append(node.data().toString());
            }
            break;
        case Kind::LabeledEdit:
            texts.append(buddyLabel(c)->property("text").toString());
            break;
        case Kind::RadioGroup:
            texts.append(static_cast<TRadioGroup *>(c)->title());
            texts.append(static_cast<TRadioGroup *>(c)->items());
            break;
        case Kind::Memo:
            texts = memoText(c).split(QLatin1Char('\n'));
            break;
        case Kind::ListView:
        case Kind::Header:
            if (QAbstractItemModel *model = static_cast<QAbstractItemView *>(c)->model()) {
                const auto orientation = kindOf(c, false) == Kind::Header
                    ? static_cast<QHeaderView *>(c)->orientation() : Qt::Horizontal;
                const int count = orientation == Qt::Horizontal ? model->columnCount() : model->rowCount();
                for (int i = 0; i < count; ++i)
                    texts.append(model->headerData(i, orientation).toString());
            }
            break;
        case Kind::ComboBox:
            for (int i = 0; i < static_cast<QComboBox *>(c)->count(); ++i)
                texts.append(static_cast<QComboBox *>(c)->itemText(i));
            break;
        case Kind::Tabs:
            if (auto *bar = qobject_cast<QTabBar *>(c)) {
                for (int i = 0; i < bar->count(); ++i)
                    texts.append(bar->tabText(i));
            } else if (auto *tabs = qobject_cast<QTabWidget *>(c)) {
                for (int i = 0; i < tabs->count(); ++i)
                    texts.append(tabs->tabText(i));
            }
            break;
        case Kind::StatusBar:
            texts.append(static_cast<QStatusBar *>(c)->currentMessage());
            for (QLabel *panel : statusPanels(static_cast<QStatusBar *>(c)))
                texts.append(panel->text());
            break;
        case Kind::FileDialog:
            if (auto *dialog = qobject_cast<QFileDialog *>(c)) {
                texts << dialog->windowTitle() << dialog->nameFilters().join(QStringLiteral(";;"));
            } else {
                auto *dialogTexts = static_cast<TFileDialogTexts *>(c);
                texts << dialogTexts->title() << dialogTexts->filter();
            }
            break;
        case Kind::Window:
        case Kind::MenuItem:
        case Kind::Other:
            if (const char *caption = captionProperty(c))
                texts.append(c->property(caption).toString());
            if (const char *property = textProperty(c))
                texts.append(c->property(property).toString());
            break;
        }
    }
    auto addRow = [&](const QString &id, const QString &text) {
        QStringList row(languages() + 1);
        row[0] = id;
        row[activeLanguage() + 1] = text;
        grid.append(row);
    };
    for (int i = 0; i < texts.size(); ++i)
        addRow(i == 0 ? c->objectName() : QStringLiteral("\""), texts.at(i));
    const QString hint = hasHint(c) ? c->property("toolTip").toString() : QString();
    if (texts.isEmpty() && !hint.isEmpty())
        addRow(c->objectName(), QString());
    if (!hint.isEmpty())
        addRow(QStringLiteral("\".Hint"), hint);
}

void TMultiLang::followActivation(std::function<int()> source)
{
    m_languageSource = std::move(source);
    if (QWidget *window = owner()) {
        window->removeEventFilter(this);
        window->installEventFilter(this);
    }
}

void TMultiLang::followSource()
{
    const int language = m_languageSource();
    const bool valid = language >= 0 && language < languages();
    if (valid || language != m_refusedLanguage) {
        m_refusedLanguage = valid ? -1 : language;
        setActiveLanguage(language);
    }
}

bool TMultiLang::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == owner() && event->type() == QEvent::WindowActivate && m_languageSource)
        followSource();
    return TBaseMultiLang::eventFilter(watched, event);
}
