#include "RuntimeError.h"

namespace platform {

RuntimeError::RuntimeError(qint32 number, const QString& description, const QString& sqlState)
    : std::runtime_error(QString::number(number).append(u':').append(description).toStdString()),
      number_(number),
      description_(description),
      sqlState_(sqlState)
{
}

QString RuntimeError::failureText() const
{
    return QString::number(number_) + u':' + description_;
}

}  // namespace platform
