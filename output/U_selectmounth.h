#pragma once

#include "output/ExcelExport.h"
#include "output/TiledPicture.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QToolButton;
class TDM1;

namespace data {
class Dataset;
}

namespace output {
class SpinEdit;
}

// The month period dialog: asks which months of the register to export and runs the export.
// A borderless window shaped by its tiled picture: every exactly white pixel is see-through.
// Created once at start and shown modally by the main window's F5; the months chosen stay for
// the next opening.
class TF_sm : public QDialog {
    Q_OBJECT
public:
    // The register query of the data module and the register grid that the export hides while it
    // walks the rows. The picture is read from "bigs.bmp" in the working folder.
    TF_sm(TDM1& dm, QWidget* grid, QWidget* parent = nullptr);
    TF_sm(data::Dataset& Quchot, QWidget* grid, QWidget* parent = nullptr);
    ~TF_sm() override;

    output::SpinEdit* Spe1 = nullptr;
    output::SpinEdit* Spe2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QToolButton* BitBtn2 = nullptr;

    void FormPaint();
    void Spe1Change();
    void Spe2Change();
    void BitBtn1Click();
    void BitBtn2Click();

    output::ExcelExport& exporter() { return export_; }
    output::TiledPicture& picture() { return picture_; }
    // Shapes the window anew: the picture or a control may have changed its white pixels.
    void updateShape();

    static constexpr int clientWidth = 385;
    static constexpr int clientHeight = 426;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void monthChanged(output::SpinEdit* field, QLabel* label);
    static int wholeNumber(const QString& text);

    data::Dataset& Quchot_;
    QWidget* grid_;
    output::TiledPicture picture_;
    output::ExcelExport export_;
};

// The program's one instance, set while the program runs.
extern TF_sm* F_sm;
