#pragma once

#include "params/CommunicatorModel.h"

#include <QtGlobal>

// The model selector's two flags: new model (TKV-C2 and TKV-C3) and TKV-C3.
struct ModelFlags {
    bool newModel = false;
    bool tkvC3 = false;

    CommunicatorModel model() const
    {
        if (tkvC3)
            return CommunicatorModel::TkvC3;
        return newModel ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC;
    }
    void select(CommunicatorModel model)
    {
        newModel = model != CommunicatorModel::TkvC;
        tkvC3 = model == CommunicatorModel::TkvC3;
    }
    // Length of the identification reply that completes an identification.
    int identificationLength() const { return tkvC3 ? 34 : (newModel ? 19 : 13); }
    // "v" asks a TKV-C3, "V" every other device.
    quint8 identificationRequest() const { return tkvC3 ? 'v' : 'V'; }
};
