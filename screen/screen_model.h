#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

namespace tmk {

// What the window shows, kept by the screen logic and drawn by the window. Colours are
// platform colour numbers (0x00BBGGRR) as the screen configuration stores them.

struct TableButtonModel {
    QString caption;
    QString picture; // name of the status picture ("imgLivre", ...), empty for none
    bool enabled = false;
    quint32 textColor = 0;
    int fontSize = 8;
};

struct AreaButtonModel {
    QString caption;
    quint32 backColor = 0xFFFFFF;
    quint32 textColor = 0;
    int fontSize = 8;
    bool outline = false;
    bool visible = false;
    bool enabled = false;
};

// A button of the strip of tables paid through the app. The design-time caption only shows
// the two-line layout; every button starts hidden until the strip is built.
struct AppPaidButtonModel {
    QString caption = QStringLiteral("Mesa\r\n0001(99)");
    bool enabled = true;
    bool visible = false;
};

struct CommandButtonModel {
    bool enabled = true;
    bool visible = true;
};

struct ScreenModel {
    static constexpr int TableButtons = 48;
    static constexpr int AreaButtons = 12;
    static constexpr int AppPaidButtons = 12;

    std::array<TableButtonModel, TableButtons> tcb;            // tcb01 .. tcb48
    std::array<AreaButtonModel, AreaButtons> sbtAmb;           // sbtAmb01 .. sbtAmb12
    std::array<AppPaidButtonModel, AppPaidButtons> sbtMesaAPP; // sbtMesaAPP1 .. sbtMesaAPP12
    QHash<QString, CommandButtonModel> commands;               // by button name

    QString lblPagMesa = QStringLiteral("PÁGINA  1");
    QString lblMensagem;
    QString lblBuffer;
    QString lblDataHora;
    QString lblRodape = QStringLiteral("informações do rodapé");
    QString lblCodTela = QStringLiteral("TMK00470");
    QString lblValTicketMedio = QStringLiteral("R$ 0,00");
    QString lblValQuantCupom = QStringLiteral("0,00");
    bool ticketPanelVisible =
        true; // lblTicketMedio, lblValTicketMedio, lblQuantCupom, lblValQuantCupom

    QString brandPicture; // "imgLestovenda", "ImgKovNFCe" or "imgVendaro"
    QString logoFile;     // the store logo picture, empty for none
    QString windowTitle;
    int width = 800;
    int height = 600;
    int left = -1; // -1: centred on the screen
    int top = -1;

    // Names of the command buttons the screen holds, in the order they are laid out.
    static const QStringList& commandButtonNames();
    static QString tableButtonName(int number);   // 1 -> "tcb01"
    static QString areaButtonName(int number);    // 1 -> "sbtAmb01"
    static QString appPaidButtonName(int number); // 1 -> "sbtMesaAPP1"
    // The number of a strip button from its name ("sbtMesaAPP12" -> 12); 0 for another name.
    static int appPaidButtonNumber(const QString& name);
};

} // namespace tmk
