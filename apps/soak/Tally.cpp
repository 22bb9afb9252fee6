#include "Tally.h"

#include <QStringList>

QString Tally::name(Operation operation)
{
    switch (operation) {
    case Operation::LocalRead: return QStringLiteral("local read");
    case Operation::LocalWrite: return QStringLiteral("local write");
    case Operation::RemoteConnect: return QStringLiteral("remote connect");
    case Operation::RemoteRead: return QStringLiteral("remote read");
    case Operation::RemoteWrite: return QStringLiteral("remote write");
    case Operation::BootloaderUpgrade: return QStringLiteral("bootloader upgrade");
    case Operation::LegacyUpload: return QStringLiteral("legacy upload");
    case Operation::RefusedFirmware: return QStringLiteral("refused firmware file");
    }
    return {};
}

void Tally::count(Operation operation, Outcome outcome, qint64 faultsStruck)
{
    TallyRow &r = row(operation);
    ++r.exchanges;
    r.faultsStruck += faultsStruck;
    r.withFaults += faultsStruck > 0;
    switch (outcome) {
    case Outcome::Succeeded: ++r.succeeded; break;
    case Outcome::Reported: ++r.reported; break;
    case Outcome::Unreported: ++r.unreported; break;
    case Outcome::Unchecked: ++r.unchecked; break;
    case Outcome::CutOff: ++r.cutOff; break;
    }
}

TallyRow Tally::total() const
{
    TallyRow t;
    for (const TallyRow &r : rows_) {
        t.exchanges += r.exchanges;
        t.succeeded += r.succeeded;
        t.reported += r.reported;
        t.unreported += r.unreported;
        t.unchecked += r.unchecked;
        t.cutOff += r.cutOff;
        t.halfApplied += r.halfApplied;
        t.leftErased += r.leftErased;
        t.faultsStruck += r.faultsStruck;
        t.withFaults += r.withFaults;
    }
    return t;
}

bool Tally::failed() const
{
    const TallyRow t = total();
    return t.unreported > 0 || t.halfApplied > 0 || t.leftErased > 0;
}

QString Tally::table() const
{
    const QStringList header{QStringLiteral("exchange"),         QStringLiteral("count"),
                             QStringLiteral("with faults"),      QStringLiteral("faults struck"),
                             QStringLiteral("succeeded"),        QStringLiteral("failed, reported"),
                             QStringLiteral("failed, NOT reported"), QStringLiteral("unchecked by protocol"),
                             QStringLiteral("cut off"),          QStringLiteral("half-applied"),
                             QStringLiteral("left erased")};
    QList<QStringList> lines{header};
    const auto line = [](const QString &name, const TallyRow &r) {
        return QStringList{name,
                           QString::number(r.exchanges),
                           QString::number(r.withFaults),
                           QString::number(r.faultsStruck),
                           QString::number(r.succeeded),
                           QString::number(r.reported),
                           QString::number(r.unreported),
                           QString::number(r.unchecked),
                           QString::number(r.cutOff),
                           QString::number(r.halfApplied),
                           QString::number(r.leftErased)};
    };
    for (int i = 0; i < operationCount; ++i)
        lines.append(line(name(Operation(i)), rows_[size_t(i)]));
    lines.append(line(QStringLiteral("total"), total()));

    QList<qsizetype> widths(header.size(), 0);
    for (const QStringList &l : lines)
        for (qsizetype c = 0; c < l.size(); ++c)
            widths[c] = std::max(widths[c], l[c].size());
    QString text;
    const auto rule = [&] {
        QString r = QStringLiteral("+");
        for (qsizetype w : widths)
            r += QString(w + 2, u'-') + u'+';
        return r + u'\n';
    };
    text += rule();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString row = QStringLiteral("|");
        for (qsizetype c = 0; c < lines[i].size(); ++c)
            row += u' ' + (c == 0 ? lines[i][c].leftJustified(widths[c]) : lines[i][c].rightJustified(widths[c]))
                   + QStringLiteral(" |");
        text += row + u'\n';
        if (i == 0 || i == lines.size() - 2)
            text += rule();
    }
    return text + rule();
}
