#include "service/xfcc_types.h"

QString ResultToString(Result result)
{
    switch (result) {
    case Result::WhiteWins: return QStringLiteral("1-0");
    case Result::BlackWins: return QStringLiteral("0-1");
    case Result::Draw: return QStringLiteral("1/2-1/2");
    case Result::WhiteWinAdjudicated: return QStringLiteral("1-0 {Adjudicated}");
    case Result::BlackWinAdjudicated: return QStringLiteral("0-1 {Adjudicated}");
    case Result::DrawAdjudicated: return QStringLiteral("1/2-1/2 {Adjudicated}");
    case Result::WhiteDefaulted: return QStringLiteral("* White defaulted");
    case Result::BlackDefaulted: return QStringLiteral("* Black Defaulted");
    case Result::BothDefaulted: return QStringLiteral("* Both defaulted");
    case Result::Cancelled: return QStringLiteral("* Cancelled");
    case Result::Ongoing:
    case Result::AdjudicationPending:
    case Result::Other:
        break;
    }
    return QStringLiteral("*");
}
