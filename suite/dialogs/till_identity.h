#pragma once

#include <QDateTime>
#include <QString>

namespace tmk {

// Who and where the dialogs work for: the till's keys from its parameter file
// ("PARAMETROSKOV.CDS": CDFILIAL, CDLOJA, CDCAIXA, CDCLIENTE, DTABERCAIXA,
// VRCOMISVENDA, CDPRODCOUVER, ctCancItemGen) and the
// operator signed in ("Dados/Cadastros/ControleAcess.cds": CDOPERADOR, NMOPERADOR).
struct TillIdentity {
    QString cdFilial;
    QString cdLoja;
    QString cdCaixa;
    QString cdCliente; // the till's default client
    QDateTime dtAberCaixa;
    QString cdOperador;
    QString nmOperador;
    // The service charge in percent (VRCOMISVENDA) and the cover charge's product
    // (CDPRODCOUVER); 0 and empty when the parameter file has none.
    double taxaServico = 0;
    QString cdProdCouvert;
    // The access code of item cancellation (ctCancItemGen); 0 when the file has none.
    int ctCancItemGen = 0;

    // Reads the till folder's files. AppError naming the file when the parameter file is
    // missing or damaged, or lacks the branch or store; a missing operator file leaves
    // the operator empty.
    static TillIdentity read();
};

} // namespace tmk
