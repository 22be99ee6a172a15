#include "suite/dialogs/payment_model.h"

#include "db/schema.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/dialogs_log.h"

#include <QRegularExpression>
#include <QVariantMap>

namespace tmk {

namespace {

QString textAt(const DataPacket& p, int row, const char* column) {
    const QVariant v = p.value(row, QString::fromLatin1(column));
    return v.isNull() ? QString() : v.toString().trimmed();
}

const char* const kColunasMovCaixa[] = {
    "CDFILIAL",        "NRSEQUMOVI",     "IDTIPOMOVIVE",    "DSMOVIVEND",     "NRSEQVENDA",
    "CDTIPORECE",      "DTHRINCMOV",     "DTDEPCHEQUE",     "NRCONTRAVALE",   "CDTIPOTROCO",
    "VRMOVIVEND",      "NMTIPORECE",     "NRORDTROCO",      "CDCLIENTE",      "CDCONSUMIDOR",
    "DTMOVIMCAIXA",    "VRMOVIVEOUT",    "VRCOTINDOUT",     "CDAGECHEQVEN",   "CDBANCHEQVEN",
    "CDCNTCHEQVEN",    "DTDEPCHEQVEN",   "NRCHEQUEVEND",    "DSIMPFISCAL",    "IDTIPORECE",
    "CDFPIMPFIS",      "NRCARTBANCO",    "CDBANCARTCR",     "CDTIPORECEORIG", "CDCCUSCLIE",
    "CDNSUHOSTTEF",    "NMTIPORECEORIG", "QTPARCRECEB",     "CDNATPRODUTO",   "TXPRIMVIATEF",
    "TXSEGVIATEF",     "NRCONTROLTEF",   "NMBANDTEF",       "NRAUTORIZATEF",  "IDFILAPAGMFE",
    "CDAUTORIZMFE",    "CDBINCARTMFE",   "NMINSTFINMFE",    "CDPAGAMENMFE",   "CDNSUTEF",
    "CDINTRESGSALDO",  "IDTIPORESGATE",  "CDCNPJRESGSALDO", "IDTRANSAME",     "IDTRANSAMECAPT",
    "CDCONSRESGSALDO", "DSCARTDIGITAL",  "VRSALDORESTCP",   "CDRESGSALDO",    "CDINSTCAR"};

} // namespace

QList<FieldDef> PaymentModel::camposMovCaixa() {
    QList<FieldDef> out;
    const db::Table* movCaixa = db::schema().table(QStringLiteral("MOVCAIXA"));
    for (const char* name : kColunasMovCaixa) {
        const db::Column* c = movCaixa ? movCaixa->column(QString::fromLatin1(name)) : nullptr;
        out << (c ? c->fieldDef() : FieldDef{QString::fromLatin1(name), FieldType::Text, 0});
    }
    return out;
}

PaymentModel::PaymentModel(const Setup& setup, TefTerminal* tef, Clock clock)
    : setup_(setup)
    , tef_(tef)
    , clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
    , conta_(accountLines(setup.itens)) {
    const DataPacket& t = setup.tiposRecebimento;
    for (int r = 0; r < t.rowCount(); ++r) {
        PaymentType p;
        p.cdTipoRece = textAt(t, r, "CDTIPORECE");
        p.nmTipoRece = textAt(t, r, "NMTIPORECE");
        p.idTipoRece = textAt(t, r, "IDTIPORECE");
        p.cdTipoTroco = textAt(t, r, "CDTIPOTROCO");
        p.nrOrdTroco = textAt(t, r, "NRORDTROCO");
        p.dsImpFiscal = textAt(t, r, "DSIMPFISCAL");
        p.cdFpImpFis = textAt(t, r, "CDFPIMPFIS");
        p.bandeira = textAt(t, r, "CDBANCARTCR").toUpper();
        if (p.cdTipoRece.isEmpty()) {
            continue;
        }
        if (p.idTipoRece == QLatin1String("4")) {
            p.kind = PaymentType::Kind::Dinheiro;
        } else if ((p.idTipoRece == QLatin1String("1") || p.idTipoRece == QLatin1String("2")) &&
                   !p.bandeira.isEmpty()) {
            p.kind = p.idTipoRece == QLatin1String("1") ? PaymentType::Kind::Credito
                                                        : PaymentType::Kind::Debito;
        } else {
            continue;
        }
        tipos_ << p;
    }
    const DataPacket& pag = setup.pagamentos;
    camposEntrada_ = pag.fields;
    for (int r = 0; r < pag.rowCount(); ++r) {
        if (textAt(pag, r, "IDTIPOMOVIVE") == QLatin1String("S")) {
            continue;
        }
        PaymentLine l;
        l.aplicativo = true;
        l.cdTipoRece = textAt(pag, r, "CDTIPORECE");
        l.nmTipoRece = textAt(pag, r, "NMTIPORECE");
        if (l.nmTipoRece.isEmpty()) {
            l.nmTipoRece = textAt(pag, r, "DSMOVIVEND");
        }
        l.idTipoRece = textAt(pag, r, "IDTIPORECE");
        l.valor = toCents(pag.value(r, QStringLiteral("VRMOVIVEND")).toDouble());
        l.linhaOriginal = pag.rows.at(r);
        linhas_ << l;
    }
}

const PaymentType* PaymentModel::tipo(const QString& cdTipoRece) const {
    for (const PaymentType& t : tipos_) {
        if (t.cdTipoRece == cdTipoRece) {
            return &t;
        }
    }
    return nullptr;
}

qint64 PaymentModel::pagoAplicativo() const {
    qint64 sum = 0;
    for (const PaymentLine& l : linhas_) {
        sum += l.aplicativo ? l.valor : 0;
    }
    return sum;
}

qint64 PaymentModel::pago() const {
    qint64 sum = 0;
    for (const PaymentLine& l : linhas_) {
        sum += l.valor;
    }
    return sum;
}

qint64 PaymentModel::falta() const {
    return qMax<qint64>(0, total() - pago());
}

qint64 PaymentModel::troco() const {
    return qMax<qint64>(0, pago() - total());
}

bool PaymentModel::usouCartao() const {
    for (const PaymentLine& l : linhas_) {
        if (l.cartao) {
            return true;
        }
    }
    return false;
}

qint64 PaymentModel::valorDigitado(const QString& texto) {
    const QString t = texto.trimmed();
    static const QRegularExpression whole(QStringLiteral("^\\d+$"));
    static const QRegularExpression decimal(QStringLiteral("^\\d+[,.]\\d{1,2}$"));
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(\\.\\d{3})+(,\\d{1,2})?$"));
    static const QRegularExpression negative(QStringLiteral("^-\\s*[\\d.,]+$"));
    if (negative.match(t).hasMatch()) {
        throw AppError(QStringLiteral("O valor do pagamento deve ser maior que zero."));
    }
    QString c;
    if (whole.match(t).hasMatch()) {
        c = t;
    } else if (decimal.match(t).hasMatch()) {
        c = QString(t).replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (grouped.match(t).hasMatch()) {
        c = QString(t).remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.'));
    } else {
        throw AppError(
            QStringLiteral("Valor inválido: \"%1\". Informe o valor em reais, por exemplo "
                           "12,50.")
                .arg(t));
    }
    if (c.size() > 15) {
        throw AppError(QStringLiteral("Valor acima do limite de um pagamento (%1).")
                           .arg(reais(kMaiorPagamento)));
    }
    const qint64 v = toCents(parseAmountText(c));
    if (v <= 0) {
        throw AppError(QStringLiteral("O valor do pagamento deve ser maior que zero."));
    }
    if (v > kMaiorPagamento) {
        throw AppError(QStringLiteral("Valor acima do limite de um pagamento (%1).")
                           .arg(reais(kMaiorPagamento)));
    }
    return v;
}

PaymentModel::Outcome PaymentModel::pagar(const QString& cdTipoRece, const QString& valorTexto) {
    const PaymentType* t = tipo(cdTipoRece);
    if (!t) {
        throw AppError(
            QStringLiteral("Forma de pagamento %1 não disponível neste caixa.").arg(cdTipoRece));
    }
    if (quitado()) {
        throw AppError(QStringLiteral("A conta já está paga."));
    }
    const qint64 valor = valorTexto.trimmed().isEmpty() ? falta() : valorDigitado(valorTexto);
    PaymentLine l;
    l.cdTipoRece = t->cdTipoRece;
    l.nmTipoRece = t->nmTipoRece;
    l.idTipoRece = t->idTipoRece;
    l.valor = valor;
    if (t->kind == PaymentType::Kind::Dinheiro) {
        linhas_ << l;
        return {true, {}};
    }
    if (valor > falta()) {
        throw AppError(
            QStringLiteral("O valor no cartão (%1) não pode passar do que falta pagar (%2).")
                .arg(reais(valor), reais(falta())));
    }
    if (!tef_) {
        throw AppError(QStringLiteral("Este caixa não tem TEF para pagamentos com cartão."));
    }
    const TefResult r = tef_->autorizar(fromCents(valor),
                                        t->kind == PaymentType::Kind::Debito ? TefCardKind::Debito
                                                                             : TefCardKind::Credito,
                                        t->bandeira);
    if (!r.aprovada) {
        qCInfo(lcSuiteDialogs).noquote() << "card declined:" << r.motivo;
        return {false, QStringLiteral("Cartão recusado: %1").arg(r.motivo)};
    }
    l.cartao = true;
    l.transacao = r.transacao;
    linhas_ << l;
    return {true, {}};
}

void PaymentModel::remover(int linha) {
    if (linha < 0 || linha >= linhas_.size()) {
        throw AppError(QStringLiteral("Selecione o pagamento a remover."));
    }
    const PaymentLine& l = linhas_.at(linha);
    if (l.aplicativo) {
        throw AppError(QStringLiteral("Um pagamento feito pelo aplicativo não pode ser removido."));
    }
    if (l.cartao) {
        throw AppError(
            QStringLiteral("Um pagamento com cartão não pode ser removido. Para desfazê-lo, "
                           "cancele o recebimento."));
    }
    linhas_.removeAt(linha);
}

int PaymentModel::abandonar() {
    int undone = 0;
    if (usouCartao() && tef_) {
        undone = tef_->desfazerPendentes();
        qCInfo(lcSuiteDialogs) << "receipt abandoned;" << undone << "card transactions undone";
    }
    QList<PaymentLine> kept;
    for (const PaymentLine& l : linhas_) {
        if (l.aplicativo) {
            kept << l;
        }
    }
    linhas_ = kept;
    return undone;
}

DataPacket PaymentModel::pagamentosPacket() const {
    DataPacket p;
    p.fields = camposEntrada_;
    for (const FieldDef& f : camposMovCaixa()) {
        if (p.fieldIndex(f.name) < 0) {
            p.fields << f;
        }
    }
    const QString cdFilial = setup_.itens.value(0, QStringLiteral("CDFILIAL")).toString().trimmed();
    const QDateTime agora = clock_();
    const QDateTime dia(agora.date(), QTime(0, 0));
    const auto add = [&p](const QVariantMap& values) {
        QVariantList row(p.fields.size());
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            const int i = p.fieldIndex(it.key());
            if (i >= 0) {
                row[i] = coerceToFieldType(it.value(), p.fields.at(i).type, it.key());
            }
        }
        p.rows << row;
    };
    const auto base = [&](const PaymentType* t) {
        QVariantMap m{{QStringLiteral("CDFILIAL"), cdFilial},
                      {QStringLiteral("IDTIPOMOVIVE"), QStringLiteral("E")},
                      {QStringLiteral("DTHRINCMOV"), agora},
                      {QStringLiteral("DTMOVIMCAIXA"), dia},
                      {QStringLiteral("VRMOVIVEOUT"), 0.0},
                      {QStringLiteral("VRCOTINDOUT"), 0.0},
                      {QStringLiteral("QTPARCRECEB"), 1.0},
                      {QStringLiteral("IDTIPORESGATE"), QStringLiteral("N")},
                      {QStringLiteral("VRSALDORESTCP"), 0.0}};
        if (!setup_.cdCliente.isEmpty()) {
            m.insert(QStringLiteral("CDCLIENTE"), setup_.cdCliente);
        }
        if (!setup_.cdConsumidor.isEmpty()) {
            m.insert(QStringLiteral("CDCONSUMIDOR"), setup_.cdConsumidor);
        }
        if (t) {
            m.insert(QStringLiteral("CDTIPORECE"), t->cdTipoRece);
            m.insert(QStringLiteral("NMTIPORECE"), t->nmTipoRece);
            m.insert(QStringLiteral("IDTIPORECE"), t->idTipoRece);
            m.insert(QStringLiteral("CDTIPOTROCO"), t->cdTipoTroco);
            m.insert(QStringLiteral("NRORDTROCO"), t->nrOrdTroco);
            m.insert(QStringLiteral("DSIMPFISCAL"), t->dsImpFiscal);
            m.insert(QStringLiteral("CDFPIMPFIS"), t->cdFpImpFis);
            m.insert(QStringLiteral("DSMOVIVEND"), t->nmTipoRece);
            if (!t->bandeira.isEmpty()) {
                m.insert(QStringLiteral("CDBANCARTCR"), t->bandeira);
            }
        }
        return m;
    };
    const PaymentType* dinheiro = nullptr;
    for (const PaymentLine& l : linhas_) {
        if (l.aplicativo) {
            QVariantList row(p.fields.size());
            for (int c = 0; c < camposEntrada_.size(); ++c) {
                row[c] = l.linhaOriginal.value(c);
            }
            p.rows << row;
            continue;
        }
        const PaymentType* t = tipo(l.cdTipoRece);
        if (t && t->kind == PaymentType::Kind::Dinheiro) {
            dinheiro = t;
        }
        QVariantMap m = base(t);
        m.insert(QStringLiteral("VRMOVIVEND"), fromCents(l.valor));
        if (l.cartao) {
            const TefTransaction& x = l.transacao;
            m.insert(QStringLiteral("CDNSUHOSTTEF"), x.nsu);
            m.insert(QStringLiteral("CDNSUTEF"), x.nsu);
            m.insert(QStringLiteral("NRCONTROLTEF"), x.nsu);
            m.insert(QStringLiteral("NRAUTORIZATEF"), x.autorizacao);
            m.insert(QStringLiteral("NMBANDTEF"), x.bandeira);
            m.insert(QStringLiteral("NRCARTBANCO"), x.cartao);
            m.insert(QStringLiteral("QTPARCRECEB"), double(x.parcelas));
            m.insert(QStringLiteral("TXPRIMVIATEF"), x.viaCliente);
            m.insert(QStringLiteral("TXSEGVIATEF"), x.viaEstabelecimento);
        }
        add(m);
    }
    if (troco() > 0) {
        // The change goes back in cash, under the change type of the cash received.
        const PaymentType* trocoTipo = dinheiro ? tipo(dinheiro->cdTipoTroco) : nullptr;
        QVariantMap m = base(trocoTipo ? trocoTipo : dinheiro);
        m.insert(QStringLiteral("IDTIPOMOVIVE"), QStringLiteral("S"));
        m.insert(QStringLiteral("DSMOVIVEND"), QStringLiteral("TROCO"));
        m.insert(QStringLiteral("VRMOVIVEND"), fromCents(troco()));
        add(m);
    }
    return p;
}

void PaymentModel::preencher(ClientDataSet& cdsMovCaixa) const {
    cdsMovCaixa.setData(pagamentosPacket());
    // The cursor on the last payment received (the change row, when there is one, is last).
    cdsMovCaixa.last();
    if (troco() > 0 && cdsMovCaixa.recordCount() > 1) {
        cdsMovCaixa.prior();
    }
}

} // namespace tmk
