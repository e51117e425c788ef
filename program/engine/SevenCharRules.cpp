// Exception rules of seventh characters: parsing of rule texts such as "6:7;6:8" and the test
// of a code against them.
#include "DelimitedText.h"
#include "TabularModel.h"

#include <stdexcept>

static int StrictToInt(const QString& AText) {
    bool ok = false;
    const int value = AText.toInt(&ok, 10);
    if (!ok)
        throw std::invalid_argument("exception rule position is not an integer: " +
                                    AText.toStdString());
    return value;
}

void TCharDef::SetException(const QString& AExceptionDesc) {
    for (const QString& item : SplitDelimitedText(AExceptionDesc, QLatin1Char(';'))) {
        if (item.size() <= 2)
            continue;
        const QStringList parts = SplitDelimitedText(item, QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        const int position = StrictToInt(parts[0]);
        const QString value = TrimControl(parts[1]);
        if (position > 3 && position < 7 && value.size() == 1) {
            auto rule = std::make_unique<TCharDefExcption>();
            rule->FCodePos = position;
            rule->FCodeVal = value[0];
            FDefExceptionList.push_back(std::move(rule));
        }
    }
}

bool TCharDef::InExceptionRule(const QString& ACode) const {
    for (const auto& rule : FDefExceptionList)
        if (ACode.size() > rule->FCodePos && ACode[rule->FCodePos] == rule->FCodeVal)
            return true;
    return false;
}
