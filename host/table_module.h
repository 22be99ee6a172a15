#pragma once

#include <QLibrary>
#include <QString>
#include <QVariantList>

namespace tmk {

// The table module as the host sees it: a library loaded at run time, reached only
// through its exported entry points.
class TableModule {
public:
    // Loads the module from the host's folder; AppError when it cannot be loaded.
    explicit TableModule(const QString& folder);
    ~TableModule();
    TableModule(const TableModule&) = delete;
    TableModule& operator=(const TableModule&) = delete;

    void definePastaCaixa(const QString& folder);
    // The ten result values of one call of the entry.
    QVariantList criaGerenciaMesa(const QVariant& parametro);
    // The data service's removal of an opening that never received an item: true when one
    // was removed, false when there was none, a ServiceFailure when it failed.
    QVariant setUltMesaAber(const QString& cdFilial, const QString& cdLoja, const QString& nrMesa);
    // The counter sale taken on the counter table received through the module's receipt.
    bool recebeVendaBalcao(const QString& nrMesa);

private:
    QLibrary library_;
    using Entry = void (*)(const QVariantList&, int, QVariantList&);
    using SetFolder = void (*)(const QString&);
    using Finish = void (*)();
    using UltMesaAber = QVariant (*)(const QString&, const QString&, const QString&);
    Entry entry_ = nullptr;
    SetFolder setFolder_ = nullptr;
    Finish finish_ = nullptr;
    UltMesaAber ultMesaAber_ = nullptr;
    using VendaBalcao = bool (*)(const QString&);
    VendaBalcao vendaBalcao_ = nullptr;
};

} // namespace tmk
