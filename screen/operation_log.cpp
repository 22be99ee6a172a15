// The operation log: the orphan records the sale clean-up removed, one access-log record
// per kind, so that such repairs can be traced to an operator and a till.
#include "screen/ger_mesa.h"

namespace tmk {

namespace {

// The clean-up's flags, largest first, with the operation code that is also the key of
// their text in the catalogue.
const struct {
    int flag;
    const char* codigo;
} kRemocoes[] = {
    {8, "DEL_RES"}, // sales of the table without order pads
    {4, "DEL_CMD"}, // order pads without their sale
    {2, "DEL_ICM"}, // items of those order pads
    {1, "DEL_ITC"}, // items without their order pad
};

} // namespace

void TfrmGerMesa::geraLog(int resposta, const QString& nrMesa) {
    while (resposta > 0) {
        for (const auto& r : kRemocoes) {
            if (resposta >= r.flag) {
                const QString codigo = QString::fromLatin1(r.codigo);
                const QString texto = msg(codigo);
                gravaLogAcesso(codigo, texto,
                               r.flag == 8 ? texto + QStringLiteral(" Nº da mesa : ") + nrMesa
                                           : texto);
                resposta -= r.flag;
                break;
            }
        }
    }
}

} // namespace tmk
