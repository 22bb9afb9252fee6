#include "compare/ComparisonRows.h"

#include "app/LanguageTable.h"
#include "compare/ComparisonLabels.h"

namespace {

const QString previousLead = QStringLiteral("  < ");
const QString newLead = QStringLiteral(" /  > ");

QString rightAligned(const QString &text, int width)
{
    return text.rightJustified(width, QLatin1Char(' '));
}

} // namespace

QString comparisonRow(const QString &label, int previousValue, int newValue)
{
    return label + previousLead + rightAligned(QString::number(previousValue), 5) + newLead
           + rightAligned(QString::number(newValue), 4);
}

QString comparisonHeader(const LanguageTable &texts)
{
    const QString compare = QStringLiteral("Compare");
    return texts.text(compare, 7).leftJustified(comparisonLabelWidth, QLatin1Char(' '), true) + previousLead
           + rightAligned(texts.text(compare, 8), 5).right(5) + newLead + rightAligned(texts.text(compare, 9), 5);
}

QString comparisonLogHeader()
{
    return QStringLiteral("Parameter").leftJustified(comparisonLabelWidth) + QStringLiteral("  < Orig. /  > New");
}
