#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace tamsel {

// The outcome of an operation that can fail: success, or a message for the
// officer that names the file and the cause.
class Status
{
public:
    static Status success() { return Status(); }
    static Status failure(QString message) { return Status(std::move(message)); }

    bool ok() const { return !m_message.has_value(); }
    explicit operator bool() const { return ok(); }
    // Empty on success.
    QString message() const { return m_message.value_or(QString()); }

private:
    Status() = default;
    explicit Status(QString message) : m_message(std::move(message)) {}

    std::optional<QString> m_message;
};

// A value, or the message that says why there is none.
template <typename T>
class Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Status failure) : m_error(failure.message()) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    QString message() const { return m_error; }
    Status status() const { return ok() ? Status::success() : Status::failure(m_error); }

private:
    std::optional<T> m_value;
    QString m_error;
};

} // namespace tamsel
