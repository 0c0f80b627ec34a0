#pragma once

#include "data/U_dm.h"

#include <QMainWindow>
#include <QStringList>
#include <map>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QStatusBar;
class QToolButton;
class QWindow;
class TFabout;
class TF_nastr;

namespace ui {
class CompletingComboBox;
class DBGrid;
class DBNavigator;
}

// The main window: the register grid with the filter bar above it and the navigator below it,
// and the menu that dispatches every command of the program.
class TF_gl : public QMainWindow, public data::LastUchotNHolder {
    Q_OBJECT
public:
    // Runs what the window does at creation: keeps the filter boxes' prompts, makes the day's
    // copy of the database and loads the grid settings. The database is not open yet.
    // settingsPath: the settings file; empty for the one beside the program file.
    explicit TF_gl(const QString& settingsPath = QString(), QWidget* parent = nullptr);
    ~TF_gl() override;

    // Binds the grid and the navigator to the data module once it exists.
    void attachData(TDM1& dm);

    // Members other windows read and write.
    int Tag = 0;
    QStringList ComboPrompts;
    qint32 LastUchotN = 0;
    qint32 PickedUchotN = 0;
    std::unique_ptr<data::Dataset> Qop;     // the statement runner of the year-end clearing

    // Controls.
    QFrame* Panel2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    ui::CompletingComboBox* CBnaim = nullptr;
    ui::CompletingComboBox* CBcena = nullptr;
    ui::CompletingComboBox* CByear = nullptr;
    ui::CompletingComboBox* CBtype = nullptr;
    ui::CompletingComboBox* CBpost = nullptr;
    ui::DBGrid* DBGrid1 = nullptr;
    QFrame* Panel3 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    ui::DBNavigator* DBNavigator1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;

    // Menu items.
    QAction* Excel1 = nullptr;
    QAction* N10 = nullptr;
    QAction* N2 = nullptr;
    QAction* N4 = nullptr;
    QAction* N7 = nullptr;
    QAction* N8 = nullptr;
    QAction* N12 = nullptr;
    QAction* N19 = nullptr;
    QAction* N13 = nullptr;
    QAction* N14 = nullptr;
    QAction* N15 = nullptr;
    QAction* N16 = nullptr;
    QAction* N21 = nullptr;
    QAction* N22 = nullptr;
    QAction* N23 = nullptr;
    QAction* N18 = nullptr;
    QAction* N6 = nullptr;

    // Handlers.
    void FormActivate();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void CBnaimChange();
    void CBpostChange();
    void CByearChange();
    void CBtypeChange();
    void N12Click();
    void N19Click();
    void N13Click();
    void N14Click();
    void N15Click();
    void N16Click();
    void N2Click();
    void N4Click();
    void N7Click();
    void N8Click();
    void Excel1Click();
    void N10Click();
    void N18Click();
    void N6Click();
    void N21Click();
    void N22Click();
    void N23Click();
    void DBGrid1KeyDown(int key);
    void DBGrid1EditButtonClick();

    void FillCombo(data::Dataset& query, ui::CompletingComboBox* box, const QString& fieldName);
    static QString CurrentYearText();

    void setLastUchotN(qint32 value) override { LastUchotN = value; }
    TDM1* dataModule() const { return dm_; }
    const QString& settingsPath() const { return settingsPath_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildHeader();
    void buildGrid();
    void buildFooter();
    void buildMenu();
    void FormCreate();
    void sortBy(const QString& field);
    void setLastFromRegister();
    void focusWindowChanged(QWindow* window);

    TDM1* dm_ = nullptr;
    QString settingsPath_;
    // The rows each filter box's list was last filled from.
    struct FillSource {
        const data::Dataset* query = nullptr;
        QString fieldName;
        quint64 generation = 0;
    };
    std::map<const ui::CompletingComboBox*, FillSource> filledFrom_;
    QWindow* lastProgramWindow_ = nullptr;
    bool activatedOnce_ = false;
};

extern TF_gl* F_gl;
extern TFabout* Fabout;
extern TF_nastr* F_nastr;
