#pragma once

#include <QString>
#include <optional>

// The three communicator models; each has its own parameter layout and defaults.
enum class CommunicatorModel { TkvC = 0, TkvC2 = 1, TkvC3 = 2 };

inline QString modelName(CommunicatorModel model)
{
    switch (model) {
    case CommunicatorModel::TkvC: return QStringLiteral("TKV-C");
    case CommunicatorModel::TkvC2: return QStringLiteral("TKV-C2");
    case CommunicatorModel::TkvC3: return QStringLiteral("TKV-C3");
    }
    return {};
}

inline std::optional<CommunicatorModel> modelFromName(const QString &name)
{
    for (auto model : {CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3})
        if (name.compare(modelName(model), Qt::CaseInsensitive) == 0)
            return model;
    return std::nullopt;
}
