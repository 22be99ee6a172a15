#include "package/module_entry.h"

#include "platform/errors.h"
#include "platform/event_entry.h"
#include "screen/view/ger_mesa_view.h"

namespace tmk {

ModuloGerMesa::ModuloGerMesa(SuiteLibraries suite, TfrmGerMesa::DataModuleProvider dataModule,
                             const Clock& clock)
    : showModal([](TfrmGerMesaView& view) { view.exec(); })
    , suite_(suite)
    , dataModule_(std::move(dataModule))
    , clock_(clock) {}

ModuloGerMesa::~ModuloGerMesa() {
    view_.reset();
    screen_.reset();
}

void ModuloGerMesa::mostraErro(const QString& texto) {
    suite_.common->Mensagem(texto, QString(), QStringLiteral("N"), QStringLiteral("N"), MsgErro,
                            QString(), QString(), 0, nullptr);
}

void ModuloGerMesa::CriaGerenciaMesa(const QVariantList& params, int lastIndex,
                                     QVariantList& result) {
    WaitCursor ampulheta;
    runEventEntry([&] { mostra(params, lastIndex, result, ampulheta); },
                  [&](const QString& texto) {
                      // The error box is not shown under the hourglass.
                      ampulheta.restore();
                      mostraErro(texto);
                  });
}

bool ModuloGerMesa::RecebeVendaBalcao(const QString& nrMesa) {
    if (!screen_) {
        return false;
    }
    bool recebida = false;
    runEventEntry([&] { recebida = screen_->RecebeVendaBalcao(nrMesa); },
                  [&](const QString& texto) { mostraErro(texto); });
    return recebida;
}

void ModuloGerMesa::mostra(const QVariantList& params, int lastIndex, QVariantList& result,
                           WaitCursor& ampulheta) {
    if (params.isEmpty() || lastIndex < 0) {
        throw AppError(
            QStringLiteral("A chamada da gerência de mesas não trouxe o parâmetro de entrada."));
    }
    if (result.size() < 10) {
        throw AppError(QStringLiteral("O vetor de retorno da gerência de mesas tem %1 posições; "
                                      "são necessárias 10.")
                           .arg(result.size()));
    }
    if (!screen_) {
        screen_ = std::make_unique<TfrmGerMesa>(suite_, dataModule_, clock_);
        QObject::connect(screen_.get(), &TfrmGerMesa::closed, [this] { boIdCriado = false; });
        view_ = std::make_unique<TfrmGerMesaView>(*screen_);
        screen_->FormCreate();
    }
    screen_->st.ParamEntrada = params.value(0).toString();
    screen_->InicializaForm();
    // The hourglass stays only while the screen is prepared, not over the map.
    ampulheta.restore();
    showModal(*view_);
    const ScreenState& st = screen_->st;
    const QVariantList valores = {
        st.RetAcao,      st.RetNrVendaRest, st.RetDsComanda, st.RetCdCliente,    st.RetNrMesa,
        st.RetNrComanda, st.RetCdVendedor,  st.RetTipoVenda, st.RetCdConsumidor, st.RetAbreVenda};
    for (int i = 0; i < 10; ++i) {
        result[i] = valores[i];
    }
}

} // namespace tmk
