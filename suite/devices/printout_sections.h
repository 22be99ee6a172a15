#pragma once

#include "suite/devices/fiscal_sale.h"
#include "suite/devices/printouts.h"
#include "suite/devices/receipt_layout.h"

namespace tmk {

// The parts that the sale printouts share, so that every receipt reads alike.

// Store name (bold), CNPJ and state.
void printIssuer(ReceiptLayout& r, const FiscalIssuer& issuer);
// "EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL" when the environment is "2".
void printEnvironmentNotice(ReceiptLayout& r, const QString& ambiente);
// The item table: number, code and description, then quantity x unit price and total.
void printItems(ReceiptLayout& r, const QList<FiscalItem>& items);
// Item count, products, discounts, surcharges, service charge and the amount due.
void printTotals(ReceiptLayout& r, const FiscalSale& sale);
// Each payment and the change.
void printPayments(ReceiptLayout& r, const FiscalSale& sale);
// The consumer's CPF or CNPJ, or "CONSUMIDOR NÃO IDENTIFICADO".
void printConsumer(ReceiptLayout& r, const QString& cpf);
// The approximate taxes of the sale (federal and state).
void printApproximateTaxes(ReceiptLayout& r, const FiscalSale& sale);
// The password and table, the balance line and the extra text.
void printExtras(ReceiptLayout& r, const PrintoutExtras& extras);

QDateTime printoutTime(const PrintoutExtras& extras);

} // namespace tmk
