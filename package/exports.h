#pragma once

#include <QString>
#include <QVariantList>

namespace tmk {
class TfrmGerMesa;
}

// What the table module exports by name.
extern "C" {

// Shows the table map modally; result (ten elements) says what the host does next.
Q_DECL_EXPORT void CriaGerenciaMesa(const QVariantList& params, int lastIndex,
                                    QVariantList& result);
// Receives the counter sale the host took on the store's counter table, its bill
// requested, through the same payment dialog and sales service as a table.
Q_DECL_EXPORT bool RecebeVendaBalcao(const QString& nrMesa);
// The till folder of this process (the executable's folder by default).
Q_DECL_EXPORT void DefinePastaCaixa(const QString& folder);
// Releases the screen, the suite's stand-ins and the data module; the host calls it
// before it ends.
Q_DECL_EXPORT void FinalizaModulo();

// Flags other modules of the suite may read.
Q_DECL_EXPORT extern tmk::TfrmGerMesa* frmGerMesa;
Q_DECL_EXPORT extern bool boIdCriado;
Q_DECL_EXPORT extern bool boClose;
Q_DECL_EXPORT extern bool boComanPorPes;
Q_DECL_EXPORT extern bool boResultado;
}
