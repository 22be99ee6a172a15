#pragma once

#include <QList>
#include <QVariantMap>

namespace tmk {

class ClientDataSet;

// Leaves the rows in cdsDadosAbertura as the opening dialog does. A dataset without
// structure first gets the six text columns NRVENDAREST, NRCOMANDA, DSCOMANDA,
// CDCLIENTE, CDVENDEDOR and CDCONSUMIDOR; former rows are dropped; the cursor ends
// on the first row.
void fillOpeningDataSet(ClientDataSet& dataSet, const QList<QVariantMap>& rows);

} // namespace tmk
