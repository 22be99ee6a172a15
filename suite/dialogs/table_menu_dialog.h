#pragma once

#include "suite/dialogs/notice.h"
#include "suite/dialogs/table_joins.h"

#include <QDialog>

class QListWidget;

namespace tmk {

// The operational functions menu (CriaMenuMesa): the store's tables ("lstMesas", a
// joined table's caption in parentheses as on the map), "btnJuntar" (joins the tables
// touched into a new group), "btnSeparar" (separates the group of the table touched) and
// "btnVoltar". What was done, or why not, is told; the list is read again after each
// change.
class TableMenuDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the tables: DatabaseError when they cannot be read.
    TableMenuDialog(TableJoins& joins, QString nrConfTela, Notice notice,
                    QWidget* parent = nullptr);

    // What the buttons do, callable without showing the dialog.
    void selectTables(const QStringList& mesas);
    QStringList selectedTables() const;
    void join();
    void separate();

    QListWidget* list() const { return list_; }

private:
    void reload();
    // After a change the list is read again; a failure is told and the dialog stays.
    void reloadAfterChange();

    TableJoins& joins_;
    QString nrConfTela_;
    Notice notice_;
    QListWidget* list_ = nullptr;
};

} // namespace tmk
