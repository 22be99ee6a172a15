#pragma once

#include "external/common.h"

#include <memory>

class QMessageBox;
class QWidget;

namespace tmk {

// The interactive part of the common utility library on Qt Widgets.
class SuiteCommonUtility : public CommonUtility {
public:
    bool Mensagem(const QString& texto, const QString& a2, const QString& a3,
                  const QString& pergunta, int tipo, const QString& a6, const QString& esquema,
                  int a8, ClientDataSet* tabela) override;
    // A ServiceFailure is shown as an error box (type 3) with the operation, unit and
    // context, then the command ends with the silent abort; any other value is handed
    // back unchanged, whatever the mode.
    QVariant MensagemMetodo(const QVariant& resultado, bool a2, int modo, const QString& metodo,
                            const QString& unidade, const QString& contexto,
                            const QString& esquema) override;
    // "TMK00470 - v1.0 - ECF": the screen code, the version when the flag is "S", and
    // "ECF" when a fiscal printer is used.
    QString MontaRodapeGeral(bool utilizaImpFis, const QString& codigoTela,
                             const QString& flag) override;
    // Applies "Dados/Traducao.ini" of the till folder (group [Traducao],
    // original=translated) to the window title and to every label and button.
    void Trad(QObject* tela) override;
    QString Uncripto(const QString& cifrado, int chave) override;
    // Draws the Code 128 barcode of the key as a PNG in the folder; returns its path.
    QString CriaCodBarra(const QString& chaveAcesso, const QString& dirXmlFiscal) override;

    // The message box of Mensagem, ready to be shown: icon of the type, "Sim"/"Não"
    // for a question (pergunta "S"), otherwise one "OK"; large font for a touch till.
    static std::unique_ptr<QMessageBox> buildMessageBox(const QString& texto,
                                                        const QString& pergunta, int tipo,
                                                        QWidget* parent = nullptr);
    // True when the box's answer was "Sim".
    static bool answeredYes(const QMessageBox& box);

protected:
    // Shows the box modally; tests override it to record the box instead.
    virtual void showMessageBox(QMessageBox& box);
};

} // namespace tmk
