#pragma once

#include "ui/basemultilang.h"

#include <functional>

// The translation component every translated window owns as "translator".
// It knows which texts each kind of Qt control has, in the order its rows in
// Words give them (the first text from the control's own row, the others from
// the ditto rows below it, the hint from a `".Hint` row last):
//
//   QListView/QListWidget (list mode)  its items; items without a row become empty
//   QLineEdit with a buddy QLabel      the label's text (a labelled edit)
//   window (top-level child widget)    its title
//   TRadioGroup                        its caption, then its items
//   QPlainTextEdit/QTextEdit           its lines
//   QTabBar/QTabWidget                 its tabs
//   QTreeView with root decoration     node texts, each further one on a ditto row
//   list view: QTreeView without root decoration, QTableView, QListView in
//   icon mode                          column headings, each further one on a
//                                      ditto row; then, while ditto rows follow,
//                                      an item caption and its sub-items
//   QStatusBar                         its message, then one QLabel panel per ditto row
//   QHeaderView                        section texts, each further one on a ditto row
//   QComboBox                          its items; the chosen index is kept
//   QFileDialog, TFileDialogTexts      title, then filter ("PGN files|*.pgn")
//   QAction, QMenu                     the caption; an action captioned "-" is a separator
//   anything else                      a caption (window title, title, or the text of
//                                      a label, button or action), then a Text
//                                      (an edit's text)
//
// Edit fields (QLineEdit, QPlainTextEdit, QTextEdit without a buddy label)
// take texts only as TranslateEdits allows; a tool button with a default
// action keeps the action's texts. Hints go to toolTip.
//
// Use in a window (see also ui/wordlists.h, which does the first lines):
//   auto *ml = new TMultiLang(window);   // objectName "translator"
//   ml->loadWords(":/words/x.words");
//   ml->afterLoad();                      // shows language 0
//   ml->followActivation([] { return settings.activeLanguage; });
//   ml->setActiveLanguage(settings.activeLanguage); // where a window applies
//                                                   // the setting at creation too
class TMultiLang : public TBaseMultiLang
{
    Q_OBJECT

public:
    explicit TMultiLang(QWidget *owner);

    // Switches the owner to source()'s language each time the owner window is
    // activated (until then it shows what it shows, language 0 after loading). A language out of range is reported once, not on
    // every activation that closing the report brings.
    void followActivation(std::function<int()> source);

protected:
    void translateComponent(QObject *component, int &row) override;
    void collectComponent(QObject *component, QList<QStringList> &grid) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mayTranslate(QObject *component) const;
    void applyTexts(QObject *component, int &row);
    void applyList(int &row, int count, const std::function<void(int, const QString &)> &set);
    void applyDittoGated(int &row, int count, const std::function<void(int, const QString &)> &set);
    QObject *buddyLabel(QObject *edit) const;
    void followSource();

    std::function<int()> m_languageSource;
    int m_refusedLanguage = -1;
};
