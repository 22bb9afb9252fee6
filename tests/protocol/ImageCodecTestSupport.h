#pragma once

#include "params/Catalogue.h"
#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"

#include <QByteArray>
#include <QString>
#include <ostream>

// The byte at a 1-based position of an image, unsigned.
inline int imageByte(const QByteArray &image, int position)
{
    return quint8(image.at(position - 1));
}

inline void setImageByte(QByteArray &image, int position, int value)
{
    image[position - 1] = char(value);
}

struct ModelDefaults {
    ParameterSet set;
    ParameterStatus status;
};

inline ModelDefaults defaultsOf(CommunicatorModel model)
{
    ModelDefaults defaults;
    applyDefaults(defaults.set, defaults.status, model);
    return defaults;
}

inline std::ostream &operator<<(std::ostream &out, const ParameterValue &v)
{
    return out << "{index " << v.index << ", flag " << v.flag << ", text \"" << v.text.toStdString() << "\", unit "
               << v.unit << ", bits 0x" << std::hex << v.bits << std::dec << "}";
}

inline void PrintTo(CommunicatorModel model, std::ostream *out)
{
    *out << modelName(model).toStdString();
}
