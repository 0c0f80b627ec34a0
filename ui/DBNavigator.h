#pragma once

#include <QStringList>
#include <QWidget>
#include <array>

class QToolButton;

namespace data {
class Dataset;
struct DataSource;
}

namespace ui {

// The record navigator: ten buttons driving the dataset of a data source.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button { First, Prior, Next, Last, Insert, Delete, Edit, Post, Cancel, Refresh, ButtonCount };

    explicit DBNavigator(QWidget* parent = nullptr);

    void setDataSource(data::DataSource* source);
    void setButtonVisible(Button b, bool visible);
    QToolButton* button(Button b) const { return buttons_[size_t(b)]; }

    // The ten hints every navigator of the program shows, in button order.
    static QStringList standardHints();

    void click(Button b);

private:
    void updateButtons();

    data::DataSource* source_ = nullptr;
    std::array<QToolButton*, ButtonCount> buttons_{};
    std::vector<QMetaObject::Connection> links_;
};

} // namespace ui
