#include "host/table_module.h"

#include "platform/errors.h"

#include <QDir>

namespace tmk {

TableModule::TableModule(const QString& folder)
    : library_(QDir(folder).filePath(QStringLiteral("libtmk00470"))) {
    if (!library_.load()) {
        throw AppError(QStringLiteral("Não foi possível carregar o módulo de mesas: %1")
                           .arg(library_.errorString()));
    }
    entry_ = reinterpret_cast<Entry>(library_.resolve("CriaGerenciaMesa"));
    setFolder_ = reinterpret_cast<SetFolder>(library_.resolve("DefinePastaCaixa"));
    finish_ = reinterpret_cast<Finish>(library_.resolve("FinalizaModulo"));
    ultMesaAber_ = reinterpret_cast<UltMesaAber>(library_.resolve("setUltMesaAber"));
    vendaBalcao_ = reinterpret_cast<VendaBalcao>(library_.resolve("RecebeVendaBalcao"));
    if (!entry_ || !setFolder_ || !finish_ || !ultMesaAber_ || !vendaBalcao_) {
        throw AppError(QStringLiteral("O módulo de mesas não exporta a entrada CriaGerenciaMesa."));
    }
}

TableModule::~TableModule() {
    finish_();
}

void TableModule::definePastaCaixa(const QString& folder) {
    setFolder_(folder);
}

QVariantList TableModule::criaGerenciaMesa(const QVariant& parametro) {
    const QVariantList params{parametro};
    QVariantList result(10);
    entry_(params, int(params.size()) - 1, result);
    return result;
}

QVariant TableModule::setUltMesaAber(const QString& cdFilial, const QString& cdLoja,
                                     const QString& nrMesa) {
    return ultMesaAber_(cdFilial, cdLoja, nrMesa);
}

bool TableModule::recebeVendaBalcao(const QString& nrMesa) {
    return vendaBalcao_(nrMesa);
}

} // namespace tmk
