#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace ui {
class DBGrid;
}
namespace settings {
class IniFile;
}

// The column hiding dialog: nineteen check boxes, one for each column position 1 to 19 of the
// register grid; a ticked box hides its column when the changes are applied. The ticks persist
// in the section "Options NCheckBox" of the settings file, apart from the grid's own section.
// The main window creates it once and shows it modally (Ctrl+N).
class TF_nastr : public QDialog {
    Q_OBJECT
public:
    // grid: the register grid the dialog acts on; iniPath: the settings file.
    TF_nastr(ui::DBGrid& grid, const QString& iniPath, QWidget* parent = nullptr);
    ~TF_nastr() override;

    // The section "Options NCheckBox" into the boxes; defaults (all clear) when it is missing.
    void LoadCheckStates();
    // The boxes into that section. Throws data::DbError "Unable to write to <path>" when the
    // file cannot be replaced.
    void SaveCheckStates();

    // The same on a file already in memory, for saving several sections in one write.
    void readCheckStates(const settings::IniFile& ini);
    void writeCheckStates(settings::IniFile& ini) const;

    void BitBtn1Click();   // "Принять изменения": apply the ticks to the grid and close
    void BitBtn2Click();   // "Пропустить все": clear every box
    void BitBtn3Click();   // "Отметить все ": tick every box

    QLabel* Image1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void createControls();

    ui::DBGrid& grid_;
    QString iniPath_;
};
