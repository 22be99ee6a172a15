#include "tests/fakes/opening_dataset.h"

#include "platform/client_dataset.h"

#include <QStringList>

namespace tmk {

void fillOpeningDataSet(ClientDataSet& dataSet, const QList<QVariantMap>& rows) {
    if (dataSet.fieldDefs().isEmpty()) {
        QList<FieldDef> defs;
        for (const char* name :
             {"NRVENDAREST", "NRCOMANDA", "DSCOMANDA", "CDCLIENTE", "CDVENDEDOR", "CDCONSUMIDOR"}) {
            defs.append(FieldDef{QString::fromLatin1(name), FieldType::Text, 0});
        }
        dataSet.setFieldDefs(defs);
        dataSet.createDataSet();
    } else if (!dataSet.active()) {
        dataSet.open();
    }
    dataSet.emptyDataSet();
    for (const QVariantMap& row : rows) {
        dataSet.append();
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            dataSet.fieldByName(it.key()).setValue(it.value());
        }
        dataSet.post();
    }
    dataSet.first();
}

} // namespace tmk
