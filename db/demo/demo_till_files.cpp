// The demo till's local files: the parameter file and the cadastre files.
#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "db/demo/demo_store_builder.h"
#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDemo)

namespace tmk {

namespace {

using demo::kOperators;

QString s(const char* text) {
    return QString::fromUtf8(text);
}

FieldDef text(const char* name, int size) {
    return {s(name), FieldType::Text, size};
}

FieldDef field(const char* name, FieldType type) {
    return {s(name), type, 0};
}

struct LocalFile {
    QString relativePath;
    DataPacket packet;
};

// The till a folder is prepared for: its number and the day's cash opening.
struct DemoTill {
    QString cdCaixa;
    QDateTime abertura;
    // The simulated printer's serial number, one per till.
    QString serie() const { return QStringLiteral("SIM0000") + cdCaixa.right(3); }
};

struct Parameter {
    FieldDef def;
    QVariant value;
};

DataPacket oneRow(const QList<Parameter>& columns) {
    DataPacket p;
    QVariantList row;
    for (const Parameter& c : columns) {
        p.fields << c.def;
        row << c.value;
    }
    p.rows << row;
    return p;
}

// The parameter file: every column the screen reads, in the order it reads them.
DataPacket parametros(const DemoTill& till) {
    const FieldType b = FieldType::Boolean;
    const FieldType i = FieldType::Integer;
    return oneRow({
        {text("IDESQUEMA", 3), s("001")},
        {field("UTILIZAIMPFIS", b), false},
        {field("SISTEMALESTOVENDA", b), false},
        {field("SISTEMAKOVNFCE", b), true},
        {field("DISPLAYOK", b), false},
        {text("CDFILIAL", 4), s(demo::kFilial)},
        {text("CDLOJA", 4), s(demo::kLoja)},
        {text("CDCAIXA", 4), till.cdCaixa},
        {text("IDCOLETOR", 1), s("N")},
        {text("CDFILICONFTE", 4), s(demo::kFilial)},
        {text("NRCONFTELA", 4), s(demo::kConfTela)},
        {text("NRMINSEMCONS", 4), QString::number(demo::kMinutosSemConsumo)},
        {text("IDUTLSENHAOPER", 1), s("S")},
        {text("IDTIPOGAVETA", 1), s("1")},
        {text("CDPORTAIMPFIS", 20), QString()},
        {text("IDTIPOIMPNF1", 2), s("1")},
        {text("CDPORTIMPNF1", 20), s("USB001")},
        {text("IDTPVENDIMPNF1", 1), s("T")},
        {text("IDTIPOIMPNF2", 2), s("1")},
        {text("CDPORTIMPNF2", 20), s("USB002")},
        {text("IDTPVENDIMPNF2", 1), s("M")},
        {text("DATAIMP", 1), s("N")},
        {text("IDPERTROCAOP", 1), s("S")},
        {text("CDPRODCONSUM", 20), s(demo::kProdutoConsumacao)},
        {text("CDPRODCONSUF", 20), s(demo::kProdutoConsumacaoFeminina)},
        {text("CDPRODCOUVER", 20), s(demo::kProdutoCouvert)},
        {field("DTABERCAIXA", FieldType::DateTime), till.abertura},
        {text("IDPAISINTEGRA", 2), s("01")},
        {text("NRSERIEIMP", 30), till.serie()},
        {field("IDTIPOIMPFIS", i), 0},
        {text("DSDIRCAD", 255), s("\\Dados\\Cadastros\\")},
        {field("ctAbrirGaveta", i), int(demo::ctAbrirGaveta)},
        {field("ctCancItemGen", i), int(demo::ctCancItemGen)},
        {field("ctParcCont", i), int(demo::ctParcCont)},
        {field("ctCancComanda", i), int(demo::ctCancComanda)},
        {field("ctAltNrPessoa", i), int(demo::ctAltNrPessoa)},
        {field("ctLiberarMesa", i), int(demo::ctLiberarMesa)},
        {field("ctConsultaPreco", i), int(demo::ctConsultaPreco)},
        {field("ctTrocaOperador", i), int(demo::ctTrocaOperador)},
        {text("IDIMPCOMPCUPVEN", 1), s("N")},
        {field("BOERROIMPRESSORA", b), false},
        {text("CDPREFINTGCOL", 10), QString()},
        {text("DSMODELOECFVE", 30), s("IMPRESSORA SIMULADA")},
        {text("DSMARCAECFVE", 30), s("SIMULADA")},
        {text("ECFIMP", 1), s("N")},
        {text("IDEXIBTICCUP", 1), s("S")},
        {text("CDESTADOIBGE", 2), s("35")},
        {text("CDINSJUREMPR", 18), s("12345678000195")},
        {text("IDAMBTRABNFCE", 1), s("2")}, // homologation: no document is valid
        {text("SGESTADOFILI", 2), s("SP")},
        {text("IDTIPOIMPNF3", 2), s("1")},
        {text("CDPORTIMPNF3", 20), s("USB003")},
        {text("IDTPVENDIMPNF3", 1), s("B")},
        {text("IDINTHOTEL", 1), s("N")},
        {field("VRCOMISVENDA", FieldType::Float), demo::kTaxaServico},
        {field("SISTEMAKOVSAT", b), false},
        {text("IDIMPCNPJCLIE", 1), s("N")},
        {text("IDSENHACUP", 1), s("S")},
        {text("IDOBRIGFECHCAIX", 1), s("N")},
        {text("CDCLIENTE", 15), s(demo::kClients[0].code)},
        {text("IDCONSCAMPFIDEL", 1), s("S")},
        {text("IDUTILSATCOMP", 1), s("N")},
        {text("IDVERGAVETANFIS", 1), s("N")},
        {field("NRMINSENHAAL", i), 4},
        {text("IDIMPRCUPTEFRED", 1), s("N")},
        {text("IDUTILTEF", 1), s("T")}, // card payments through the TEF, receipts printed
        {text("IDIMPRTEF", 1), s("S")},
        {text("IDENVCUPOMEMAIL", 1), s("S")},
        {text("NRMAXSENHAPED", 4), s("999")},
        {text("DSLOGOTELA", 255), QString()},
        {text("IDIMPCUPMEI", 1), s("N")},
    });
}

DataPacket controleAcess() {
    return oneRow({{text("CDOPERADOR", 12), s(kOperators[0].code)},
                   {text("NMOPERADOR", 60), s(kOperators[0].name)}});
}

QDateTime startOfDay(const QDateTime& now) {
    QDateTime d = now;
    d.setTime(QTime(0, 0));
    return d;
}

DataPacket dataMovimento(const QDateTime& now) {
    return oneRow({{field("DATAMOVIMENTO", FieldType::DateTime), startOfDay(now)}});
}

DataPacket aberturaCaixa(const DemoTill& till) {
    return oneRow({
        {text("CDFILIAL", 4), s(demo::kFilial)},
        {text("CDLOJA", 4), s(demo::kLoja)},
        {text("CDCAIXA", 4), till.cdCaixa},
        {field("DTABERCAIXA", FieldType::DateTime), till.abertura},
        {text("CDOPERADOR", 12), s(kOperators[0].code)},
        {text("NMOPERADOR", 60), s(kOperators[0].name)},
        {field("VRABERCAIXA", FieldType::Float), demo::kFundoDeCaixa},
        {text("CDATIVACAOSAT", 255), Cripto(s(demo::kCodigoAtivacaoSat), kChaveCodigoAtivacaoSat)},
    });
}

DataPacket clientes() {
    DataPacket p;
    p.fields = {text("CDCLIENTE", 15),    text("NMRAZSOCCLIE", 60),  text("NMFANTCLIE", 60),
                text("NRINSJURCLIE", 18), text("IDTPPESSOACLIE", 1), text("IDSITCLIENTE", 1)};
    for (const demo::Client& c : demo::kClients) {
        p.rows << QVariantList{s(c.code),  s(c.name),       s(c.tradeName),
                               s(c.taxId), s(c.personKind), s("A")};
    }
    return p;
}

DataPacket aliquotas() {
    DataPacket p;
    p.fields = {text("IDALIQIMPFIS", 1), field("VRALIQIMPFIS", FieldType::Float),
                text("CDALIQIMPFIS", 4), text("DSALIQIMPFIS", 60)};
    for (const demo::PrinterRate& r : demo::kPrinterRates) {
        p.rows << QVariantList{s(r.kind), r.rate, s(r.code), s(r.description)};
    }
    return p;
}

DataPacket tiposRecebimento() {
    DataPacket p;
    p.fields = {text("CDTIPORECE", 10),  text("NMTIPORECE", 60), text("IDTIPORECE", 1),
                text("CDTIPOTROCO", 10), text("NRORDTROCO", 4),  text("DSIMPFISCAL", 30),
                text("CDFPIMPFIS", 10),  text("CDBANCARTCR", 10)};
    for (const demo::ReceiptType& r : demo::kReceiptTypes) {
        // Change is always given in cash.
        p.rows << QVariantList{
            s(r.code),  s(r.name),       s(r.kind),       s(demo::kTipoReceDinheiro),
            s(r.order), s(r.fiscalName), s(r.fiscalCode), s(r.brand)};
    }
    return p;
}

DataPacket ecfCaixa(const DemoTill& till) {
    return oneRow({
        {text("CDFILIAL", 4), s(demo::kFilial)},
        {text("CDCAIXA", 4), till.cdCaixa},
        {text("NRSERIEIMP", 30), till.serie()},
        {text("DSMARCAECFVE", 30), s("SIMULADA")},
        {text("DSMODELOECFVE", 30), s("IMPRESSORA SIMULADA")},
        {text("NRECFCUPOMVE", 10), s("001")},
        {text("CDPORTAIMPFIS", 20), QString()},
        {field("IDTIPOIMPFIS", FieldType::Integer), 0},
    });
}

DataPacket direitosAcesso() {
    DataPacket p;
    p.fields = {text("CDOPERADOR", 12), field("CDACESSO", FieldType::Integer),
                text("IDPERMITE", 1)};
    for (const demo::AccessRight& r : demo::kAccessRights) {
        p.rows << QVariantList{s(r.operatorCode), r.accessCode, s(r.allowed)};
    }
    return p;
}

DataPacket operadores() {
    DataPacket p;
    p.fields = {text("CDOPERADOR", 12), text("NMOPERADOR", 60), text("CDSENHA", 255),
                text("IDSUPERVISOR", 1)};
    for (const demo::Operator& op : kOperators) {
        p.rows << QVariantList{s(op.code), s(op.name), Cripto(s(op.password), 7),
                               op.supervisor ? s("S") : s("N")};
    }
    return p;
}

} // namespace

void checkDemoTill(const QString& cdCaixa) {
    QStringList caixas;
    for (const char* c : demo::kCaixas) {
        if (cdCaixa == QLatin1String(c)) {
            return;
        }
        caixas << QString::fromLatin1(c);
    }
    throw AppError(QStringLiteral("O caixa \"%1\" não existe na loja de demonstração; os caixas "
                                  "dela são %2.")
                       .arg(cdCaixa, caixas.join(QStringLiteral(" e "))));
}

QStringList writeDemoTillFiles(const QString& tillFolder, const QDateTime& now,
                               const QString& cdCaixa, const QDateTime& abertura) {
    if (!now.isValid()) {
        throw AppError(QStringLiteral("Data inválida para os arquivos do caixa de demonstração."));
    }
    checkDemoTill(cdCaixa);
    const DemoTill till{cdCaixa,
                        abertura.isValid() ? abertura : demo::DemoStoreBuilder::cashOpening(now)};
    const QDir root(tillFolder);
    const QString cadastros = QStringLiteral("Dados/Cadastros/");
    // The parameter file goes last: a folder that has it holds every file.
    const QList<LocalFile> files{
        {cadastros + QStringLiteral("ControleAcess.cds"), controleAcess()},
        {cadastros + QStringLiteral("DataMovimento.cds"), dataMovimento(now)},
        {cadastros + QStringLiteral("AberturaCaixa.cds"), aberturaCaixa(till)},
        {cadastros + QStringLiteral("Cad_Cliente.cds"), clientes()},
        {cadastros + QStringLiteral("AliqImpFis.cds"), aliquotas()},
        {cadastros + QStringLiteral("ConfTipoRece.cds"), tiposRecebimento()},
        {cadastros + QStringLiteral("EcfCaixa.cds"), ecfCaixa(till)},
        {cadastros + QStringLiteral("DireitosAcesso.cds"), direitosAcesso()},
        {cadastros + QStringLiteral("Operadores.cds"), operadores()},
        {QStringLiteral("PARAMETROSKOV.CDS"), parametros(till)},
    };
    QStringList created;
    try {
        if (!QDir().mkpath(root.filePath(cadastros))) {
            throw AppError(QStringLiteral("não foi possível criar a pasta %1")
                               .arg(QDir::toNativeSeparators(root.filePath(cadastros))));
        }
        for (const LocalFile& f : files) {
            const QString path = root.filePath(f.relativePath);
            // An existing file is the till's own, whatever its state: never replaced.
            if (QFileInfo::exists(path)) {
                continue;
            }
            ClientDataSet cds(QFileInfo(path).completeBaseName());
            cds.setData(f.packet);
            cds.saveToFile(path);
            created << path;
        }
    } catch (const AppError& e) {
        for (const QString& path : std::as_const(created)) {
            QFile::remove(path);
        }
        qCWarning(lcDemo) << "demo till files not written:" << e.message();
        throw AppError(QStringLiteral("Não foi possível gravar os arquivos do caixa de "
                                      "demonstração em %1: %2")
                           .arg(QDir::toNativeSeparators(root.absolutePath()), e.message()));
    }
    if (!created.isEmpty()) {
        qCInfo(lcDemo).noquote() << "demo till files written:"
                                 << QDir::toNativeSeparators(created.join(QStringLiteral(", ")));
    }
    return created;
}

} // namespace tmk
