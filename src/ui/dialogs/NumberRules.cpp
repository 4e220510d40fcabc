#include "ui/dialogs/NumberRules.h"

#include <algorithm>

namespace sondex::number_rules {

int stepped(int value, int step) {
    const long long sum = static_cast<long long>(value) + step;
    return static_cast<int>(std::clamp<long long>(sum, kLowest, kHighest));
}

int raisedToMinimum(int value, int minCount) {
    return value != 0 && value < minCount ? minCount : value;
}

QString valueText(int value, const QString& msg0, const QString& unit) {
    return QString::number(value) + (msg0.isEmpty() ? QStringLiteral("個") : unit);
}

QString confirmationText(const QString& subject, int value, const QString& unit) {
    return subject + QStringLiteral("を、") + QLatin1Char('\n') + QString::number(value) + unit +
           QStringLiteral("に、設定します");
}

}  // namespace sondex::number_rules
