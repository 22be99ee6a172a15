#include "suite/devices/nfce_document.h"

#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/xml_tree.h"

#include <QCryptographicHash>
#include <QXmlStreamWriter>

namespace tmk {

namespace {

const QString kNamespace = QStringLiteral("http://www.portalfiscal.inf.br/nfe");

struct Brand {
    const char* name;
    const char* code;
};

constexpr Brand kBrands[] = {{"VISA", "01"},      {"MASTERCARD", "02"}, {"AMEX", "03"},
                             {"SOROCRED", "04"},  {"DINERS", "05"},     {"ELO", "06"},
                             {"HIPERCARD", "07"}, {"AURA", "08"},       {"CABAL", "09"}};

QString brandCode(const QString& name) {
    for (const Brand& b : kBrands) {
        if (name.trimmed().compare(QLatin1String(b.name), Qt::CaseInsensitive) == 0) {
            return QLatin1String(b.code);
        }
    }
    return QStringLiteral("99");
}

QString brandName(const QString& code) {
    for (const Brand& b : kBrands) {
        if (code == QLatin1String(b.code)) {
            return QLatin1String(b.name);
        }
    }
    return {};
}

QString isoDateTime(const QDateTime& dt) {
    return dt.toOffsetFromUtc(dt.offsetFromUtc()).toString(Qt::ISODate);
}

QDateTime fromIsoDateTime(const QString& text) {
    const QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    return dt.isValid() ? dt.toLocalTime() : dt;
}

qint64 itemNet(const FiscalItem& i) {
    return toCents(i.valorTotal) - toCents(i.desconto) + toCents(i.acrescimo);
}

void text(QXmlStreamWriter& w, const QString& name, const QString& value) {
    w.writeTextElement(name, value);
}

// Writes the tax group of one line and adds its value to the totals.
void writeItemTaxes(QXmlStreamWriter& w, const FiscalItem& item, qint64 base, qint64& vBC,
                    qint64& vICMS, qint64& vISS) {
    const QString kind = item.tipoImposto.trimmed().toUpper();
    const qint64 tax = std::llround(double(base) * item.aliquota / 100.0);
    if (kind == QLatin1String("S")) {
        w.writeStartElement(QStringLiteral("ISSQN"));
        text(w, QStringLiteral("vBC"), xmlAmount(base));
        text(w, QStringLiteral("vAliq"), xmlDecimal(item.aliquota, 4));
        text(w, QStringLiteral("vISSQN"), xmlAmount(tax));
        w.writeEndElement();
        vISS += tax;
        return;
    }
    w.writeStartElement(QStringLiteral("ICMS"));
    if (kind == QLatin1String("F")) {
        w.writeStartElement(QStringLiteral("ICMS60"));
        text(w, QStringLiteral("orig"), QStringLiteral("0"));
        text(w, QStringLiteral("CST"), QStringLiteral("60"));
        w.writeEndElement();
    } else if (kind == QLatin1String("I") || kind == QLatin1String("N")) {
        w.writeStartElement(QStringLiteral("ICMS40"));
        text(w, QStringLiteral("orig"), QStringLiteral("0"));
        text(w, QStringLiteral("CST"),
             kind == QLatin1String("I") ? QStringLiteral("40") : QStringLiteral("41"));
        w.writeEndElement();
    } else {
        w.writeStartElement(QStringLiteral("ICMS00"));
        text(w, QStringLiteral("orig"), QStringLiteral("0"));
        text(w, QStringLiteral("CST"), QStringLiteral("00"));
        text(w, QStringLiteral("modBC"), QStringLiteral("3"));
        text(w, QStringLiteral("vBC"), xmlAmount(base));
        text(w, QStringLiteral("pICMS"), xmlDecimal(item.aliquota, 2));
        text(w, QStringLiteral("vICMS"), xmlAmount(tax));
        w.writeEndElement();
        vBC += base;
        vICMS += tax;
    }
    w.writeEndElement();
}

void writeObservation(QXmlStreamWriter& w, const QString& field, const QString& value) {
    w.writeStartElement(QStringLiteral("obsCont"));
    w.writeAttribute(QStringLiteral("xCampo"), field);
    text(w, QStringLiteral("xTexto"), value);
    w.writeEndElement();
}

QString approximateTaxesText(const FiscalSale& sale) {
    return QStringLiteral("Tributos aproximados: Federal %1, Estadual %2 (Lei 12.741/2012)")
        .arg(reais(toCents(sale.tributosFederais)), reais(toCents(sale.tributosEstaduais)));
}

} // namespace

QString NfceAuthorisation::statusText() const {
    switch (situacao) {
    case NfceStatus::Autorizada:
        return QStringLiteral("AUTORIZADA");
    case NfceStatus::Contingencia:
        return QStringLiteral("CONTIGENCIA_SP");
    case NfceStatus::Rejeitada:
        break;
    }
    return QStringLiteral("REJEITADA");
}

QString NfceAuthorisation::retornoProtAut() const {
    switch (situacao) {
    case NfceStatus::Autorizada:
        return protocolo;
    case NfceStatus::Contingencia:
        return statusText();
    case NfceStatus::Rejeitada:
        break;
    }
    return {};
}

void NfceAuthorisation::writeTo(QVariantList& retorno) const {
    while (retorno.size() < 10) {
        retorno.append(QVariant());
    }
    retorno[1] = chave;
    retorno[2] = qrCode;
    retorno[3] = retornoProtAut();
}

QList<qint64> spreadOverItems(qint64 amount, const QList<FiscalItem>& items) {
    QList<qint64> shares(items.size(), 0);
    if (items.isEmpty() || amount == 0) {
        return shares;
    }
    // Weights leave the lines' own surcharges out, so that the spread can be found
    // again from a document that holds each line's surcharge and share as one value.
    const auto weight = [](const FiscalItem& i) {
        return qMax<qint64>(0, toCents(i.valorTotal) - toCents(i.desconto));
    };
    qint64 weightSum = 0;
    for (const FiscalItem& i : items) {
        weightSum += weight(i);
    }
    if (weightSum == 0) {
        shares[0] = amount;
        return shares;
    }
    qint64 given = 0;
    for (int n = 0; n < items.size(); ++n) {
        // Integer arithmetic: floor of amount x weight / sum.
        shares[n] = amount * weight(items.at(n)) / weightSum;
        given += shares[n];
    }
    for (int n = 0; given < amount; n = (n + 1) % int(items.size())) {
        ++shares[n];
        ++given;
    }
    return shares;
}

QString nfceQrCodeText(const NfceQrSettings& s, const QString& chave, const QString& ambiente,
                       const QDateTime& emissao, qint64 totalCents, const QByteArray& digest,
                       int tipoEmissao) {
    QString params = chave + QStringLiteral("|2|") + ambiente + QLatin1Char('|');
    if (tipoEmissao == 9) {
        params += emissao.toString(QStringLiteral("dd")) + QLatin1Char('|') +
                  xmlAmount(totalCents) + QLatin1Char('|') +
                  QString::fromLatin1(digest.toBase64().toHex()) + QLatin1Char('|');
    }
    QString id = s.idCsc;
    while (id.size() > 1 && id.startsWith(QLatin1Char('0'))) {
        id.remove(0, 1);
    }
    params += id;
    const QByteArray hash =
        QCryptographicHash::hash((params + s.csc).toUtf8(), QCryptographicHash::Sha1);
    return s.urlQrCode + QStringLiteral("?p=") + params + QLatin1Char('|') +
           QString::fromLatin1(hash.toHex()).toUpper();
}

QByteArray nfceDigest(const QByteArray& xml) {
    const qsizetype start = xml.indexOf("<infNFe");
    const qsizetype end = xml.indexOf("</infNFe>");
    const QByteArray part = (start >= 0 && end > start) ? xml.mid(start, end + 9 - start) : xml;
    return QCryptographicHash::hash(part, QCryptographicHash::Sha1);
}

QByteArray nfceXml(const FiscalSale& sale, const NfceAuthorisation& a, int codigoNumerico) {
    const FiscalTotals totals = fiscalTotals(sale);
    const QList<qint64> service = spreadOverItems(totals.taxaServico, sale.itens);
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("nfeProc"));
    w.writeDefaultNamespace(kNamespace);
    w.writeAttribute(QStringLiteral("versao"), QStringLiteral("4.00"));
    w.writeStartElement(QStringLiteral("NFe"));
    w.writeStartElement(QStringLiteral("infNFe"));
    w.writeAttribute(QStringLiteral("Id"), QStringLiteral("NFe") + a.chave);
    w.writeAttribute(QStringLiteral("versao"), QStringLiteral("4.00"));

    w.writeStartElement(QStringLiteral("ide"));
    text(w, QStringLiteral("cUF"), sale.emitente.codigoUf);
    text(w, QStringLiteral("cNF"),
         QStringLiteral("%1").arg(codigoNumerico, 8, 10, QLatin1Char('0')));
    text(w, QStringLiteral("natOp"), QStringLiteral("VENDA"));
    text(w, QStringLiteral("mod"), QStringLiteral("65"));
    text(w, QStringLiteral("serie"), QString::number(a.serie.toInt()));
    text(w, QStringLiteral("nNF"), QString::number(a.numero));
    text(w, QStringLiteral("dhEmi"), isoDateTime(a.dataEmissao));
    text(w, QStringLiteral("tpNF"), QStringLiteral("1"));
    text(w, QStringLiteral("idDest"), QStringLiteral("1"));
    text(w, QStringLiteral("tpImp"), QStringLiteral("4"));
    text(w, QStringLiteral("tpEmis"), QString::number(a.tipoEmissao));
    text(w, QStringLiteral("cDV"), a.chave.right(1));
    text(w, QStringLiteral("tpAmb"), sale.emitente.ambiente);
    text(w, QStringLiteral("finNFe"), QStringLiteral("1"));
    text(w, QStringLiteral("indFinal"), QStringLiteral("1"));
    text(w, QStringLiteral("indPres"), QStringLiteral("1"));
    text(w, QStringLiteral("procEmi"), QStringLiteral("0"));
    text(w, QStringLiteral("verProc"), QStringLiteral("TMK-NFCE-SIM 1.0"));
    if (a.tipoEmissao == 9) {
        text(w, QStringLiteral("dhCont"), isoDateTime(a.dataEmissao));
        text(w, QStringLiteral("xJust"),
             QStringLiteral("Sem comunicação com a SEFAZ: emissão em contingência off-line"));
    }
    w.writeEndElement(); // ide

    w.writeStartElement(QStringLiteral("emit"));
    text(w, QStringLiteral("CNPJ"), sale.emitente.cnpj);
    text(w, QStringLiteral("xNome"),
         sale.emitente.nome.isEmpty() ? sale.emitente.cnpj : sale.emitente.nome);
    w.writeStartElement(QStringLiteral("enderEmit"));
    text(w, QStringLiteral("UF"), sale.emitente.siglaUf);
    w.writeEndElement();
    text(w, QStringLiteral("CRT"), QStringLiteral("3"));
    w.writeEndElement(); // emit

    if (!sale.cpfConsumidor.isEmpty()) {
        w.writeStartElement(QStringLiteral("dest"));
        text(w, sale.cpfConsumidor.size() == 14 ? QStringLiteral("CNPJ") : QStringLiteral("CPF"),
             sale.cpfConsumidor);
        if (sale.emitente.ambiente == QLatin1String("2")) {
            text(w, QStringLiteral("xNome"),
                 QStringLiteral("NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL"));
        }
        text(w, QStringLiteral("indIEDest"), QStringLiteral("9"));
        w.writeEndElement();
    }

    qint64 vBC = 0;
    qint64 vICMS = 0;
    qint64 vISS = 0;
    qint64 vOutro = 0;
    for (int n = 0; n < sale.itens.size(); ++n) {
        const FiscalItem& i = sale.itens.at(n);
        const qint64 outro = toCents(i.acrescimo) + service.at(n);
        vOutro += outro;
        w.writeStartElement(QStringLiteral("det"));
        w.writeAttribute(QStringLiteral("nItem"), QString::number(n + 1));
        w.writeStartElement(QStringLiteral("prod"));
        text(w, QStringLiteral("cProd"), i.codigo);
        text(w, QStringLiteral("cEAN"), QStringLiteral("SEM GTIN"));
        text(w, QStringLiteral("xProd"), i.descricao);
        text(w, QStringLiteral("NCM"), i.ncm.isEmpty() ? QStringLiteral("00000000") : i.ncm);
        text(w, QStringLiteral("CFOP"), QStringLiteral("5102"));
        text(w, QStringLiteral("uCom"), i.unidade);
        text(w, QStringLiteral("qCom"), xmlDecimal(i.quantidade, 4));
        text(w, QStringLiteral("vUnCom"), xmlDecimal(i.valorUnitario, 10));
        text(w, QStringLiteral("vProd"), xmlAmount(toCents(i.valorTotal)));
        text(w, QStringLiteral("cEANTrib"), QStringLiteral("SEM GTIN"));
        text(w, QStringLiteral("uTrib"), i.unidade);
        text(w, QStringLiteral("qTrib"), xmlDecimal(i.quantidade, 4));
        text(w, QStringLiteral("vUnTrib"), xmlDecimal(i.valorUnitario, 10));
        if (toCents(i.desconto) > 0) {
            text(w, QStringLiteral("vDesc"), xmlAmount(toCents(i.desconto)));
        }
        if (outro > 0) {
            text(w, QStringLiteral("vOutro"), xmlAmount(outro));
        }
        text(w, QStringLiteral("indTot"), QStringLiteral("1"));
        w.writeEndElement(); // prod
        w.writeStartElement(QStringLiteral("imposto"));
        writeItemTaxes(w, i, itemNet(i) + service.at(n), vBC, vICMS, vISS);
        w.writeEndElement(); // imposto
        if (i.couvert) {
            text(w, QStringLiteral("infAdProd"), QStringLiteral("COUVERT"));
        }
        w.writeEndElement(); // det
    }

    w.writeStartElement(QStringLiteral("total"));
    w.writeStartElement(QStringLiteral("ICMSTot"));
    text(w, QStringLiteral("vBC"), xmlAmount(vBC));
    text(w, QStringLiteral("vICMS"), xmlAmount(vICMS));
    text(w, QStringLiteral("vProd"), xmlAmount(totals.produtos));
    text(w, QStringLiteral("vDesc"), xmlAmount(totals.descontos));
    text(w, QStringLiteral("vOutro"), xmlAmount(vOutro));
    text(w, QStringLiteral("vNF"), xmlAmount(totals.total));
    text(w, QStringLiteral("vTotTrib"), xmlAmount(totals.tributos));
    w.writeEndElement();
    if (vISS > 0) {
        w.writeStartElement(QStringLiteral("ISSQNtot"));
        text(w, QStringLiteral("vISS"), xmlAmount(vISS));
        w.writeEndElement();
    }
    w.writeEndElement(); // total

    w.writeStartElement(QStringLiteral("transp"));
    text(w, QStringLiteral("modFrete"), QStringLiteral("9"));
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("pag"));
    for (const FiscalPayment& p : sale.pagamentos) {
        w.writeStartElement(QStringLiteral("detPag"));
        text(w, QStringLiteral("tPag"), paymentKindCode(p.tipo));
        if (p.tipo == FiscalPaymentKind::Outros) {
            text(w, QStringLiteral("xPag"), p.descricao.left(60));
        }
        text(w, QStringLiteral("vPag"), xmlAmount(toCents(p.valor)));
        if (p.tipo == FiscalPaymentKind::CartaoCredito ||
            p.tipo == FiscalPaymentKind::CartaoDebito) {
            w.writeStartElement(QStringLiteral("card"));
            text(w, QStringLiteral("tpIntegra"), QStringLiteral("1"));
            text(w, QStringLiteral("tBand"), brandCode(p.bandeira));
            if (!p.autorizacao.isEmpty()) {
                text(w, QStringLiteral("cAut"), p.autorizacao);
            }
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    if (totals.troco > 0) {
        text(w, QStringLiteral("vTroco"), xmlAmount(totals.troco));
    }
    w.writeEndElement(); // pag

    w.writeStartElement(QStringLiteral("infAdic"));
    text(w, QStringLiteral("infCpl"), approximateTaxesText(sale));
    writeObservation(w, QStringLiteral("TributosFederais"),
                     xmlAmount(toCents(sale.tributosFederais)));
    writeObservation(w, QStringLiteral("TributosEstaduais"),
                     xmlAmount(toCents(sale.tributosEstaduais)));
    writeObservation(w, QStringLiteral("TaxaServico"), xmlAmount(totals.taxaServico));
    writeObservation(w, QStringLiteral("Venda"),
                     sale.cdFilial + QLatin1Char('-') + sale.cdCaixa + QLatin1Char('-') +
                         sale.nrSeqVenda);
    if (!sale.senha.isEmpty() || !sale.mesa.isEmpty()) {
        writeObservation(w, QStringLiteral("Senha"), sale.senha);
        writeObservation(w, QStringLiteral("Mesa"), sale.mesa);
    }
    w.writeEndElement(); // infAdic
    w.writeEndElement(); // infNFe

    w.writeStartElement(QStringLiteral("infNFeSupl"));
    w.writeStartElement(QStringLiteral("qrCode"));
    w.writeCDATA(a.qrCode);
    w.writeEndElement();
    text(w, QStringLiteral("urlChave"), a.urlConsulta);
    w.writeEndElement();
    w.writeEndElement(); // NFe

    if (a.situacao == NfceStatus::Autorizada) {
        w.writeStartElement(QStringLiteral("protNFe"));
        w.writeAttribute(QStringLiteral("versao"), QStringLiteral("4.00"));
        w.writeStartElement(QStringLiteral("infProt"));
        text(w, QStringLiteral("tpAmb"), sale.emitente.ambiente);
        text(w, QStringLiteral("verAplic"), QStringLiteral("SEFAZ-SIMULADA"));
        text(w, QStringLiteral("chNFe"), a.chave);
        text(w, QStringLiteral("dhRecbto"), isoDateTime(a.dataAutorizacao));
        text(w, QStringLiteral("nProt"), a.protocolo);
        text(w, QStringLiteral("digVal"), QStringLiteral("@DIGEST@"));
        text(w, QStringLiteral("cStat"), QStringLiteral("100"));
        text(w, QStringLiteral("xMotivo"), a.motivo);
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement(); // nfeProc
    w.writeEndDocument();
    out.replace("@DIGEST@", nfceDigest(out).toBase64());
    return out;
}

NfceDocument parseNfceXml(const QByteArray& xml, const QString& sourceName) {
    const XmlNode root = parseXmlTree(xml, sourceName);
    const XmlNode& nfe =
        root.name == QLatin1String("NFe") ? root : root.child(QStringLiteral("NFe"));
    const XmlNode& inf = nfe.child(QStringLiteral("infNFe"));
    if (inf.isNull()) {
        throw AppError(QStringLiteral("O arquivo %1 não é uma NFC-e.").arg(sourceName));
    }
    NfceDocument d;
    FiscalSale& s = d.venda;
    NfceAuthorisation& a = d.autorizacao;
    const XmlNode& ide = inf.child(QStringLiteral("ide"));
    a.chave = inf.attributes.value(QStringLiteral("Id")).mid(3);
    a.numero = ide.textAt(QStringLiteral("nNF")).toLongLong();
    a.serie = ide.textAt(QStringLiteral("serie"));
    a.tipoEmissao = ide.textAt(QStringLiteral("tpEmis")).toInt();
    a.dataEmissao = fromIsoDateTime(ide.textAt(QStringLiteral("dhEmi")));
    s.serie = a.serie;
    s.dataEmissao = a.dataEmissao;
    s.emitente.codigoUf = ide.textAt(QStringLiteral("cUF"));
    s.emitente.ambiente = ide.textAt(QStringLiteral("tpAmb"));
    const XmlNode& issuer = inf.child(QStringLiteral("emit"));
    s.emitente.cnpj = issuer.textAt(QStringLiteral("CNPJ"));
    s.emitente.nome = issuer.textAt(QStringLiteral("xNome"));
    s.emitente.siglaUf = issuer.textAt(QStringLiteral("enderEmit/UF"));
    s.cpfConsumidor =
        inf.textAt(QStringLiteral("dest/CPF")) + inf.textAt(QStringLiteral("dest/CNPJ"));

    QList<qint64> outros;
    for (const XmlNode* det : inf.childrenNamed(QStringLiteral("det"))) {
        const XmlNode& prod = det->child(QStringLiteral("prod"));
        FiscalItem i;
        i.codigo = prod.textAt(QStringLiteral("cProd"));
        i.descricao = prod.textAt(QStringLiteral("xProd"));
        i.ncm = prod.textAt(QStringLiteral("NCM"));
        i.unidade = prod.textAt(QStringLiteral("uCom"));
        i.quantidade = parseAmountText(prod.textAt(QStringLiteral("qCom")));
        i.valorUnitario = parseAmountText(prod.textAt(QStringLiteral("vUnCom")));
        i.valorTotal = parseAmountText(prod.textAt(QStringLiteral("vProd")));
        i.desconto = parseAmountText(prod.textAt(QStringLiteral("vDesc")));
        outros << toCents(parseAmountText(prod.textAt(QStringLiteral("vOutro"))));
        const XmlNode& imposto = det->child(QStringLiteral("imposto"));
        if (!imposto.child(QStringLiteral("ISSQN")).isNull()) {
            i.tipoImposto = QStringLiteral("S");
            i.aliquota = parseAmountText(imposto.textAt(QStringLiteral("ISSQN/vAliq")));
        } else {
            const XmlNode& icms = imposto.child(QStringLiteral("ICMS"));
            const XmlNode& group = icms.children.isEmpty() ? icms : icms.children.first();
            const QString cst = group.textAt(QStringLiteral("CST"));
            i.tipoImposto = cst == QLatin1String("60")   ? QStringLiteral("F")
                            : cst == QLatin1String("40") ? QStringLiteral("I")
                            : cst == QLatin1String("41") ? QStringLiteral("N")
                                                         : QStringLiteral("T");
            i.aliquota = parseAmountText(group.textAt(QStringLiteral("pICMS")));
        }
        i.couvert = det->textAt(QStringLiteral("infAdProd")) == QLatin1String("COUVERT");
        s.itens << i;
    }
    for (const XmlNode* obs :
         inf.child(QStringLiteral("infAdic")).childrenNamed(QStringLiteral("obsCont"))) {
        const QString field = obs->attributes.value(QStringLiteral("xCampo"));
        const QString value = obs->textAt(QStringLiteral("xTexto"));
        if (field == QLatin1String("TributosFederais")) {
            s.tributosFederais = parseAmountText(value);
        } else if (field == QLatin1String("TributosEstaduais")) {
            s.tributosEstaduais = parseAmountText(value);
        } else if (field == QLatin1String("TaxaServico")) {
            s.taxaServico = parseAmountText(value);
        } else if (field == QLatin1String("Venda")) {
            s.cdFilial = value.section(QLatin1Char('-'), 0, 0);
            s.cdCaixa = value.section(QLatin1Char('-'), 1, 1);
            s.nrSeqVenda = value.section(QLatin1Char('-'), 2);
        } else if (field == QLatin1String("Senha")) {
            s.senha = value;
        } else if (field == QLatin1String("Mesa")) {
            s.mesa = value;
        }
    }
    // The lines' other charges hold their surcharge and their share of the service.
    const QList<qint64> service = spreadOverItems(toCents(s.taxaServico), s.itens);
    for (int n = 0; n < s.itens.size(); ++n) {
        s.itens[n].acrescimo = fromCents(outros.at(n) - service.at(n));
    }

    const XmlNode& pag = inf.child(QStringLiteral("pag"));
    for (const XmlNode* det : pag.childrenNamed(QStringLiteral("detPag"))) {
        FiscalPayment p;
        p.tipo = paymentKindFromCode(det->textAt(QStringLiteral("tPag")));
        p.descricao = det->textAt(QStringLiteral("xPag"));
        if (p.descricao.isEmpty()) {
            p.descricao = paymentKindName(p.tipo);
        }
        p.valor = parseAmountText(det->textAt(QStringLiteral("vPag")));
        p.bandeira = brandName(det->textAt(QStringLiteral("card/tBand")));
        p.autorizacao = det->textAt(QStringLiteral("card/cAut"));
        s.pagamentos << p;
    }
    s.troco = parseAmountText(pag.textAt(QStringLiteral("vTroco")));

    const XmlNode& supl = nfe.child(QStringLiteral("infNFeSupl"));
    a.qrCode = supl.textAt(QStringLiteral("qrCode"));
    a.urlConsulta = supl.textAt(QStringLiteral("urlChave"));
    const XmlNode& prot = root.at(QStringLiteral("protNFe/infProt"));
    if (!prot.isNull() && prot.textAt(QStringLiteral("cStat")) == QLatin1String("100")) {
        a.situacao = NfceStatus::Autorizada;
        a.protocolo = prot.textAt(QStringLiteral("nProt"));
        a.dataAutorizacao = fromIsoDateTime(prot.textAt(QStringLiteral("dhRecbto")));
        a.motivo = prot.textAt(QStringLiteral("xMotivo"));
    } else if (a.tipoEmissao == 9) {
        a.situacao = NfceStatus::Contingencia;
    }
    return d;
}

NfceDocument readNfceFile(const QString& path) {
    NfceDocument d = parseNfceXml(readWholeFile(path), path);
    d.autorizacao.arquivoXml = path;
    return d;
}

} // namespace tmk
