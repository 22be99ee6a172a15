#pragma once

#include "suite/devices/cfe_document.h"
#include "suite/devices/nfce_document.h"
#include "suite/devices/tef_terminal.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace tmk {

// What a sale's printout carries beside its document.
struct PrintoutExtras {
    QString senhaMesa;  // the pick-up password and table: "<password> Mesa: <table>"
    QString textoExtra; // a free text printed at the end
    QString saldoFinal; // the consumer's balance line
    QDateTime quando;   // when printed (names the file); now when invalid
};

// Each function lays one printout out as an 80 mm receipt, stores it in the till's
// "Impressoes/" folder (printout_files.h) and returns its path. AppError when the
// folder cannot be written.

// The DANFE NFC-e: issuer, items, totals, payments and change, the consultation URL
// and key, the consumer, number, series, date and protocol, the QR code, the
// approximate taxes, the homologation notice in environment "2", the password.
QString printNfceDanfe(const NfceDocument& document, const PrintoutExtras& extras);

// The extract of a CF-e SAT; a document without a key (a sale printed from the till's
// own data) is printed without key and QR code.
QString printSatExtract(const CfeDocument& document, const PrintoutExtras& extras);

// The plain, non-fiscal receipt of a sale (no fiscal device): items, service charge,
// total and what was paid.
struct PlainReceipt {
    FiscalSale venda; // the payments may be empty: totalPago is printed then
    QString numero;   // the non-fiscal number
    double totalPago = 0;
};
QString printPlainReceipt(const PlainReceipt& receipt, const PrintoutExtras& extras);

// The card receipts of TEF transactions, one PDF per transaction with the customer's
// copy and, unless reduced, the merchant's copy.
QStringList printCardReceipts(const QList<TefTransaction>& transactions, bool reduced,
                              const QDateTime& when = {});

// A generic document (account bill, day summary, fiscal coupon...): a title, header
// lines, item lines, totals, sections of label and value, and footer lines.
struct PrintDocument {
    struct Item {
        QString descricao;
        double quantidade = 1;
        QString unidade;
        double valorUnitario = 0;
        double valorTotal = 0;
    };
    struct Total {
        QString rotulo;
        double valor = 0;
        bool destaque = false;
    };
    struct Section {
        QString titulo;
        QList<QPair<QString, QString>> linhas;
    };
    QString titulo;
    QStringList cabecalho;
    QList<Item> itens;
    QList<Total> totais;
    QList<Section> secoes;
    QStringList rodape;
    bool totaisEmReais = false; // totals as "R$ 1.234,50" instead of "1.234,50"
};
// kind and id name the file ("Conta", "0007").
QString printDocument(const PrintDocument& document, const QString& kind, const QString& id,
                      const QDateTime& when = {});

} // namespace tmk
