#pragma once

#include <QDialog>
#include <vector>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class TDM1;

namespace data {
class LastUchotNHolder;
}

namespace search {
class KeyFilterEdit;
class RadioGroup;
}

// The search dialog: an exact or a substring search of the register by tool name, price,
// supplier or average consumption per month, and the way into the range search for the price
// and the average. A search replaces the register query's statement, so the main grid shows the
// rows found. Created once at start; the column and the value stay between openings, the mode
// goes back to exact at every opening.
class TF_poisk : public QDialog {
    Q_OBJECT
public:
    // The register and supplier queries of the data module, and the window that keeps LastUchotN.
    // The range dialog is the program's F_rpoisk, looked up when a red button is chosen.
    TF_poisk(TDM1& dm, data::LastUchotNHolder& registerWindow, QWidget* parent = nullptr);
    ~TF_poisk() override;

    // Columns of RG1.
    enum Column { ToolName = 0, Price = 1, Supplier = 2, Average = 3 };

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RB1 = nullptr;
    QRadioButton* RB2 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    search::RadioGroup* RG1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    search::KeyFilterEdit* Edit1 = nullptr;
    QPushButton* BitBtn1 = nullptr;

    void FormActivate();
    void RB2Click();
    void RG1Click();
    // False drops the key; the key may come back changed.
    bool Edit1KeyPress(QChar& key);
    void RadioButton1Click();
    void RadioButton2Click();
    void BitBtn1Click();
    void SpeedButton5Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void openRangeSearch(const QString& caption);
    void searchExact(int column, const QString& text);
    void searchSubstring(int column, const QString& text);
    void searchSuppliersContaining(const QString& text);
    std::vector<qint32> suppliersContaining(const QString& text);
    void rememberLastRow();

    TDM1& dm_;
    data::LastUchotNHolder& registerWindow_;
};

// The program's one instance, set while the program runs.
extern TF_poisk* F_poisk;
