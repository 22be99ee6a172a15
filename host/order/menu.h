#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

namespace tmk {

// One product button of the menu.
struct MenuProduct {
    QString cdProduto;
    QString caption;             // the button's text
    std::optional<double> price; // none: the product has no price (or is not registered)
    int backColour = 0x00FFFFFF; // 0x00BBGGRR
    int textColour = 0;

    bool priced() const { return price.has_value(); }
};

// A group of product buttons, as the screen configuration gathers them.
struct MenuGroup {
    QString code;
    QString caption;
    QList<MenuProduct> products;
};

// The store's menu: the product buttons of the screen configuration, by group, each
// with its product's price. A price that is missing, zero or negative is no price.
class Menu {
public:
    // DatabaseError when the menu cannot be read.
    // The products `leftOut` have no button on it.
    static Menu load(QSqlDatabase& db, const QString& cdFilial, const QString& nrConfTela,
                     const QStringList& leftOut = {});

    const QList<MenuGroup>& groups() const { return groups_; }
    // The product's button, when the menu has one.
    const MenuProduct* find(const QString& cdProduto) const;

private:
    QList<MenuGroup> groups_;
};

} // namespace tmk
