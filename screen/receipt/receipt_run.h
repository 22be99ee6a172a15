#pragma once

#include "external/dialogs.h"

#include <QString>

namespace tmk {

class TfrmGerMesa;
class ClientDataSet;

// One run of the receipt flow: the coupon it receives, what the stages found and what
// has been done already, so that nothing is done twice.
struct RecebimentoEmCurso {
    // The coupon.
    QString cdFilial;
    QString nrVendaRest;
    QString listaComandas;
    QString nrMesa;
    QString nrComanda;
    QString dsComanda;
    QString cdNatProduto; // empty: every nature
    qint32 qtCuponsRestantes = 0;

    // Found by the preparation: the sale's client and consumer (of its first item), the
    // campaign product the loyalty benefits come from.
    QString cdCliente;
    QString cdConsumidor;
    QString cdProdutoCamp;
    QString cdEmpresa;
    QString senhaCupom;
    QString idPagMobile = QStringLiteral("N");
    double vrTxServicoConta = 0;
    double vrTotalNatureza = 0;
    double vrTxServicoNatureza = 0;

    // The payment dialog's values (nrCupom holds the table on entry).
    RecebimentoArgs dialogo;
    QString origemVenda;

    // The conclusion.
    bool ultimoCupom = false;
    double vrTributos = 0;
    QString nrSeqVenda;
    bool falhou = false;
    QString erro; // what made it fail, when not shown already

    // Done once.
    bool vendaJaGravada = false;      // stored before: finished without the payment dialog
    bool retomada = false;            // this till's own claim, left by a receipt that did not end
    bool documentoAutorizado = false; // NFC-e authorised or CF-e accepted
    bool movMobVinculado = false;
    bool beneficiosLancados = false;
    bool tefConfirmado = false;
    bool verificacaoFeita = false; // the checks ran (whatever they answered)
    bool vendaVerificada = false;

    bool ultimo() const { return cdNatProduto.isEmpty() || qtCuponsRestantes == 1; }
};

// Puts a claimed table back to bill requested ("S") when the run ends without a settled
// sale, however it ends; a failure to do so is shown, never thrown.
class DevolveMesa {
public:
    DevolveMesa(TfrmGerMesa& tela, const RecebimentoEmCurso& r);
    ~DevolveMesa();
    DevolveMesa(const DevolveMesa&) = delete;
    DevolveMesa& operator=(const DevolveMesa&) = delete;

    // The table was settled (freed, or kept in "R" for the next coupon of the series).
    void dispensa() { ativo_ = false; }
    // Puts the table back now.
    void devolve();

private:
    TfrmGerMesa& tela_;
    QString cdFilial_;
    QString nrMesa_;
    bool ativo_ = true;
};

// The value of a column of the current row as trimmed text; empty for an empty or closed
// dataset.
QString campo(ClientDataSet& cds, const char* coluna);
// The value of a data-service operation called directly; a failure becomes an AppError.
QVariant direto(const QVariant& resultado);

} // namespace tmk
