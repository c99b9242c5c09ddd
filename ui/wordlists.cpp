#include "ui/wordlists.h"

#include "ui/multilang.h"

TMultiLang *createMultiLang(QWidget *window, const QString &wordList)
{
    auto *ml = new TMultiLang(window);
    ml->setLanguages(2);
    ml->setDefaultEnabled(true);
    ml->setCharSets({QStringLiteral("MS Sans Serif,1"), QStringLiteral("MS Sans Serif,1")});
    const QString failure = ml->loadWords(wordList);
    if (!failure.isEmpty()) {
        delete ml;
        throw TMultiLangError(failure.toStdString());
    }
    ml->afterLoad();
    return ml;
}
