#pragma once

#include "suite/common/database_file.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <exception>

class QObject;

namespace tmk {

class ClientDataSet;

// Message box types of Mensagem.
enum MessageType { MsgInformacao = 0, MsgPergunta = 1, MsgAviso = 2, MsgErro = 3 };

// The interactive part of the common utility library: message boxes, the
// service-result unwrapping, the screen-code line, translation and deciphering.
class CommonUtility {
public:
    virtual ~CommonUtility() = default;

    // Shows a message box. With pergunta "S" it is a yes/no question whose answer is
    // the result (true = yes); with "N" a notice whose result is not used.
    virtual bool Mensagem(const QString& texto, const QString& a2, const QString& a3,
                          const QString& pergunta, int tipo, const QString& a6,
                          const QString& esquema, int a8, ClientDataSet* tabela) = 0;

    // Hands back the value to use. A ServiceFailure is shown to the operator with
    // the context, unit label and operation name, and then the calling command ends
    // with the silent abort. Modes 0, 7 and 10 hand a success back unchanged.
    virtual QVariant MensagemMetodo(const QVariant& resultado, bool a2, int modo,
                                    const QString& metodo, const QString& unidade,
                                    const QString& contexto, const QString& esquema) = 0;

    // The screen-code line shown under the map.
    virtual QString MontaRodapeGeral(bool utilizaImpFis, const QString& codigoTela,
                                     const QString& flag) = 0;
    // Translates the captions of a screen.
    virtual void Trad(QObject* tela) = 0;
    // Deciphers a value enciphered with Cripto.
    virtual QString Uncripto(const QString& cifrado, int chave) = 0;
    // Barcode picture of an access key; returns the picture's path.
    virtual QString CriaCodBarra(const QString& chaveAcesso, const QString& dirXmlFiscal) = 0;
};

// Message catalogue: lines "KEY|text"; lookup ignores letter case.
class TMessages {
public:
    TMessages() = default;
    explicit TMessages(const QStringList& lines);
    void setLines(const QStringList& lines);
    // The text of the key; empty (and a warning in the log) when the key is unknown.
    QString Msg(const QString& key) const;
    bool contains(const QString& key) const;
    QStringList keys() const; // in catalogue order, first spelling of each key
    int count() const { return int(keys_.size()); }
    // Every line as read, in order (a key that occurs twice appears twice).
    const QList<QPair<QString, QString>>& entries() const { return entries_; }

private:
    QStringList keys_;
    QList<QPair<QString, QString>> entries_;
    QHash<QString, QString> texts_; // upper-cased key -> text
};

// The table screen's catalogue (component msgPadrao).
const TMessages& msgPadrao();

// Small text and number functions.
// "1", 4 -> "0001"; a text longer than the width is kept whole (no digit lost).
QString Ajusta(const QString& texto, int largura);
// True for an empty text and for a text of blanks only.
bool EmptyString(const QString& texto);
template <typename T>
T iif(bool condicao, const T& a, const T& b) {
    return condicao ? a : b;
}
// Money truncated to two decimals on its shortest decimal text (12.349 -> 12.34,
// 2.0099999999 -> 2.01); the machine's locale plays no part.
double Trunc2(double valor);
// Rounded half away from zero on the decimal value (2.675, 2 -> 2.68).
double RoundDec(double valor, int casas);
QString SoNumerosStr(const QString& texto);
// "0012" -> "12"; only zeros keep one ("0000" -> "0").
QString RemoveZerosEsqStr(const QString& texto);

// Key of the SAT activation code stored enciphered in the till's cash-opening file.
inline constexpr int kChaveCodigoAtivacaoSat = 13;
// Key of the waiters' passwords stored enciphered in the waiters' cadastre
// (VENDEDOR.CDSENHAVEN).
inline constexpr int kChaveSenhaVendedor = 11;

// Enciphers a value for Uncripto (used by the till set-up; never logs the value).
QString Cripto(const QString& claro, int chave);
// Deciphers a value of Cripto with the same key; an empty text gives an empty text.
// A wrong key or a damaged text throws AppError("Código cifrado inválido.").
QString Uncripto(const QString& cifrado, int chave);

// Connection helpers.
// The connection text of the till, from the till folder's settings file
// "Conexao.ini"; by default the SQLite database of the till folder.
QString _GetStringConexKov(const QString& a1);
// Opens a connection from a connection text under the given Qt connection name, of the
// dialect the text's Provider names (suite/common/db_dialect.h); throws AppError with a
// Portuguese message for an unknown provider, when the server refuses, is down or does not
// answer in time, and when a database file that must exist is missing. A server that did not
// answer is not waited for again for a few seconds: those attempts fail at once.
QSqlDatabase openConnection(const QString& connectionText, const QString& connectionName,
                            DatabaseFile file = DatabaseFile::MayCreate);
// The same connection set up but not opened (TryConnect opens it later).
QSqlDatabase configureConnection(const QString& connectionText, const QString& connectionName,
                                 DatabaseFile file = DatabaseFile::MayCreate);
// Opens the connection again when it is closed (or checks it when open).
void TryConnect(QSqlDatabase& db);
// Prepares the session: dates rendered as dd/mm/yyyy text, the kinds' settings.
void SetADODBSession(QSqlDatabase& db);
// The text an operation puts into its result for a failure.
QString ADOExceptionMessage(const std::exception& e, const QSqlDatabase& db, const QString& a3);

// Next-code module: created just before a call and freed after it.
class TdtmKovProxCodigo {
public:
    explicit TdtmKovProxCodigo(QSqlDatabase db);
    // Next order password of the branch and day (counter "VENDADIA" + branch + dd/mm/yyyy).
    QString PrxVendaDia(const QString& cdFilial, const QDateTime& data);
    // Next sale sequence NRSEQVENDA of the branch and till.
    QString PrxPedidoVenda(const QString& cdFilial, const QString& cdCaixa, int incremento,
                           const QString& origem);
    // Next number of a counter that numbers rows which may also exist without it (a
    // store's history, rows another system wrote): above the counter and above acimaDe,
    // the highest number in use, in one step.
    qlonglong PrxCodigo(const QString& contador, qlonglong acimaDe);

private:
    QSqlDatabase db_;
};

} // namespace tmk
