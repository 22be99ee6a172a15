#include "db/demo/demo_catalogue.h"

#include "platform/errors.h"

#include <QString>
#include <cstring>

namespace tmk::demo {

namespace {

template <typename Entry, std::size_t N>
const Entry& find(const std::array<Entry, N>& entries, const char* code, const char* what) {
    for (const Entry& e : entries) {
        if (std::strcmp(e.code, code) == 0) {
            return e;
        }
    }
    throw AppError(QStringLiteral("%1 %2 não existe no cadastro da loja de demonstração.")
                       .arg(QString::fromUtf8(what), QString::fromUtf8(code)));
}

} // namespace

const Product& product(const char* code) {
    return find(kProducts, code, "O produto");
}

const Tax& tax(const char* code) {
    return find(kTaxes, code, "O imposto");
}

const ReceiptType& receiptType(const char* code) {
    return find(kReceiptTypes, code, "O tipo de recebimento");
}

} // namespace tmk::demo
