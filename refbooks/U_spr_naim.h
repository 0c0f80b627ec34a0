#pragma once

#include "data/U_dm.h"

#include <QMainWindow>
#include <QString>

class QAction;
class QFrame;
class QLabel;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace ui {
class CompletingComboBox;
class DBGrid;
class DBNavigator;
}

namespace refbooks {
class PicturePanel;
}

// The names reference book: the names with their tool groups, filtered by a name or a group,
// sorted, extended by Down past the remembered last row. It doubles as the name picker of the
// register grid: with BtnSelect shown, the chosen name and its group go into the register row
// that is current in the main window.
class TF_naim : public QMainWindow, public data::LastNaimKodHolder {
    Q_OBJECT
public:
    explicit TF_naim(TDM1& dm, QWidget* parent = nullptr);
    ~TF_naim() override;

    // Opening from the main menu: the window as it is, picker mode left as it stands.
    void showWindow();
    // Opening from the name cell of the register grid: BtnSelect shown, then the window.
    void showPicker();
    // Picker mode is exactly BtnSelect being shown.
    bool isPicker() const;

    // naim_kod of the row that stood last when the list was last loaded or extended.
    qint32 LastNaimKod = 0;
    void setLastNaimKod(qint32 value) override { LastNaimKod = value; }

    // The statement of the whole list, ordered by name.
    static const QString FullListStatement;

    // Controls.
    QFrame* Panel3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    ui::CompletingComboBox* CBnaim = nullptr;
    ui::CompletingComboBox* CBtype = nullptr;
    ui::DBGrid* DBGrid1 = nullptr;
    refbooks::PicturePanel* Panel1 = nullptr;
    ui::DBNavigator* DBNavigator1 = nullptr;
    QPushButton* BtnSelect = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Menu items.
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;
    QAction* N5 = nullptr;

    // Handlers.
    void FormActivate();
    void FormClose();
    void CBnaimChange();
    void CBnaimKeyPress();
    void CBtypeChange();
    void SpeedButton1Click();
    void N2Click();
    void N4Click();
    void N5Click();
    void DBGrid1KeyDown(int key);
    void BtnSelectClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildHeader();
    void buildGrid();
    void buildFooter();
    void buildMenu();
    // Replaces the list's statement, leaves its last row current and remembers that row.
    void reload(const QString& statement);
    void rememberLastRow();
    void addNameAfterLast();

    TDM1& dm_;
};

extern TF_naim* F_naim;
