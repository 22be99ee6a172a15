#include "suite/devices/cfe_document.h"

#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/xml_tree.h"

#include <QXmlStreamWriter>

namespace tmk {

namespace {

void text(QXmlStreamWriter& w, const QString& name, const QString& value) {
    w.writeTextElement(name, value);
}

void writeObservation(QXmlStreamWriter& w, const QString& field, const QString& value) {
    w.writeStartElement(QStringLiteral("obsFisco"));
    w.writeAttribute(QStringLiteral("xCampo"), field);
    text(w, QStringLiteral("xTexto"), value);
    w.writeEndElement();
}

void writeTaxes(QXmlStreamWriter& w, const FiscalItem& item, qint64 base) {
    const QString kind = item.tipoImposto.trimmed().toUpper();
    const qint64 tax = std::llround(double(base) * item.aliquota / 100.0);
    if (kind == QLatin1String("S")) {
        w.writeStartElement(QStringLiteral("ISSQN"));
        text(w, QStringLiteral("vDeducISSQN"), QStringLiteral("0.00"));
        text(w, QStringLiteral("vBC"), xmlAmount(base));
        text(w, QStringLiteral("vAliq"), xmlDecimal(item.aliquota, 2));
        text(w, QStringLiteral("vISSQN"), xmlAmount(tax));
        w.writeEndElement();
        return;
    }
    w.writeStartElement(QStringLiteral("ICMS"));
    if (kind == QLatin1String("T") || kind.isEmpty()) {
        w.writeStartElement(QStringLiteral("ICMS00"));
        text(w, QStringLiteral("Orig"), QStringLiteral("0"));
        text(w, QStringLiteral("CST"), QStringLiteral("00"));
        text(w, QStringLiteral("pICMS"), xmlDecimal(item.aliquota, 2));
        text(w, QStringLiteral("vICMS"), xmlAmount(tax));
    } else {
        w.writeStartElement(QStringLiteral("ICMS40"));
        text(w, QStringLiteral("Orig"), QStringLiteral("0"));
        text(w, QStringLiteral("CST"),
             kind == QLatin1String("F")   ? QStringLiteral("60")
             : kind == QLatin1String("I") ? QStringLiteral("40")
                                          : QStringLiteral("41"));
    }
    w.writeEndElement();
    w.writeEndElement();
}

} // namespace

QString CfeDocument::timeStamp() const {
    return dataEmissao.toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString CfeDocument::qrCodeText() const {
    return chave() + QLatin1Char('|') + timeStamp() + QLatin1Char('|') +
           xmlAmount(fiscalTotals(venda).total) + QLatin1Char('|') + venda.cpfConsumidor +
           QLatin1Char('|') + assinaturaQrCode;
}

QByteArray cfeXml(const CfeDocument& d, int codigoNumerico) {
    const FiscalSale& sale = d.venda;
    const FiscalTotals totals = fiscalTotals(sale);
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(false);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("CFe"));
    w.writeStartElement(QStringLiteral("infCFe"));
    w.writeAttribute(QStringLiteral("Id"), d.chaveConsulta);
    w.writeAttribute(QStringLiteral("versao"), QStringLiteral("0.08"));
    w.writeAttribute(QStringLiteral("versaoDadosEnt"), QStringLiteral("0.08"));
    w.writeAttribute(QStringLiteral("versaoSB"), QStringLiteral("010000"));

    w.writeStartElement(QStringLiteral("ide"));
    text(w, QStringLiteral("cUF"), sale.emitente.codigoUf);
    text(w, QStringLiteral("cNF"),
         QStringLiteral("%1").arg(codigoNumerico, 6, 10, QLatin1Char('0')));
    text(w, QStringLiteral("mod"), QStringLiteral("59"));
    text(w, QStringLiteral("nserieSAT"), d.numeroSerieSat);
    text(w, QStringLiteral("nCFe"), d.numeroCfe);
    text(w, QStringLiteral("dEmi"), d.dataEmissao.toString(QStringLiteral("yyyyMMdd")));
    text(w, QStringLiteral("hEmi"), d.dataEmissao.toString(QStringLiteral("HHmmss")));
    text(w, QStringLiteral("cDV"), d.chaveConsulta.right(1));
    text(w, QStringLiteral("tpAmb"), sale.emitente.ambiente);
    text(w, QStringLiteral("assinaturaQRCODE"), d.assinaturaQrCode);
    text(w, QStringLiteral("numeroCaixa"), d.numeroCaixa);
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("emit"));
    text(w, QStringLiteral("CNPJ"), sale.emitente.cnpj);
    text(w, QStringLiteral("xNome"),
         sale.emitente.nome.isEmpty() ? sale.emitente.cnpj : sale.emitente.nome);
    w.writeStartElement(QStringLiteral("enderEmit"));
    text(w, QStringLiteral("UF"), sale.emitente.siglaUf);
    w.writeEndElement();
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("dest"));
    if (!sale.cpfConsumidor.isEmpty()) {
        text(w, sale.cpfConsumidor.size() == 14 ? QStringLiteral("CNPJ") : QStringLiteral("CPF"),
             sale.cpfConsumidor);
    }
    w.writeEndElement();

    for (int n = 0; n < sale.itens.size(); ++n) {
        const FiscalItem& i = sale.itens.at(n);
        const qint64 net = toCents(i.valorTotal) - toCents(i.desconto) + toCents(i.acrescimo);
        w.writeStartElement(QStringLiteral("det"));
        w.writeAttribute(QStringLiteral("nItem"), QString::number(n + 1));
        w.writeStartElement(QStringLiteral("prod"));
        text(w, QStringLiteral("cProd"), i.codigo);
        text(w, QStringLiteral("xProd"), i.descricao);
        text(w, QStringLiteral("NCM"), i.ncm.isEmpty() ? QStringLiteral("00000000") : i.ncm);
        text(w, QStringLiteral("CFOP"), QStringLiteral("5102"));
        text(w, QStringLiteral("uCom"), i.unidade);
        text(w, QStringLiteral("qCom"), xmlDecimal(i.quantidade, 4));
        text(w, QStringLiteral("vUnCom"), xmlDecimal(i.valorUnitario, 3));
        text(w, QStringLiteral("vProd"), xmlAmount(toCents(i.valorTotal)));
        text(w, QStringLiteral("indRegra"), QStringLiteral("T"));
        if (toCents(i.desconto) > 0) {
            text(w, QStringLiteral("vDesc"), xmlAmount(toCents(i.desconto)));
        }
        if (toCents(i.acrescimo) > 0) {
            text(w, QStringLiteral("vOutro"), xmlAmount(toCents(i.acrescimo)));
        }
        text(w, QStringLiteral("vItem"), xmlAmount(net));
        w.writeEndElement();
        w.writeStartElement(QStringLiteral("imposto"));
        writeTaxes(w, i, net);
        w.writeEndElement();
        if (i.couvert) {
            text(w, QStringLiteral("infAdProd"), QStringLiteral("COUVERT"));
        }
        w.writeEndElement();
    }

    w.writeStartElement(QStringLiteral("total"));
    w.writeStartElement(QStringLiteral("ICMSTot"));
    text(w, QStringLiteral("vProd"), xmlAmount(totals.produtos));
    text(w, QStringLiteral("vDesc"), xmlAmount(totals.descontos));
    text(w, QStringLiteral("vOutro"), xmlAmount(totals.acrescimos));
    w.writeEndElement();
    if (totals.taxaServico > 0) {
        w.writeStartElement(QStringLiteral("DescAcrEntr"));
        text(w, QStringLiteral("vAcresSubtot"), xmlAmount(totals.taxaServico));
        w.writeEndElement();
    }
    text(w, QStringLiteral("vCFe"), xmlAmount(totals.total));
    text(w, QStringLiteral("vCFeLei12741"), xmlAmount(totals.tributos));
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("pgto"));
    for (const FiscalPayment& p : sale.pagamentos) {
        w.writeStartElement(QStringLiteral("MP"));
        text(w, QStringLiteral("cMP"), paymentKindCode(p.tipo));
        text(w, QStringLiteral("vMP"), xmlAmount(toCents(p.valor)));
        w.writeEndElement();
    }
    text(w, QStringLiteral("vTroco"), xmlAmount(totals.troco));
    w.writeEndElement();

    w.writeStartElement(QStringLiteral("infAdic"));
    writeObservation(w, QStringLiteral("TributosFederais"),
                     xmlAmount(toCents(sale.tributosFederais)));
    writeObservation(w, QStringLiteral("TributosEstaduais"),
                     xmlAmount(toCents(sale.tributosEstaduais)));
    writeObservation(w, QStringLiteral("Venda"),
                     sale.cdFilial + QLatin1Char('-') + sale.cdCaixa + QLatin1Char('-') +
                         sale.nrSeqVenda);
    w.writeEndElement();

    w.writeEndElement(); // infCFe
    w.writeEndElement(); // CFe
    w.writeEndDocument();
    out.replace('\n', QByteArray());
    return out;
}

CfeDocument parseCfeXml(const QByteArray& xml, const QString& sourceName) {
    const XmlNode root = parseXmlTree(xml, sourceName);
    const XmlNode& inf = root.child(QStringLiteral("infCFe"));
    if (root.name != QLatin1String("CFe") || inf.isNull()) {
        throw AppError(QStringLiteral("O arquivo %1 não é um CF-e SAT.").arg(sourceName));
    }
    CfeDocument d;
    FiscalSale& s = d.venda;
    d.chaveConsulta = inf.attributes.value(QStringLiteral("Id"));
    const XmlNode& ide = inf.child(QStringLiteral("ide"));
    d.numeroSerieSat = ide.textAt(QStringLiteral("nserieSAT"));
    d.numeroCfe = ide.textAt(QStringLiteral("nCFe"));
    d.dataEmissao = QDateTime::fromString(ide.textAt(QStringLiteral("dEmi")) +
                                              ide.textAt(QStringLiteral("hEmi")),
                                          QStringLiteral("yyyyMMddHHmmss"));
    d.assinaturaQrCode = ide.textAt(QStringLiteral("assinaturaQRCODE"));
    d.numeroCaixa = ide.textAt(QStringLiteral("numeroCaixa"));
    s.dataEmissao = d.dataEmissao;
    s.emitente.codigoUf = ide.textAt(QStringLiteral("cUF"));
    s.emitente.ambiente = ide.textAt(QStringLiteral("tpAmb"));
    s.emitente.cnpj = inf.textAt(QStringLiteral("emit/CNPJ"));
    s.emitente.nome = inf.textAt(QStringLiteral("emit/xNome"));
    s.emitente.siglaUf = inf.textAt(QStringLiteral("emit/enderEmit/UF"));
    s.cpfConsumidor =
        inf.textAt(QStringLiteral("dest/CPF")) + inf.textAt(QStringLiteral("dest/CNPJ"));
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
        i.acrescimo = parseAmountText(prod.textAt(QStringLiteral("vOutro")));
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
    s.taxaServico = parseAmountText(inf.textAt(QStringLiteral("total/DescAcrEntr/vAcresSubtot")));
    const XmlNode& pgto = inf.child(QStringLiteral("pgto"));
    for (const XmlNode* mp : pgto.childrenNamed(QStringLiteral("MP"))) {
        FiscalPayment p;
        p.tipo = paymentKindFromCode(mp->textAt(QStringLiteral("cMP")));
        p.descricao = paymentKindName(p.tipo);
        p.valor = parseAmountText(mp->textAt(QStringLiteral("vMP")));
        s.pagamentos << p;
    }
    s.troco = parseAmountText(pgto.textAt(QStringLiteral("vTroco")));
    for (const XmlNode* obs :
         inf.child(QStringLiteral("infAdic")).childrenNamed(QStringLiteral("obsFisco"))) {
        const QString field = obs->attributes.value(QStringLiteral("xCampo"));
        const QString value = obs->textAt(QStringLiteral("xTexto"));
        if (field == QLatin1String("TributosFederais")) {
            s.tributosFederais = parseAmountText(value);
        } else if (field == QLatin1String("TributosEstaduais")) {
            s.tributosEstaduais = parseAmountText(value);
        } else if (field == QLatin1String("Venda")) {
            s.cdFilial = value.section(QLatin1Char('-'), 0, 0);
            s.cdCaixa = value.section(QLatin1Char('-'), 1, 1);
            s.nrSeqVenda = value.section(QLatin1Char('-'), 2);
        }
    }
    return d;
}

CfeDocument readCfeFile(const QString& path) {
    return parseCfeXml(readWholeFile(path), path);
}

} // namespace tmk
