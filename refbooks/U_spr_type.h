#pragma once

#include "data/U_dm.h"
#include "ui/DBGrid.h"

#include <QIcon>
#include <QMainWindow>
#include <QPixmap>
#include <vector>

class QStatusBar;

namespace ui {
class DBNavigator;
}
namespace refbooks {
class PicturePanel;
}

// The tool groups reference book: the groups in an editable grid with a record navigator.
// Rows are added, changed and deleted through the grid and the navigator alone; a new group
// takes its code from the database. Esc in the grid closes the window. The suppliers window
// is the same window over another table.
class TF_type : public QMainWindow {
    Q_OBJECT
public:
    explicit TF_type(TDM1& dm, QWidget* parent = nullptr);
    ~TF_type() override;

    // Opening from the main menu.
    void showWindow();

    QWidget* Panel2 = nullptr;
    ui::DBGrid* DBGrid1 = nullptr;
    refbooks::PicturePanel* Panel1 = nullptr;
    ui::DBNavigator* DBNavigator1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    void DBGrid1KeyDown(int key);

protected:
    // What a window built on this layout shows and over which data.
    struct Look {
        QString caption;
        QIcon icon;
        QPixmap picture;
        data::DataSource* source = nullptr;
        std::vector<ui::GridColumn> columns;
    };
    TF_type(const Look& look, QWidget* parent);

private:
    void build(const Look& look);
};

extern TF_type* F_type;
