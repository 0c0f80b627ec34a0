#pragma once

#include <QDialog>

class QPushButton;

// The about box.
class TFabout : public QDialog {
    Q_OBJECT
public:
    explicit TFabout(QWidget* parent = nullptr);
    QPushButton* BitBtn1 = nullptr;

    void BitBtn1Click();
};
