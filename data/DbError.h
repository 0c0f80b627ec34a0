#pragma once

#include <QString>
#include <stdexcept>

namespace data {

// Every failure of the data layer: the engine's own message or our own, in Russian.
// The windows catch nothing; the application's error box shows what() and the program goes on.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

} // namespace data
