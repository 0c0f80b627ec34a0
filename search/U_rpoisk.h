#pragma once

#include <QDialog>
#include <QPixmap>

class QFrame;
class QLabel;
class QPushButton;
class QToolButton;
class TDM1;

namespace data {
class LastUchotNHolder;
}

namespace search {
class KeyFilterEdit;
}

// The range search dialog: the register rows whose price, or whose average consumption per
// month, lies between a minimum and a maximum, both included. Which column it searches is told
// by its caption alone, set by the search dialog before it shows this one modally. Created once
// at start; a search or a refusal empties the edits, the close box leaves them.
class TF_rpoisk : public QDialog {
    Q_OBJECT
public:
    // The register query of the data module, and the window that keeps LastUchotN.
    TF_rpoisk(TDM1& dm, data::LastUchotNHolder& registerWindow, QWidget* parent = nullptr);
    ~TF_rpoisk() override;

    // The two captions the dialog knows.
    static QString priceCaption();
    static QString averageCaption();

    QFrame* Bevel1 = nullptr;
    QLabel* Label1 = nullptr;
    search::KeyFilterEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    search::KeyFilterEdit* Edit2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QToolButton* SpeedButton5 = nullptr;

    // Key handlers: false drops the key; the key may come back changed.
    bool Edit1KeyPress(QChar& key);
    bool Edit2KeyPress(QChar& key);
    void BitBtn1Click();
    void SpeedButton5Click();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void build();
    bool numberKey(search::KeyFilterEdit* edit, QChar& key);
    void runRange(const QString& field, const QString& minText, qint32 min, const QString& maxText, qint32 max);
    void clearAndClose();

    QPixmap picture_;
    TDM1& dm_;
    data::LastUchotNHolder& registerWindow_;
};

// The program's one instance, set while the program runs.
extern TF_rpoisk* F_rpoisk;
