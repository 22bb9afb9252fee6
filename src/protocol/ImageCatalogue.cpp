#include "protocol/ImageCatalogue.h"

#include "params/Catalogue.h"

int entriesOf(const QString &id, CommunicatorModel model)
{
    const ParameterDef *row = findById(id);
    return row ? int(valuesOf(*row, model).size()) : 0;
}
